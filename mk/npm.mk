# The npm package: `make npm` writes build/npm/tamrix-VERSION.tgz (npm pack)
# from the page's WebAssembly module; test-npm installs that tarball into a
# scratch folder, as a user would, and runs the package's tests there
# against tamrix-cli (from the native build).
NPM_BUILD := build/npm

.PHONY: npm test-npm

npm: web
	$(WEB_PYTHON) packaging/npm/build_npm.py --wasm $(WEB_BUILD)/app/web/tamrix-web.wasm \
	  --data Data --version-header $(WEB_BUILD)/generated/app/version.h --out $(NPM_BUILD)/package
	cd $(NPM_BUILD) && rm -f tamrix-*.tgz && npm pack --silent ./package >/dev/null
	@ls -l $(NPM_BUILD)/tamrix-*.tgz

test-npm: npm build
	rm -rf $(NPM_BUILD)/scratch && mkdir -p $(NPM_BUILD)/scratch
	printf '{ "name": "scratch", "private": true, "type": "module" }\n' >$(NPM_BUILD)/scratch/package.json
	cd $(NPM_BUILD)/scratch && npm install --offline --no-audit --no-fund --silent ../tamrix-*.tgz
	cp tests/npm/package.test.mjs $(NPM_BUILD)/scratch/
	cd $(NPM_BUILD)/scratch && TAMRIX_CLI=$(CURDIR)/$(DEV_CLI) TAMRIX_DATA=$(CURDIR)/Data \
	  node --test package.test.mjs
