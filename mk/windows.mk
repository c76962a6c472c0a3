# Windows: `make windows` cross-builds tamrix.exe and tamrix-cli.exe with
# MinGW-w64, `make package` zips them with the sample data and the read-me
# files, and the test-windows step of `make test` runs the packaged dialog
# under Wine.
WINDOWS_BUILD := build/windows

.PHONY: windows package test-windows
windows:
	$(CMAKE) --preset windows
	$(CMAKE) --build --preset windows -j $(JOBS)

package: windows
	cd $(WINDOWS_BUILD) && cpack --config CPackConfig.cmake
	@ls -l $(WINDOWS_BUILD)/tamrix-*-win64.zip

test-windows: package
	$(CTEST) --test-dir $(WINDOWS_BUILD)/tests/win32 --output-on-failure

