#!/usr/bin/env python3
"""Runs the real tamrix-cli on the hostile data sets of bench/hostile_sets.py:
each loads and raises the warnings it is built to raise, a set of exactly
the size limit loads, and one byte more is refused in the load error's form.
Usage: hostile_sets_test.py BINARY SOURCE_DIR"""

import os
import subprocess
import sys
import tempfile

BINARY, SOURCE_DIR = os.path.abspath(sys.argv[1]), sys.argv[2]
sys.path.insert(0, os.path.join(SOURCE_DIR, "bench"))
import hostile_sets  # noqa: E402

SAMPLE = os.path.join(SOURCE_DIR, "Data")
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def run(folder, *args):
    return subprocess.run([BINARY, "-C", folder, *args], capture_output=True, timeout=120)


def warnings_of(result):
    return result.stdout.count(b": warning: ")


described = run(SOURCE_DIR, "2385")
base_warnings = warnings_of(run(SOURCE_DIR, "--check"))
with tempfile.TemporaryDirectory() as scratch:
    for shape in sorted(hostile_sets.SHAPES):
        folder = os.path.join(scratch, shape)
        made = hostile_sets.write_set(shape, 300000, folder, SAMPLE)
        check(made["bytes"] == 300000 and made["records"] > 0, f"{shape} {made}")
        check(run(folder, "2385").stdout == described.stdout, f"{shape} describes as the sample")
        checked = run(folder, "--check")
        check(checked.returncode == 0 and
              warnings_of(checked) == base_warnings + made["warnings"],
              f"{shape}: {warnings_of(checked)} warnings, {made['warnings']} more than "
              f"{base_warnings} wanted")
        if shape != "warning-every-line":
            continue
        # The first N, then how many more; --strict still counts them all.
        total = base_warnings + made["warnings"]
        limited = run(folder, "--check", "--strict", "--max-warnings", "10")
        check(limited.returncode == 3 and warnings_of(limited) == 10 and
              limited.stdout.endswith(f"\n{total - 10} more warnings not shown "
                                      "(--max-warnings 10)\n".encode()) and
              limited.stdout.splitlines()[:21] == checked.stdout.splitlines()[:21],
              f"--max-warnings 10 {limited.stdout[-200:]}")
        limited = run(folder, "--check", "--json", "--max-warnings", "0")
        check(limited.stdout.splitlines()[1:] ==
              [f'{{"warnings_not_shown":{total}}}'.encode()], f"--json {limited.stdout}")
        check(run(folder, "--check", "--max-warnings", str(total)).stdout == checked.stdout,
              "as many as there are")
        check(run(folder, "--check", "--max-warnings", str(total - 1)).stdout.endswith(
            f"\n1 more warning not shown (--max-warnings {total - 1})\n".encode()), "one more")

    at_limit = os.path.join(scratch, "at-limit")
    hostile_sets.write_set("long-lines", hostile_sets.LIMIT_BYTES, at_limit, SAMPLE)
    check(run(at_limit, "2385").stdout == described.stdout, "a set of the limit's size loads")

    past = os.path.join(scratch, "past-limit")
    hostile_sets.write_set("long-lines", hostile_sets.LIMIT_BYTES + 1, past, SAMPLE)
    refused = run(past, "2385")
    check(refused.returncode == 1 and refused.stdout == b"" and
          refused.stderr == "Data\\change.txt : az adatkészlet nagyobb 64 MB-nál\n".encode(),
          f"refused {refused}")
    refused = run(past, "--check")
    check(refused.returncode == 1 and
          b"Data/change.txt: error: the data files hold more than 64 MB together" in refused.stderr,
          f"--check refused {refused}")

sys.exit(1 if failures else 0)
