#!/usr/bin/env python3
"""Runs tamrix-bench and tamrix-cli and prints the figures that matter:
the median of each benchmark, the ratios against the floors measured in the
same run, the peak memory of describing the whole catalogue, and the peak
memory per byte of describing and checking hostile data sets (bench/
hostile_sets.py) and the large set, and how long `tamrix-cli --lsp` takes to
publish an edit's diagnostics (bench/lsp_latency.py).

  bench-report.py --bench BENCH --cli CLI --data-root DIR [--json OUT]
                  [--repetitions N] [--hostile-bytes N] [--strict]
  bench-report.py --from-json OUT [--strict]    (figures of an earlier run)
  bench-report.py --cli CLI --data-root DIR --memory-only [--hostile-bytes N]

With --wasm (the engine of `make web`) the memory rows include the page's
engine, run under Node: its memory after the load and the page's list of
warnings, less the bytes of the files copied in.

With --strict the exit status is 1 when a target is missed.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bench"))
import hostile_sets  # noqa: E402
import lsp_latency  # noqa: E402

# name, numerator, denominator, limit. The limits are guards that keep the
# algorithms linear and the lookups free of scans, not goals to tune for.
RATIOS = [
    ("describe, large set / sample set", "BM_DescribeAllLarge", "BM_DescribeAllSample", 1.5),
    ("load large set / its line-reading floor", "BM_LoadLarge", "BM_ReadLinesFloorLarge", 8.0),
    ("describe all, sample / text-copying floor", "BM_DescribeAllSample", "BM_CopyTextsFloor", 40.0),
    ("catalogue + one query / describe all", "BM_CatalogueAndQuerySample", "BM_DescribeAllSample",
     1.5),
    ("query, a word / describe all", "BM_QueryWord", "BM_DescribeAllSample", 0.5),
    ("query, a comparison / describe all", "BM_QueryComparison", "BM_DescribeAllSample", 0.5),
    ("query, five terms / describe all", "BM_QueryFiveTerms", "BM_DescribeAllSample", 0.5),
    ("query sorted / unsorted, sample set", "BM_QuerySortedComparison", "BM_QueryComparison", 1.5),
    ("query sorted / unsorted, large set", "BM_QuerySortedComparisonLarge",
     "BM_QueryComparisonLarge", 1.5),
    ("weapons by damage / describe all", "BM_QuerySortedWeapons", "BM_DescribeAllSample", 0.5),
]
PEAK_MEMORY_LIMIT_KB = 8 * 1024
# Describing or checking a data set holds at most this many bytes per byte of
# the set beyond what the same run holds for the sample set.
MEMORY_PER_BYTE_LIMIT = 4.0
# What each hostile set is measured with: a description, and the check.
MEMORY_RUNS = (("describe", ["2385"], (0,)), ("check", ["--check", "--strict"], (0, 3)))

# Times are compared as CPU time: the machine may be shared, and waiting for
# it is not the program's cost.
TIME_FIELD = "cpu_time"
SCALE = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def run_bench(bench, json_out, repetitions):
    args = [
        bench,
        f"--benchmark_repetitions={repetitions}",
        # Repetitions of different benchmarks take turns in a random order, so
        # that a busy or cooling machine does not favour one side of a ratio.
        "--benchmark_enable_random_interleaving=true",
        "--benchmark_report_aggregates_only=true",
        f"--benchmark_out={json_out}",
        "--benchmark_out_format=json",
    ]
    subprocess.run(args, check=True)


def medians(report):
    """Seconds per iteration and per item of each benchmark's median."""
    result = {}
    for row in report["benchmarks"]:
        if row.get("aggregate_name", "median") != "median":
            continue
        if row.get("error_occurred"):
            raise SystemExit(f"bench-report: {row['name']} failed: {row.get('error_message')}")
        name = row.get("run_name", row["name"])
        seconds = row[TIME_FIELD] * SCALE[row.get("time_unit", "ns")]
        items = row.get("items_per_second")
        result[name] = {
            "seconds": seconds,
            "per_item": 1.0 / items if items else None,
            "bytes_per_second": row.get("bytes_per_second"),
        }
    return result


def peak_kb(command, statuses=(0,)):
    """Peak resident memory of running `command`, in KiB; None without GNU time.

    GNU time measures it: a child started from this script would count the
    script's own memory, which it shares until the program is loaded."""
    time_program = shutil.which("time", path="/usr/bin:/bin") or "/usr/bin/time"
    if not os.path.exists(time_program):
        return None
    with tempfile.NamedTemporaryFile("r", suffix=".txt") as measured, \
            open(os.devnull, "wb") as sink:
        result = subprocess.run([time_program, "-f", "%M", "-o", measured.name, *command],
                                stdout=sink, stderr=sink)
        if result.returncode not in statuses:
            raise SystemExit(f"bench-report: {' '.join(command)} ended with {result.returncode}")
        return int(measured.read().split()[-1])


