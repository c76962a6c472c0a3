#!/usr/bin/env python3
"""Runs the real tamrix-cli. Usage: cli_test.py BINARY SOURCE_DIR CASE"""

import json
import os
import subprocess
import sys
import tempfile

BINARY, SOURCE_DIR, CASE = os.path.abspath(sys.argv[1]), *sys.argv[2:4]
HEADER = b"\nA t\xe1rgy t\xe1pjai :\n"
# A weapon group base 1000 with grade 1001, skills 3 and 7 (7 doubles) and
# prefix "éles" on slot 1 giving 4 and 2 at every grade.
DATA = {
    "skill.txt": b'-start-\n3 0 "S3"\n7 1 "S7"\n',
    "stditem.txt": b'-start-\r\n1000 11 4 1 1 2 1 "Kard" "kardja"\r\n1001 2 "nagy "\r\n',
    "type.txt": b"-start-\n9\n2\n4 4\n2 2\n",
    "rnditem.txt": b'-start-\n#1450\n"\xe9les"\n9\n3\n7\n',
    "change.txt": b"-start-\n",
}
T1000 = b"Kard" + HEADER + b"+1 ? +2% S7 ezzel a fegyverrel! \nsebz\xe9s : 1d4+1"
T1451 = b"az \xe9les nagy kardja" + HEADER + b"+4 S3 +4% S7 ezzel a fegyverrel! \nsebz\xe9s :"
CHAOS = b"K\xe1osz t\xe1rgy!"
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def run(*args, stdin=b"", cwd=None):
    return subprocess.run([BINARY, *args], input=stdin, cwd=cwd, capture_output=True, timeout=60)


def utf8(cp1250):
    return cp1250.decode("cp1250").encode("utf-8")


def data_dir(folder, **changed):
    os.makedirs(os.path.join(folder, "Data"), exist_ok=True)
    for name, content in dict(DATA, **changed).items():
        with open(os.path.join(folder, "Data", name), "wb") as f:
            f.write(content)
    return folder


def case_usage():
    for args in (["--bogus"], ["--raw", "--json"], ["-C"], ["--all", "1000"], ["--check", "1"]):
        r = run(*args)
        check(r.returncode == 2 and r.stdout == b"" and r.stderr.startswith(b"tamrix-cli: "), args)
    check(run("--version").stdout == b"tamrix-cli 0.9.0\n", "--version")


def case_failed_load():
    missing = b"Data\\skill.txt : a f\xe1jl nem nyithat\xf3 meg\n"
    with tempfile.TemporaryDirectory() as folder:
        for mode in (["1000"], ["--raw", "1000"], ["--json", "1"], ["--all"]):
            r = run("-C", folder, *mode)
            want = missing if mode[0] == "--raw" else utf8(missing)
            check(r.returncode == 1 and r.stdout == b"" and r.stderr == want, f"{mode} {r}")
        r = run("-C", data_dir(folder, **{"change.txt": b"-start-\n1450 x 5 2\n"}), "1")
        check(r.returncode == 1 and r.stderr == b"Data\\change.txt : x 5 2\n", f"rejected {r}")


def case_formats():
    with tempfile.TemporaryDirectory() as folder:
        numbers = ["-C", data_dir(folder), "1000", "0", "-5", "1464", "1451"]
        r = run(*numbers)
        check(r.returncode == 0 and r.stdout == utf8(
            T1000 + b"\n\n\nErtelmetlen szam\n\n\n\n" + CHAOS + b"\n\n" + T1451 + b"\n\n"),
            f"text {r}")
        r = run("--raw", *numbers)
        check(r.stdout == T1000 + b"\0\0\0" + CHAOS + b"\0" + T1451 + b"\0", f"raw {r}")
        lines = run("--json", *numbers).stdout.split(b"\n")
        check(len(lines) == 6 and lines[5] == b"" and b"\\u000a" in lines[0], "json lines")
        objects = [json.loads(line) for line in lines[:5]]
        check(objects[1] == {"number": 0, "name": "", "description": "Ertelmetlen szam"} and
              objects[4] == {"number": 1451, "name": "az éles nagy kardja",
                             "description": utf8(T1451).decode().split("\n", 1)[1]}, objects)
        # --all skips the empty texts: prefixes 2 to 63 have no type, only chaos items.
        check(run("--all", "--raw", cwd=folder).stdout.count(b"\0") == 450 + 450 + 62 * 30, "--all")
        # Numbers from standard input: CR LF, blanks, "+", a last line without LF.
        r = run("--raw", stdin=b" 1000 \r\n+1000\n\n1451", cwd=folder)
        check(r.stdout == T1000 + b"\0\0\0" + T1451 + b"\0" and r.stderr == b"", f"stdin {r}")
        # A description ending with the header's line feed gets no second one.
        data_dir(folder, **{"stditem.txt": b'-start-\n1000 3 "Pajzs" "p"\n'})
        check(run("-C", folder, "1000").stdout == utf8(b"Pajzs" + HEADER + b"\n"), "header only")


