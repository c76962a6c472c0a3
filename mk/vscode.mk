# The VS Code extension: `make vsix` writes build/vscode/NAME-VERSION.vsix
# from editors/vscode with @vscode/vsce (pinned, as the language client is, by
# editors/vscode/package-lock.json). The version is the extension's
# package.json's, which must be the project's (CMakeLists.txt). test-vscode
# checks the package's contents, runs the problem matchers on real
# `--check --strict` output and starts extension.js against a stub of VS
# Code's API.
VSCODE_BUILD := build/vscode
VSCODE_MANIFEST := editors/vscode/package.json
VSIX = $(VSCODE_BUILD)/$(shell node -p 'const m = require("./$(VSCODE_MANIFEST)"); `$${m.name}-$${m.version}`').vsix
# What the package must hold for VS Code to start the extension.
VSIX_FILES := extension/package.json extension/extension.js \
              extension/node_modules/vscode-languageclient/package.json

.PHONY: vsix test-vscode

vsix:
	@project=$$(sed -n 's/^project(Tamrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt); \
	  extension=$$(node -p 'require("./$(VSCODE_MANIFEST)").version'); \
	  [ "$$project" = "$$extension" ] || { echo "vsix: $(VSCODE_MANIFEST) has version" \
	    "$$extension, CMakeLists.txt $$project"; exit 1; }
	cd editors/vscode && npm ci --no-audit --no-fund --silent
	mkdir -p $(VSCODE_BUILD) && rm -f $(VSCODE_BUILD)/*.vsix
	cd editors/vscode && npx --no-install vsce package --allow-missing-repository --skip-license \
	  --out $(abspath $(VSIX))

test-vscode: vsix build
	unzip -Z1 $(VSIX) >$(VSCODE_BUILD)/contents.txt
	@for f in $(VSIX_FILES); do grep -qx "$$f" $(VSCODE_BUILD)/contents.txt || \
	  { echo "test-vscode: $(VSIX) lacks $$f"; exit 1; }; done
	TAMRIX_CLI=$(abspath $(DEV_CLI)) node --test tests/vscode/vscode.test.mjs
