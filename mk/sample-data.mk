# The sample data set: the generator's own check re-reads the files and
# renders every description, so a hand edit that breaks the set is caught.
.PHONY: test-sample-data
TEST_STEPS += test-sample-data
test-sample-data:
	python3 scripts/make-sample-data.py --check