def peak_memory_kb(cli, data_root):
    """Peak resident memory of `tamrix-cli --all --raw`, in KiB."""
    peak = peak_kb([cli, "-C", data_root, "--all", "--raw"])
    if peak is None:
        print("bench-report: /usr/bin/time is missing; peak memory not measured")
    return peak


def read_bytes(folder):
    return sum(os.path.getsize(os.path.join(folder, "Data", name))
               for name in hostile_sets.READ_FILES)


PAGE_MEMORY_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bench",
                                  "page_memory.mjs")


def page_engine_kb(wasm, folder):
    """The page engine's memory after loading `folder`'s Data and listing its
    warnings, less the bytes copied in, in KiB; None without Node or the engine."""
    node = shutil.which("node")
    if not wasm or not node or not os.path.exists(wasm):
        return None
    result = subprocess.run([node, PAGE_MEMORY_SCRIPT, wasm, folder], check=True,
                            capture_output=True, text=True)
    measured = json.loads(result.stdout.splitlines()[-1])
    return (measured["memory"] - measured["bytes"]) / 1024


def memory_per_byte(cli, data_root, hostile_bytes, large_set_writer, wasm=None):
    """Rows of (set, bytes, run, peak KiB, bytes held per byte of the set
    beyond the sample set's peak) for each hostile shape and the large set,
    and the peak of refusing a set just past the size limit. With `wasm`,
    rows for the page's engine too (run "page")."""
    sample = os.path.join(data_root, "Data")
    base = {run: peak_kb([cli, "-C", data_root, *args], statuses)
            for run, args, statuses in MEMORY_RUNS}
    if None in base.values():
        return None, None
    page_base = page_engine_kb(wasm, data_root)
    if wasm and page_base is None:
        print(f"bench-report: node or {wasm} is missing; the page's engine not measured")
    rows = []
    with tempfile.TemporaryDirectory(prefix="tamrix-hostile-") as scratch:
        sets = []
        for shape in sorted(hostile_sets.SHAPES):
            folder = os.path.join(scratch, shape)
            hostile_sets.write_set(shape, hostile_bytes, folder, sample)
            sets.append((shape, folder))
        if large_set_writer:
            folder = os.path.join(scratch, "large")
            subprocess.run([large_set_writer, f"--write_large_set={folder}/Data"], check=True,
                           stdout=subprocess.DEVNULL)
            sets.append(("large set", folder))
        for name, folder in sets:
            size = read_bytes(folder)
            for run, args, statuses in MEMORY_RUNS:
                peak = peak_kb([cli, "-C", folder, *args], statuses)
                rows.append((name, size, run, peak, (peak - base[run]) * 1024 / size))
            if page_base is not None:
                peak = page_engine_kb(wasm, folder)
                rows.append((name, size, "page", peak, (peak - page_base) * 1024 / size))
            shutil.rmtree(folder)
        refused = None
        if hostile_bytes >= 1 << 20:
            folder = os.path.join(scratch, "past-limit")
            hostile_sets.write_set("tiny-types", hostile_sets.LIMIT_BYTES + 1, folder, sample)
            # A program from before the limit loads it; its peak is shown all the same.
            refused = peak_kb([cli, "-C", folder, "2385"], (0, 1))
    return rows, refused


def report_memory(rows, refused):
    missed = []
    print(f"Peak memory per byte of the data set, beyond the sample set's peak "
          f"(target <= {MEMORY_PER_BYTE_LIMIT:g})")
    for name, size, run, peak, per_byte in rows:
        verdict = "met" if per_byte <= MEMORY_PER_BYTE_LIMIT else "MISSED"
        if per_byte > MEMORY_PER_BYTE_LIMIT:
            missed.append(f"memory, {name} {run}")
        print(f"  {name:20} {size / 1e6:7.2f} MB  {run:8} {peak / 1024:8.1f} MiB "
              f"{per_byte:6.2f}  {verdict}")
    if refused is not None:
        print(f"  {'tiny-types past limit':20} {(hostile_sets.LIMIT_BYTES + 1) / 1e6:7.2f} MB  "
              f"{'describe':8} {refused / 1024:8.1f} MiB")
    print()
    return missed


