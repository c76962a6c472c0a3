# The item cards' browser test: the example fan page served from 127.0.0.1
# in headless Chromium, its cards against tamrix-cli (from the native build).
.PHONY: test-cards

test-cards: web build
	$(WEB_PYTHON) tests/web/cards_test.py --cards $(WEB_BUILD)/tamrix-cards.js \
	  --cli $(DEV_CLI) --source . --out $(WEB_BUILD)
