# The language server, driven by the editors' own protocol library from npm
# (pinned by tests/lsp/package-lock.json) and by Neovim headless, against
# the native tamrix-cli.
.PHONY: test-lsp

test-lsp: build
	cd tests/lsp && npm ci --no-audit --no-fund && \
	  TAMRIX_CLI=$(abspath $(DEV_CLI)) node --test
	sh tests/lsp/nvim_test.sh $(DEV_CLI) .
	sh tests/lsp/quickfix_test.sh $(DEV_CLI) .
