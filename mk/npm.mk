# The npm package: `make npm` writes build/npm/tamrix-VERSION.tgz (npm pack)
# from the page's WebAssembly module; test-npm installs that tarball into a
# scratch folder and checks it against tamrix-cli (from the native build).
NPM_BUILD := build/npm

.PHONY: npm test-npm

npm: web
	$(WEB_PYTHON) packaging/npm/build_npm.py --wasm $(WEB_BUILD)/app/web/tamrix-web.wasm \
	  --data Data --version-header $(WEB_BUILD)/generated/app/version.h --out $(NPM_BUILD)/package
	cd $(NPM_BUILD) && rm -f tamrix-*.tgz && npm pack --silent ./package >/dev/null
	@ls -l $(NPM_BUILD)/tamrix-*.tgz

test-npm: npm build
	bash tests/npm/test_package.sh $(NPM_BUILD) $(DEV_CLI)
