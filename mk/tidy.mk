# Lint: the checks of .clang-tidy on the engine's sources and headers, with
# the native build's compile commands. The tidy step of `make test`.
.PHONY: tidy
tidy: build
	git ls-files $(foreach f,$(ENGINE_FOLDERS),'$(f)/*.cpp') | \
	  xargs -P $(JOBS) -n 4 clang-tidy -p build/dev --quiet
