# `make run`: the dialog on the sample data in the repository's Data folder.
# Without a usable X display it says so in one line and starts tamrix-cli on
# the same data instead, reading item numbers from the terminal.
TAMRIX_GUI := build/dev/app/fltk/tamrix
TAMRIX_CLI := build/dev/app/cli/tamrix-cli

.PHONY: run
run: deps build
	@cd "$(CURDIR)"; \
	if [ ! -x $(TAMRIX_GUI) ]; then \
	  echo "The dialog is not built (FLTK missing): starting tamrix-cli on the sample data instead (Ctrl-D ends)."; \
	  exec $(TAMRIX_CLI); \
	elif [ -z "$$DISPLAY" ] || { command -v xdpyinfo >/dev/null 2>&1 && ! xdpyinfo >/dev/null 2>&1; }; then \
	  echo "No display: starting tamrix-cli on the sample data instead (Ctrl-D ends)."; \
	  exec $(TAMRIX_CLI); \
	fi; \
	$(TAMRIX_GUI) || true  # the dialog always ends with exit code 1
