# `make run`: the dialog on the sample data where there is a display,
# otherwise tamrix-cli on the sample data, interactively.
.PHONY: run
run: build
	@if [ -x build/dev/app/fltk/tamrix ] && [ -n "$$DISPLAY" ]; then \
	  cd . && build/dev/app/fltk/tamrix; \
	else \
	  echo "No display: starting tamrix-cli on the sample data (type item numbers, Ctrl-D ends)."; \
	  build/dev/app/cli/tamrix-cli; \
	fi
