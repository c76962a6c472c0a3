# The web page: `make web` builds build/web/tamrix.html, the engine compiled
# to WebAssembly with its page, script, styles and the sample Data in one
# file. The test-web step of `make test` drives that file in headless
# Chromium and compares it with tamrix-cli (from the native build).
# Selenium is Debian's, for the system Python, which need not be the first
# python3 on PATH. test-js runs the page's script modules under Node.
WEB_BUILD := build/web
WEB_PAGE := $(WEB_BUILD)/tamrix.html
WEB_PYTHON ?= /usr/bin/python3

.PHONY: web test-web test-js

web:
	$(CMAKE) --preset web
	$(CMAKE) --build --preset web -j $(JOBS)
	@ls -l $(WEB_PAGE) $(WEB_BUILD)/tamrix-cards.js

test-web: web build
	$(WEB_PYTHON) tests/web/web_test.py --page $(WEB_PAGE) \
	  --cli $(DEV_CLI) --data Data --out $(WEB_BUILD)

# The page's modules that need no browser, and the engine's interface in
# Node, with Node's own test runner.
test-js: web
	TAMRIX_WASM=$(WEB_BUILD)/app/web/tamrix-web.wasm node --test tests/web/

# The Windows zip carries the page too.
package: web
