# Coverage: `make coverage` builds the unit tests with gcc's counters (the
# `coverage` preset, build/coverage), runs them and prints the line and
# branch coverage of the engine's folders, file by file and in total. It is
# not a step of `make test`.
COVERAGE_BUILD := build/coverage

.PHONY: coverage
coverage:
	$(CMAKE) --preset coverage
	$(CMAKE) --build --preset coverage -j $(JOBS) --target tamrix_tests
	find $(COVERAGE_BUILD) -name '*.gcda' -delete
	$(COVERAGE_BUILD)/tests/tamrix_tests --gtest_brief=1
	gcovr --root . $(foreach f,$(ENGINE_FOLDERS),--filter '$(f)/') \
	  --exclude-unreachable-branches --exclude-throw-branches --print-summary $(COVERAGE_BUILD)
