# Windows: `make windows` cross-builds tamrix.exe and tamrix-cli.exe with
# MinGW-w64, `make package` zips them with the sample data and the read-me
# files (and, through mk/deb.mk, builds the Debian package), and the
# test-windows step of `make test` runs the packaged dialog and tamrix-cli.exe
# under Wine; the latter is compared with the native build's tamrix-cli.
WINDOWS_BUILD := build/windows

.PHONY: windows package test-windows
windows:
	$(CMAKE) --preset windows -DTAMRIX_WEB_PAGE="$(CURDIR)/$(WEB_PAGE)"
	$(CMAKE) --build --preset windows -j $(JOBS)

package: windows
	cd $(WINDOWS_BUILD) && cpack --config CPackConfig.cmake
	@ls -l $(WINDOWS_BUILD)/tamrix-*-win64.zip

test-windows: package build
	$(CTEST) --test-dir $(WINDOWS_BUILD)/tests/win32 --output-on-failure

