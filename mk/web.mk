# The web page: `make web` builds build/web/tamrix.html, the engine compiled
# to WebAssembly with its page, script, styles and the sample Data in one
# file. The test-web step of `make test` drives that file in headless
# Chromium and compares it with tamrix-cli (from the native build).
# Selenium is Debian's, for the system Python, which need not be the first
# python3 on PATH.
WEB_BUILD := build/web
WEB_PAGE := $(WEB_BUILD)/tamrix.html
WEB_PYTHON ?= /usr/bin/python3

.PHONY: web test-web

web:
	$(CMAKE) --preset web
	$(CMAKE) --build --preset web -j $(JOBS)
	@ls -l $(WEB_PAGE)

test-web: web build
	$(WEB_PYTHON) tests/web/web_test.py --page $(WEB_PAGE) \
	  --cli $(DEV_CLI) --data Data --out $(WEB_BUILD)

# The Windows zip carries the page too.
package: web
