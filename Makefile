# Tamrix: the two commands that matter are `make run` and `make test`.
# `make check` is the fast inner loop: native build and unit tests only.

CMAKE ?= cmake
CTEST ?= ctest
JOBS  ?= $(shell nproc)
# The command-line tool of the native build, which several steps run.
DEV_CLI := build/dev/app/cli/tamrix-cli
# The engine's folders, which the lint and the coverage report look at.
ENGINE_FOLDERS := text database decoder search authoring disk

# Steps that `make test` runs after the format check and the native suite,
# in the order the README lists them; each is defined in one of mk/*.mk.
TEST_STEPS := test-ratio tidy test-sample-data test-windows test-js test-web test-cards test-npm test-lsp test-vscode test-deb test-run-deps \
              test-asan test-fuzz test-valgrind test-bench

.PHONY: all deps deps-run build check test test-native test-ratio format format-check clean
all: build

# Everything `make test` needs; deps-run only what building and opening the
# dialog need.
deps:
	bash scripts/install-deps.sh test

deps-run:
	bash scripts/install-deps.sh run

build:
	$(CMAKE) --preset dev
	$(CMAKE) --build --preset dev -j $(JOBS)

check: build
	$(CTEST) --preset unit -j $(JOBS)

test-native: build
	$(CTEST) --preset dev

# The tests against the product code, in lines: at most 40%.
test-ratio:
	bash scripts/test-ratio.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build

include $(sort $(wildcard mk/*.mk))

test: deps
	$(MAKE) format-check
	$(MAKE) test-native
	@for step in $(TEST_STEPS); do $(MAKE) $$step || exit 1; done
	@echo "make test: all steps passed"