def lines_of(raw_text):
    return utf8(raw_text).decode().split("\n")


def case_check_places():
    """--check after a failed load: the error, then where and why."""
    cannot_open = ": the file cannot be opened: it is missing, a folder, or not readable\n"
    with tempfile.TemporaryDirectory() as folder:
        r = run("-C", folder, "--check")
        want = utf8(b"Data\\skill.txt : a f\xe1jl nem nyithat\xf3 meg\n")
        check(r.returncode == 1 and r.stdout == b"" and r.stderr == want +
              f"{folder}/Data/skill.txt{cannot_open}".encode(), f"--check missing {r}")
        r = run("-C", folder, "--check", "--json")
        check(r.returncode == 1 and json.loads(r.stdout) == {
            "ok": False, "file": f"{folder}/Data/skill.txt", "line": None,
            "error": "Data\\skill.txt : a fájl nem nyitható meg",
            "explanation": cannot_open[2:-1]}, f"--check --json {r}")
        data_dir(folder, **{"change.txt": b"-start-\r\n\r\n1450 x 5 2\r\n"})
        r = run("-C", folder, "--check")
        check(r.returncode == 1 and r.stderr == b"Data\\change.txt : x 5 2\n" +
              f"{folder}/Data/change.txt:3: this field of the change record is not a number\n"
              .encode(), f"--check rejected line {r}")
    # The folder that was tried, as the author would type it.
    r = run("-C", "Data", "--check", cwd=SOURCE_DIR)
    check(r.stderr.endswith(f"{SOURCE_DIR}/Data/Data/skill.txt{cannot_open}".encode()), f"{r}")


def case_warnings():
    r = run("-C", SOURCE_DIR, "--check", "--strict")
    check(r.returncode == 0 and r.stdout.count(b"\n") == 1, f"sample set warns {r}")
    with tempfile.TemporaryDirectory() as folder:
        data_dir(folder)
        r = run("-C", folder, "--check")
        lines = r.stdout.decode().splitlines()
        check(r.returncode == 0 and lines[0].startswith("Data loaded: 2 skills") and
              f"{folder}/Data/stditem.txt: warning: no line gives item number 1002 to 1449: "
              "its name reads \"?\" [std-slot-empty]" in lines, f"--check warnings {r}")
        check(run("-C", folder, "--check", "--strict").returncode == 3, "--strict")
        objects = [json.loads(line) for line in run("-C", folder, "--check", "--json").stdout
                   .splitlines()]
        check(objects[0]["skills"] == 2 and len(objects) == len(lines) and
              {"warning": "prefix-slot-empty", "file": f"{folder}/Data/rnditem.txt", "line": None,
               "message": "no entry gives random prefix 2 to 63 (item numbers 1900 to 29799): "
                          "they have no description"} in objects, f"--check --json {objects}")


