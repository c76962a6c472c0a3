# Benchmarks: `make bench` builds the optimised tamrix-bench and tamrix-cli,
# runs every benchmark five times and prints the medians, the ratios against
# the floors measured in the same run, the peak memory of
# `tamrix-cli --all --raw`, and the peak memory per byte of describing and
# checking the hostile sets of bench/hostile_sets.py and the large set, by
# tamrix-cli and by the page's engine (the wasm of `make web`, under Node),
# and the time from an edit to its diagnostics in `tamrix-cli --lsp`
# (bench/lsp_latency.py). The test-bench step of `make test` runs each
# benchmark briefly, once, the memory runs on small sets and two edits, so
# that they keep building and running; it checks no timing and no target.
BENCH_BUILD := build/release
BENCH_REPETITIONS ?= 5

.PHONY: build-bench bench test-bench

build-bench:
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release -j $(JOBS) --target tamrix-bench tamrix-cli

bench: build-bench web
	python3 scripts/bench-report.py --bench $(BENCH_BUILD)/bench/tamrix-bench \
	  --cli $(BENCH_BUILD)/app/cli/tamrix-cli --data-root "$(CURDIR)" \
	  --wasm $(WEB_BUILD)/app/web/tamrix-web.wasm \
	  --json $(BENCH_BUILD)/tamrix-bench.json --repetitions $(BENCH_REPETITIONS)

test-bench: build-bench web
	$(BENCH_BUILD)/bench/tamrix-bench --benchmark_min_time=0.001
	python3 scripts/bench-report.py --cli $(BENCH_BUILD)/app/cli/tamrix-cli --data-root "$(CURDIR)" \
	  --wasm $(WEB_BUILD)/app/web/tamrix-web.wasm --memory-only --hostile-bytes 200000
	python3 bench/lsp_latency.py $(BENCH_BUILD)/app/cli/tamrix-cli "$(CURDIR)" --edits 2
