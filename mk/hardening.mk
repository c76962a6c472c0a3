# Hardening: the unit and CLI tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, every fuzzer for FUZZ_SECONDS each, and
# tamrix-cli under Valgrind memcheck. `make test` runs all three;
# `make fuzz FUZZ_SECONDS=600` runs only the fuzzers, as long as asked.
FUZZ_SECONDS ?= 60

.PHONY: test-asan build-fuzz fuzz test-fuzz test-valgrind

test-asan:
	$(CMAKE) --preset asan
	$(CMAKE) --build --preset asan -j $(JOBS)
	$(CTEST) --preset asan -j $(JOBS)

build-fuzz:
	$(CMAKE) --preset fuzz
	$(CMAKE) --build --preset fuzz -j $(JOBS)

fuzz test-fuzz: build-fuzz
	bash scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

test-valgrind: build
	bash scripts/valgrind-check.sh $(DEV_CLI) "$(CURDIR)"
