#!/usr/bin/env python3
"""Runs the real tamrix-cli. Usage: cli_test.py BINARY SOURCE_DIR CASE"""

import json
import os
import subprocess
import sys
import tempfile

BINARY, SOURCE_DIR, CASE = sys.argv[1], sys.argv[2], sys.argv[3]

SHORT_HEADER = b"\nA t\xe1rgy t\xe1pjai :\n"
NO_FILE = b" : a f\xe1jl nem nyithat\xf3 meg"

# A small data set: a weapon group base 1000 and its grade 1001, skills 3
# and 7 (7 doubles), one prefix "éles" on slot 1 with amounts 4 and 2 at
# grade 1.
SMALL_DATA = {
    "skill.txt": b'-start-\n3 0 "S3"\n7 1 "S7"\n',
    "stditem.txt": b'-start-\r\n1000 11 4 1 1 2 1 "Kard" "kardja"\r\n1001 2 "nagy "\r\n',
    "type.txt": b"-start-\n9\n2\n0 4\n0 2\n",
    "rnditem.txt": b'-start-\n#1450\n"\xe9les"\n9\n3\n7\n',
    "change.txt": b"-start-\n",
}
TEXT_1000 = (b"Kard" + SHORT_HEADER +
             b"+1 ? +2% S7 ezzel a fegyverrel! \nsebz\xe9s : 1d4+1")
TEXT_1451 = (b"az \xe9les nagy kardja" + SHORT_HEADER +
             b"+4 S3 +4% S7 ezzel a fegyverrel! \nsebz\xe9s :")
CHAOS = b"K\xe1osz t\xe1rgy!"

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def run(args, stdin=b"", cwd=None):
    return subprocess.run([BINARY] + args, input=stdin, cwd=cwd,
                          capture_output=True, timeout=60)


def utf8(cp1250):
    return cp1250.decode("cp1250").encode("utf-8")


def write_data(folder, files):
    data = os.path.join(folder, "Data")
    os.makedirs(data, exist_ok=True)
    for name, content in files.items():
        with open(os.path.join(data, name), "wb") as f:
            f.write(content)
    return folder


def case_usage_errors():
    for args in (["--bogus"], ["-x"], ["--raw", "--json"], ["-C"],
                 ["--all", "1000"], ["--check", "1000"], ["--check", "--all"]):
        result = run(args)
        check(result.returncode == 2, f"{args}: exit {result.returncode}, want 2")
        check(result.stdout == b"", f"{args}: nothing on stdout")
        check(result.stderr.startswith(b"tamrix-cli: "), f"{args}: says what was wrong")


def case_help_and_version():
    result = run(["--help"])
    check(result.returncode == 0 and b"Usage: tamrix-cli" in result.stdout, "--help")
    result = run(["--version"])
    check(result.returncode == 0 and result.stdout == b"tamrix-cli 0.9.0\n", "--version")


def case_failed_load():
    with tempfile.TemporaryDirectory() as folder:
        # No Data folder: the skill file is the first one opened.
        for extra in ([], ["--raw"], ["--json"], ["--check"], ["--all"]):
            result = run(["-C", folder] + extra + ["1000"] * (extra != ["--check"]
                                                             and extra != ["--all"]))
            want = b"Data\\skill.txt" + NO_FILE + b"\n"
            if extra != ["--raw"]:
                want = utf8(want)
            check(result.returncode == 1, f"{extra}: exit {result.returncode}, want 1")
            check(result.stdout == b"", f"{extra}: nothing on stdout")
            check(result.stderr == want, f"{extra}: stderr {result.stderr!r}")
        # A rejected line names the file and the line.
        write_data(folder, dict(SMALL_DATA, **{"change.txt": b"-start-\n1450 x 5 2\n"}))
        result = run(["-C", folder, "--check"])
        check(result.returncode == 1, "bad change line fails")
        check(result.stderr == b"Data\\change.txt : x 5 2\n", f"stderr {result.stderr!r}")
    result = run(["-C", os.path.join(SOURCE_DIR, "no such folder"), "1000"])
    check(result.returncode == 1 and result.stdout == b"", "-C into a missing folder")


def case_text_format():
    with tempfile.TemporaryDirectory() as folder:
        write_data(folder, SMALL_DATA)
        result = run(["-C", folder, "1000", "0", "999", "1464", "1451"])
        check(result.returncode == 0, "exit 0")
        want = (utf8(TEXT_1000 + b"\n\n") +       # name line, description lines, empty line
                b"\nErtelmetlen szam\n\n" +       # 0: an empty name line
                b"\n\n" +                        # no item: two empty fields
                utf8(CHAOS + b"\n\n") +
                utf8(TEXT_1451 + b"\n\n"))
        check(result.stdout == want, f"text output {result.stdout!r}")
        # A description that ends with the header's line feed gets no extra one.
        write_data(folder, dict(SMALL_DATA, **{"stditem.txt":
                                               b'-start-\n1000 3 "Pajzs" "pajzsa"\n'}))
        result = run(["-C", folder, "1000"])
        check(result.stdout == utf8(b"Pajzs" + SHORT_HEADER + b"\n"),
              f"header-only text {result.stdout!r}")


