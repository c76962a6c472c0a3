# The sample data set: the generator's own check re-reads the files and
# renders every description, so a hand edit that breaks the set is caught,
# and compares each description with tamrix-cli's, a second opinion on the
# engine.
.PHONY: test-sample-data
test-sample-data: build
	python3 scripts/make-sample-data.py --check --cli $(DEV_CLI)