def format_time(seconds):
    for unit, factor in (("s", 1.0), ("ms", 1e-3), ("us", 1e-6)):
        if seconds >= factor:
            return f"{seconds / factor:8.3f} {unit}"
    return f"{seconds / 1e-9:8.1f} ns"


def report(figures, context, peak_kb):
    missed = []
    print()
    print(f"Tamrix benchmarks: median {TIME_FIELD.replace('_', ' ')} of the repetitions")
    if context:
        sample = int(context.get("sample_bytes", 0))
        large = int(context.get("large_bytes", 0))
        if sample:
            print(f"  sample set {sample} bytes, large set {large} bytes "
                  f"({large / sample:.0f} times), "
                  f"{context.get('large_type_records', '?')} type and "
                  f"{context.get('large_change_records', '?')} change records")
    for name, figure in sorted(figures.items()):
        per_item = figure["per_item"]
        throughput = figure["bytes_per_second"]
        extra = f"   {per_item * 1e9:7.1f} ns per text" if per_item else \
            f"   {throughput / 1e6:7.1f} MB/s" if throughput else ""
        print(f"  {name:26} {format_time(figure['seconds'])}{extra}")
    print()
    print("Ratios (target in brackets)")
    for label, top, bottom, limit in RATIOS:
        if top not in figures or bottom not in figures:
            print(f"  {label:44} not measured")
            missed.append(label)
            continue
        a, b = figures[top], figures[bottom]
        # Per-item times where both have them, so sets of different sizes
        # compare; the search benchmarks count no items and compare whole runs.
        ratio = (a["per_item"] / b["per_item"]) if a["per_item"] and b["per_item"] \
            else a["seconds"] / b["seconds"]
        verdict = "met" if ratio <= limit else "MISSED"
        if ratio > limit:
            missed.append(label)
        print(f"  {label:44} {ratio:6.2f}  (<= {limit:g})  {verdict}")
    if peak_kb is not None:
        verdict = "met" if peak_kb < PEAK_MEMORY_LIMIT_KB else "MISSED"
        if peak_kb >= PEAK_MEMORY_LIMIT_KB:
            missed.append("peak memory")
        print(f"  {'tamrix-cli --all --raw, peak memory':44} {peak_kb / 1024:6.2f} MiB "
              f"(< {PEAK_MEMORY_LIMIT_KB // 1024} MiB)  {verdict}")
    print()
    return missed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bench", help="the tamrix-bench program")
    parser.add_argument("--cli", help="the tamrix-cli program, for the peak memory")
    parser.add_argument("--data-root", default=".",
                        help="the folder whose Data folder tamrix-cli reads")
    parser.add_argument("--json", default="tamrix-bench.json", help="where the results go")
    parser.add_argument("--from-json", help="report an earlier run's results instead")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--strict", action="store_true",
                        help="exit with status 1 when a target is missed")
    parser.add_argument("--hostile-bytes", type=int, default=16 << 20,
                        help="the size of each hostile data set")
    parser.add_argument("--memory-only", action="store_true",
                        help="measure only the memory per byte, with --cli")
    parser.add_argument("--wasm", help="the page's engine (make web), measured under Node")
    options = parser.parse_args()

    if options.memory_only:
        if not options.cli:
            parser.error("--memory-only needs --cli")
        rows, refused = memory_per_byte(options.cli, options.data_root, options.hostile_bytes,
                                        None, options.wasm)
        if rows is None:
            print("bench-report: /usr/bin/time is missing; peak memory not measured")
            return 0
        print()
        missed = report_memory(rows, refused)
        return 1 if missed and options.strict else 0

    json_path = options.from_json or options.json
    if not options.from_json:
        if not options.bench:
            parser.error("--bench or --from-json is needed")
        run_bench(options.bench, json_path, options.repetitions)
    with open(json_path, encoding="utf-8") as results:
        data = json.load(results)
    peak = peak_memory_kb(options.cli, options.data_root) if options.cli else None
    missed = report(medians(data), data.get("context", {}), peak)
    if options.cli and options.bench:
        rows, refused = memory_per_byte(options.cli, options.data_root, options.hostile_bytes,
                                        options.bench, options.wasm)
        if rows is not None:
            missed += report_memory(rows, refused)
    if options.cli:
        missed += lsp_latency.report(*lsp_latency.measure(options.cli, options.data_root))
    if missed:
        print("Missed: " + ", ".join(missed))
    return 1 if missed and options.strict else 0


if __name__ == "__main__":
    sys.exit(main())