def case_raw_format():
    with tempfile.TemporaryDirectory() as folder:
        write_data(folder, SMALL_DATA)
        result = run(["-C", folder, "--raw", "1000", "0", "-5", "1464", "1451"])
        check(result.returncode == 0, "exit 0")
        want = TEXT_1000 + b"\0" + b"\0" + b"\0" + CHAOS + b"\0" + TEXT_1451 + b"\0"
        check(result.stdout == want, f"raw output {result.stdout!r}")


def case_json_format():
    with tempfile.TemporaryDirectory() as folder:
        write_data(folder, dict(SMALL_DATA, **{"skill.txt":
                                               b'-start-\n3 0 "S\\3 "x" \t"\n7 1 "S7"\n'}))
        result = run(["-C", folder, "--json", "1451", "0", "29800"])
        check(result.returncode == 0, "exit 0")
        lines = result.stdout.split(b"\n")
        check(len(lines) == 4 and lines[3] == b"", f"one object per line {result.stdout!r}")
        objects = [json.loads(line) for line in lines[:3]]
        check(objects[0] == {"number": 1451, "name": "az éles nagy kardja",
                             "description": "A tárgy tápjai :\n"
                             "+4 S\\3 \"x\" \t +4% S7 ezzel a fegyverrel! \nsebzés :"},
              f"object {objects[0]!r}")
        check(objects[1] == {"number": 0, "name": "", "description": "Ertelmetlen szam"},
              f"object {objects[1]!r}")
        check(objects[2] == {"number": 29800, "name": "", "description": ""},
              f"object {objects[2]!r}")
        check(b"\\u0009" in lines[0] and b"\\u000a" in lines[0] and b"\t" not in lines[0],
              "control characters escaped")


def case_standard_input():
    with tempfile.TemporaryDirectory() as folder:
        write_data(folder, SMALL_DATA)
        # CR LF endings, blanks, a "+", a last line without a line feed.
        result = run(["-C", folder, "--raw"], stdin=b" 1000 \r\n+1000\n\n1451")
        check(result.returncode == 0, "exit 0")
        check(result.stdout == TEXT_1000 + b"\0\0\0" + TEXT_1451 + b"\0",
              f"stdin numbers {result.stdout!r}")
        check(result.stderr == b"", "no prompt when stdin is no terminal")
        # The current directory is used without -C.
        result = run(["--raw", "1000"], cwd=folder)
        check(result.stdout == TEXT_1000 + b"\0", "Data of the current directory")


def case_sample_check():
    result = run(["-C", SOURCE_DIR, "--check"])
    check(result.returncode == 0, f"exit {result.returncode}: {result.stderr!r}")
    check(result.stdout.startswith(b"Data loaded: 110 skills, 450 standard items, ")
          and result.stdout.count(b"\n") == 1, f"summary {result.stdout!r}")
    result = run(["-C", SOURCE_DIR, "--check", "--json"])
    summary = json.loads(result.stdout)
    check(set(summary) == {"skills", "standardItems", "types", "randomPrefixes",
                           "changeRecords"}, f"json summary {summary!r}")


def case_sample_all():
    raw = run(["-C", SOURCE_DIR, "--all", "--raw"])
    check(raw.returncode == 0, "exit 0")
    records = raw.stdout.split(b"\0")
    check(records[-1] == b"" and len(records) - 1 == 28800,
          f"{len(records) - 1} records, want 28800")
    lines = run(["-C", SOURCE_DIR, "--all", "--json"]).stdout.splitlines()
    check(len(lines) == 28800, f"{len(lines)} json lines")
    numbers = [json.loads(line)["number"] for line in lines]
    check(numbers == list(range(1000, 29800)), "every number in order")
    # Each record is what the number alone gives.
    for number in (1000, 2385, 1464, 29799):
        single = run(["-C", SOURCE_DIR, "--raw", str(number)]).stdout
        check(single == records[number - 1000] + b"\0", f"--all record of {number}")
    text = run(["-C", SOURCE_DIR, "--all"]).stdout
    check(text.count(b"\n\n") >= 28800, "text records end with an empty line")


globals()["case_" + CASE]()
if failures:
    sys.exit(1)
print("ok:", CASE)