def case_explain():
    with tempfile.TemporaryDirectory() as folder:
        data_dir(folder)
        r = run("-C", folder, "--explain", "1451", "0")
        text = r.stdout.decode()
        for line in ("1451: random prefix 1, slot 1, group base 0, grade 1",
                     f"  {folder}/Data/rnditem.txt:2: random prefix 1 \"éles\", type 9",
                     f"  {folder}/Data/rnditem.txt:2: amount line 2 gives 2 to skill index 7 (the "
                     f"prefix's own), doubled by the skill's flag at {folder}/Data/skill.txt:3: "
                     "+4 to skill 7 \"S7\"",
                     "  bonus sums: skill 3 \"S3\" 4, skill 7 \"S7\" 4",
                     "    az éles nagy kardja",
                     "0: no item number (items are 1000 to 29799)"):
            check(r.returncode == 0 and line in text.split("\n"), f"--explain: {line}\n{text}")
        objects = [json.loads(line) for line in
                   run("-C", folder, "--json", "--explain", "1451").stdout.splitlines()]
        check(len(objects) == 1 and objects[0]["item"]["prefix"] == 1 and
              [c["added"] for c in objects[0]["contributions"]] == [4, 4] and
              objects[0]["description"] == utf8(T1451).decode(), f"--explain --json {objects}")
        for args in (["--explain"], ["--explain", "--raw", "1"], ["--strict"], ["--diff"],
                     ["--diff", folder, "1"], ["--diff", folder, "--check"]):
            check(run(*args).returncode == 2, f"usage {args}")


def case_diff():
    with tempfile.TemporaryDirectory() as old, tempfile.TemporaryDirectory() as new:
        data_dir(old)
        data_dir(new, **{"stditem.txt": DATA["stditem.txt"].replace(b"nagy", b"kis")})
        r = run("-C", old, "--diff", new)
        want = []
        for number in (1001, 1451):
            want += [f"{number} changed"]
            want += ["- " + line for line in lines_of(run("-C", old, "--raw", str(number)).stdout[:-1])]
            want += ["+ " + line for line in lines_of(run("-C", new, "--raw", str(number)).stdout[:-1])]
        want += ["2 numbers differ: 2 changed, 0 appeared, 0 disappeared", ""]
        check(r.returncode == 1 and r.stdout.decode().split("\n") == want, f"--diff {r}")
        objects = [json.loads(line) for line in run("-C", old, "--json", "--diff", new).stdout
                   .splitlines()]
        check([(o["number"], o["change"]) for o in objects] == [(1001, "changed"), (1451, "changed")]
              and objects[1]["old"] == utf8(T1451).decode(), f"--diff --json {objects}")
        r = run("-C", old, "--diff", old)
        check(r.returncode == 0 and r.stdout == b"0 numbers differ: 0 changed, 0 appeared, "
              b"0 disappeared\n", f"--diff same {r}")
        # Prefix 1 disappears: all its numbers but the chaos items, whose text stays.
        data_dir(new, **{"rnditem.txt": b"-start-\n"})
        r = run("-C", old, "--diff", new)
        check(r.returncode == 1 and r.stdout.decode().splitlines()[-1] ==
              "420 numbers differ: 0 changed, 0 appeared, 420 disappeared", f"--diff prefix {r}")
        # The other set does not load: its error, and trouble as diff(1) has it.
        os.remove(os.path.join(new, "Data", "type.txt"))
        r = run("-C", old, "--diff", new)
        check(r.returncode == 2 and r.stdout == b"" and r.stderr.startswith(
            utf8(b"Data\\type.txt : a f\xe1jl nem nyithat\xf3 meg\n") +
            os.path.join(new, "Data", "type.txt").encode()), f"--diff broken {r}")


def case_sample_data():
    r = run("-C", SOURCE_DIR, "--check")
    summary = b"Data loaded: 110 skills, 450 standard items, "
    check(r.returncode == 0 and r.stdout.startswith(summary), f"check {r}")
    records = run("-C", SOURCE_DIR, "--all", "--raw").stdout.split(b"\0")
    check(len(records) == 28801 and records[-1] == b"", f"{len(records) - 1} raw records")
    for number in (1000, 2385, 1464, 29799):
        single = run("-C", SOURCE_DIR, "--raw", str(number)).stdout
        check(single == records[number - 1000] + b"\0", f"--all record of {number}")
    lines = run("-C", SOURCE_DIR, "--all", "--json").stdout.splitlines()
    check([json.loads(line)["number"] for line in lines] == list(range(1000, 29800)),
          "json: every number in order")


globals()["case_" + CASE]()
sys.exit(1 if failures else 0)
