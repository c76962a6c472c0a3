# `make run`: the dialog on the sample data in the repository's Data folder.
# It installs only what building and opening the dialog need and builds the
# programs without the tests (the `run` preset, build/run). Without a usable
# X display it says so in one line and starts tamrix-cli on the same data
# instead, reading item numbers from the terminal.
#
# The test-run-deps step of `make test` checks that promise: the `run`
# preset builds both programs with the test-only packages treated as absent.
RUN_BUILD := build/run
TAMRIX_GUI := $(RUN_BUILD)/app/fltk/tamrix
TAMRIX_CLI := $(RUN_BUILD)/app/cli/tamrix-cli
RUN_ONLY_BUILD := build/run-deps-check

.PHONY: run build-run test-run-deps

build-run:
	$(CMAKE) --preset run
	$(CMAKE) --build --preset run -j $(JOBS)

run: deps-run build-run
	@cd "$(CURDIR)"; \
	if [ ! -x $(TAMRIX_GUI) ]; then \
	  echo "The dialog is not built (FLTK missing): starting tamrix-cli on the sample data instead (Ctrl-D ends)."; \
	  exec $(TAMRIX_CLI); \
	elif [ -z "$$DISPLAY" ] || { command -v xdpyinfo >/dev/null 2>&1 && ! xdpyinfo >/dev/null 2>&1; }; then \
	  echo "No display: starting tamrix-cli on the sample data instead (Ctrl-D ends)."; \
	  exec $(TAMRIX_CLI); \
	fi; \
	$(TAMRIX_GUI) || true  # the dialog always ends with exit code 1

test-run-deps:
	bash scripts/check-run-deps.sh $(RUN_ONLY_BUILD)
