# The Debian package: `make package` builds it (build/deb/tamrix_<version>_amd64.deb)
# beside the Windows zip, and the test-deb step of `make test` checks it with
# lintian and runs the programs from a scratch root where it is unpacked.
DEB_BUILD := build/deb

.PHONY: package-deb test-deb
package: package-deb

# The package carries the web page from `make web`.
package-deb: web
	$(CMAKE) --preset deb -DTAMRIX_WEB_PAGE="$(CURDIR)/$(WEB_PAGE)"
	$(CMAKE) --build --preset deb -j $(JOBS)
	cd $(DEB_BUILD) && cpack --config CPackConfig.cmake
	@ls -l $(DEB_BUILD)/tamrix_*.deb

test-deb: package-deb
	bash tests/with-xvfb.sh bash tests/deb/deb_test.sh $(DEB_BUILD)

