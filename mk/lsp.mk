# The language server, driven by the editors' own protocol library from npm
# (pinned by tests/lsp/package-lock.json) against the native tamrix-cli.
.PHONY: test-lsp

test-lsp: build
	cd tests/lsp && npm ci --no-audit --no-fund && \
	  TAMRIX_CLI=$(abspath $(DEV_CLI)) node --test
