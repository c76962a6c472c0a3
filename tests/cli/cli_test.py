#!/usr/bin/env python3
"""Runs the real tamrix-cli. Usage: cli_test.py BINARY SOURCE_DIR CASE"""

import csv
import io
import json
import os
import re
import shutil

import resource
import shlex
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


def run(*args, stdin=b"", cwd=None, env=None):
    return subprocess.run([BINARY, *args], input=stdin, cwd=cwd, env=env, capture_output=True,
                          timeout=60)


def utf8(cp1250):
    return cp1250.decode("cp1250").encode("utf-8")


def data_dir(folder, **changed):
    os.makedirs(os.path.join(folder, "Data"), exist_ok=True)
    for name, content in dict(DATA, **changed).items():
        with open(os.path.join(folder, "Data", name), "wb") as f:
            f.write(content)
    return folder


def case_failed_load():
    missing = b"Data\\skill.txt : a f\xe1jl nem nyithat\xf3 meg\n"
    with tempfile.TemporaryDirectory() as folder:
        for mode in (["1000"], ["--raw", "1000"], ["--json", "1"], ["--all"]):
            r = run("-C", folder, *mode)
            want = missing if mode[0] == "--raw" else utf8(missing)
            check(r.returncode == 1 and r.stdout == b"" and r.stderr == want, f"{mode} {r}")
        r = run("-C", data_dir(folder, **{"change.txt": b"-start-\n1450 x 5 2\n"}), "1")
        check(r.returncode == 1 and r.stderr == b"Data\\change.txt : x 5 2\n", f"rejected {r}")


def case_data_search():
    # With -C a Data folder without the data files fails as it always has;
    # without, when no folder holds a data set, the folders tried are named.
    # (The package test finds the installed set past such folders.)
    installed = os.path.normpath(os.path.join(os.path.dirname(BINARY), "..", "share", "tamrix"))
    missing = utf8(b"Data\\skill.txt : a f\xe1jl nem nyithat\xf3 meg\n")
    with tempfile.TemporaryDirectory() as folder:
        folder = os.path.realpath(folder)
        here, home, xdg = (os.path.join(folder, name) for name in ("here", "home", "xdg"))
        os.makedirs(os.path.join(here, "Data"))
        os.makedirs(os.path.join(home, "Data"))
        env = dict(os.environ, HOME=home, XDG_DATA_HOME=xdg)
        r = run("-C", ".", "1000", cwd=here, env=env)
        check(r.returncode == 1 and r.stderr == missing, f"-C {r}")
        r = run("1000", cwd=home, env=dict(env, XDG_DATA_HOME=""))
        user = os.path.join(home, ".local", "share", "tamrix")
        tried = ", ".join([home, user, installed])
        check(r.returncode == 1 and r.stdout == b"" and
              r.stderr == missing + f"tamrix-cli: no Data folder with the data files in {tried}\n"
              "tamrix-cli: note: ./Data lacks skill.txt, stditem.txt, type.txt, rnditem.txt, change.txt\n"
              f"tamrix-cli: note: {user}/Data does not exist\n"
              f"tamrix-cli: note: {installed}/Data does not exist\n".encode(),
              f"no data set {r}")


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
        check(len(lines) == 6 and lines[5] == b"" and b"\\n" in lines[0], "json lines")
        objects = [json.loads(line) for line in lines[:5]]
        check({k: objects[4][k] for k in ("number", "name", "description")} == {
            "number": 1451, "name": "az éles nagy kardja",
            "description": utf8(T1451).decode().split("\n", 1)[1]}, objects)
        # --all skips the empty texts: prefixes 2 to 63 have no type, only chaos items.
        check(run("--all", "--raw", cwd=folder).stdout.count(b"\0") == 450 + 450 + 62 * 30, "--all")
        # Numbers from standard input: CR LF, blanks, "+", a last line without LF.
        r = run("--raw", stdin=b" 1000 \r\n+1000\n\n1451", cwd=folder)
        check(r.stdout == T1000 + b"\0\0\0" + T1451 + b"\0" and r.stderr == b"", f"stdin {r}")
        # A description ending with the header's line feed gets no second one.
        data_dir(folder, **{"stditem.txt": b'-start-\n1000 3 "Pajzs" "p"\n'})
        check(run("-C", folder, "1000").stdout == utf8(b"Pajzs" + HEADER + b"\n"), "header only")


def case_check_places():
    """--check after a failed load: the error, then where and why."""
    cannot_open = ": the file cannot be opened: it is missing, a folder, or not readable\n"
    with tempfile.TemporaryDirectory() as folder:
        r = run("-C", folder, "--check")
        want = utf8(b"Data\\skill.txt : a f\xe1jl nem nyithat\xf3 meg\n")
        check(r.returncode == 1 and r.stdout == b"" and r.stderr == want +
              f"{folder}/Data/skill.txt: error{cannot_open}".encode(), f"--check missing {r}")
        r = run("-C", folder, "--check", "--json")
        check(r.returncode == 1 and json.loads(r.stdout) == {
            "ok": False, "file": f"{folder}/Data/skill.txt", "line": None, "notes": [],
            "error": want.decode()[:-1], "explanation": cannot_open[2:-1]}, f"--check --json {r}")
        data_dir(folder, **{"change.txt": b"-start-\r\n\r\n1450 x 5 2\r\n"})
        r = run("-C", folder, "--check")
        check(r.returncode == 1 and r.stderr == b"Data\\change.txt : x 5 2\n" +
              f"{folder}/Data/change.txt:3: error: this field of the change record is not a number\n"
              .encode(), f"--check rejected line {r}")


# A diagnostic line as editors' GCC-style matchers read it; a message holds
# nothing that such a matcher would take for a place.
DIAGNOSTIC = re.compile(r"(?P<file>[^:]+)(?::(?P<line>\d+)(?::(?P<column>\d+))?)?: "
                        r"(?P<kind>error|warning|note): (?P<message>.*)")
PLACE_LIKE = re.compile(r"\d\)?:|\(\d+\):")


def diagnostics(lines, folder):
    """Each line parsed as a diagnostic: (file, line, column, kind, code)."""
    parsed = []
    for line in lines:
        d = DIAGNOSTIC.fullmatch(line)
        check(d and d["file"].startswith(folder) and not PLACE_LIKE.search(d["message"]),
              f"not a diagnostic line: {line!r}")
        if d:
            code = re.search(r" \[([a-z0-9-]+)\]$", d["message"])
            parsed.append((d["file"][len(folder) + 1:], int(d["line"] or 0),
                           int(d["column"] or 0), d["kind"], code[1] if code else None))
    return parsed


def case_warnings():
    r = run("-C", SOURCE_DIR, "--check", "--strict")
    check(r.returncode == 0 and r.stdout.count(b"\n") == 1, f"sample set warns {r}")
    with tempfile.TemporaryDirectory() as folder:
        # Several slips: a skill given twice, a letter in an amount, a tab
        # after a change record's numbers; besides, skill 6 has no line, the
        # grade's kind is not its base's and the amount lines are short.
        data_dir(folder, **{"skill.txt": DATA["skill.txt"] + b'3 0 "S3"\n',
                            "type.txt": b"-start-\n9\n2\n4 4\n2 1O\n",
                            "change.txt": b"-start-\n1450 11 -1 1\tremark\n"})
        r = run("-C", folder, "--check")
        lines = r.stdout.decode().splitlines()
        check(r.returncode == 0 and lines[0].startswith("Data loaded: 2 skills"), f"--check {r}")
        check(diagnostics(lines[1:], folder) == [
            ("Data/skill.txt", 4, 1, "warning", "skill-repeated"),
            ("Data/skill.txt", 2, 0, "note", None),
            ("Data/stditem.txt", 0, 0, "warning", "std-slot-empty"),
            ("Data/stditem.txt", 2, 17, "warning", "bonus-to-empty-skill"),
            ("Data/stditem.txt", 3, 6, "warning", "grade-kind-differs"),
            ("Data/type.txt", 4, 0, "warning", "amount-line-short"),
            ("Data/type.txt", 5, 0, "warning", "amount-line-short"),
            ("Data/type.txt", 5, 3, "warning", "number-text"),
            ("Data/rnditem.txt", 0, 0, "warning", "prefix-slot-empty"),
            ("Data/change.txt", 2, 13, "warning", "tab")], f"--check places {lines}")
        check(run("-C", folder, "--check", "--strict").returncode == 3, "--strict")
        objects = [json.loads(line) for line in run("-C", folder, "--check", "--json").stdout
                   .splitlines()]
        check(objects[0]["skills"] == 2 and len(objects) == len(lines) - 1 and
              (objects[1]["warning"], objects[1]["line"], objects[1]["column"]) ==
              ("skill-repeated", 4, 1) and objects[1]["notes"][0]["line"] == 2, f"--json {objects}")

        # A type count one too high: the load fails further on, and a note
        # names the count line. The first line is the dialog's error text.
        shutil.copytree(os.path.join(SOURCE_DIR, "Data"), os.path.join(folder, "sample", "Data"))
        types = os.path.join(folder, "sample", "Data", "type.txt")
        with open(types, "rb") as f:
            lines = f.read().split(b"\r\n")
        lines[59] = b"2"  # type 5's count, line 60
        with open(types, "wb") as f:
            f.write(b"\r\n".join(lines))
        r = run("-C", os.path.join(folder, "sample"), "--check")
        lines = r.stderr.decode().splitlines()
        check(r.returncode == 1 and lines[0] == "Data\\type.txt : 8" and
              diagnostics(lines[1:], os.path.join(folder, "sample")) == [
                  ("Data/type.txt", 72, 0, "error", None), ("Data/type.txt", 60, 0, "note", None)],
              f"--check traced to the count {r}")


def case_explain():
    with tempfile.TemporaryDirectory() as folder:
        data_dir(folder)
        r = run("-C", folder, "--explain", "1451", "0")
        text = r.stdout.decode()
        for line in ("1451: random prefix 1, slot 1, group base 0, grade 1",
                     f"  {folder}/Data/rnditem.txt:2: random prefix 1 \"éles\", type 9",
                     # the amount's line and grade's column, the skill index's own line
                     f"  {folder}/Data/type.txt:5:3: amount line 2 gives 2 at grade 1 to skill "
                     f"index 7 (the prefix's own, {folder}/Data/rnditem.txt:6), doubled by the "
                     f"skill's flag at {folder}/Data/skill.txt:3: +4 to skill 7 \"S7\"",
                     "  bonus sums: skill 3 \"S3\" 4, skill 7 \"S7\" 4",
                     "    az éles nagy kardja",
                     "0: no item number (items are 1000 to 29799)"):
            check(r.returncode == 0 and line in text.split("\n"), f"--explain: {line}\n{text}")
        objects = [json.loads(line) for line in
                   run("-C", folder, "--json", "--explain", "1451").stdout.splitlines()]
        check(len(objects) == 1 and [c["added"] for c in objects[0]["contributions"]] == [4, 4],
              f"--explain --json {objects}")


def case_diff():
    with tempfile.TemporaryDirectory() as old, tempfile.TemporaryDirectory() as new:
        data_dir(old)
        data_dir(new, **{"stditem.txt": DATA["stditem.txt"].replace(b"nagy", b"kis")})
        r = run("-C", old, "--diff", new)
        want = []
        for number in (1001, 1451):
            want += [f"{number} changed"]
            for mark, folder in (("- ", old), ("+ ", new)):
                text = utf8(run("-C", folder, "--raw", str(number)).stdout[:-1]).decode()
                want += [mark + line for line in text.split("\n")]
        # Each changed line, what it is and does, then its items' groups.
        summary = [f'{new}/Data/stditem.txt:3 (item 1001): 1001 2 "nagy " → 1001 2 "kis ": '
                   "2 items, grade 1, prefixes 0 to 1",
                   "  lost: nagy; gained: kis: 2 items, grade 1, prefixes 0 to 1",
                   "2 numbers differ: 2 changed, 0 appeared, 0 disappeared", ""]
        check(r.returncode == 1 and r.stdout.decode().split("\n") == want + [""] + summary,
              f"--diff {r}")
        r = run("-C", old, "--diff", new, "--summary")
        check(r.returncode == 1 and r.stdout.decode().split("\n") == summary, f"--summary {r}")
        places = [json.loads(line) for line in
                  run("-C", old, "--json", "--diff", new, "--summary").stdout.splitlines()]
        check([(p["file"], p["line"], p["record"], p["count"], p["groups"][0]["lost"],
                p["groups"][0]["gained"], p["groups"][0]["numbers"]) for p in places] ==
              [(f"{new}/Data/stditem.txt", 3, "item 1001", 2, ["nagy"], ["kis"], [1001, 1451])],
              f"--diff --json --summary {places}")
        objects = [json.loads(line) for line in run("-C", old, "--json", "--diff", new).stdout
                   .splitlines()]
        check([(o["number"], o["change"]) for o in objects] == [(1001, "changed"), (1451, "changed")]
              and objects[1]["old"] == utf8(T1451).decode(), f"--diff --json {objects}")
        # A bonus is a part of its own; --find compares the items it finds only.
        with tempfile.TemporaryDirectory() as other:
            data_dir(other, **{"type.txt": b"-start-\n9\n2\n4 4\n3 3\n"})
            r = run("-C", old, "--diff", other, "--summary")
            check(f"{other}/Data/type.txt:5 (type 9, amount line 2): 2 2 → 3 3: 60 items, "
                  "grades 0 to 1, prefix 1" in r.stdout.decode().splitlines() and
                  "  S7 ezzel a fegyverrel!: +4% to +6% → +6% to +8%: 2 items, grades 0 to 1, "
                  "prefix 1" in r.stdout.decode().splitlines(), f"--summary bonus {r}")
            r = run("-C", old, "--json", "--diff", other, "--find", "nagy")
            check(r.returncode == 1 and [json.loads(line)["number"] for line in
                                         r.stdout.splitlines()] == [1451], f"--find {r}")
        # A failed write is trouble too, never "they differ".
        with open("/dev/full", "wb") as full:
            r = subprocess.run([BINARY, "-C", old, "--diff", new], stdout=full,
                               stderr=subprocess.PIPE, timeout=60)
        check(r.returncode == 2 and r.stderr.startswith(b"tamrix-cli: cannot write"),
              f"--diff to a full disk {r}")
        # The other set does not load: its error, and trouble as diff(1) has it.
        os.remove(os.path.join(new, "Data", "type.txt"))
        r = run("-C", old, "--diff", new)
        check(r.returncode == 2 and r.stdout == b"" and r.stderr.startswith(
            utf8(b"Data\\type.txt : a f\xe1jl nem nyithat\xf3 meg\n") +
            os.path.join(new, "Data", "type.txt").encode()), f"--diff broken {r}")


def case_paths():
    """Every path that tamrix-cli prints is UTF-8, also an accented one from -C."""
    with tempfile.TemporaryDirectory() as root:
        folder = os.path.join(root, "Tűzkő")
        data_dir(folder, **{"stditem.txt": DATA["stditem.txt"] + b"1002 99 \"x\"\n"})
        shown = folder.encode()
        r = run("-C", folder, "--check")
        check(shown + b"/Data/stditem.txt:4:6: warning: kind 99" in r.stdout, f"--check {r}")
        r = run("-C", folder, "--explain", "1451")
        check(b"  " + shown + b"/Data/rnditem.txt:2: random prefix 1" in r.stdout, f"--explain {r}")
        data_dir(folder, **{"change.txt": b"-start-\n1450 x 5 2\n"})
        for mode in (["--check"], ["--explain", "1000"], ["--diff", folder]):
            r = run("-C", folder, *mode)
            check(shown + b"/Data/change.txt:2: " in r.stderr, f"{mode} {r}")


def case_completion():
    """The bash completion that the package installs, as bash runs it."""
    script = run("--bash-completion").stdout.decode()
    with tempfile.TemporaryDirectory() as folder:
        os.mkdir(os.path.join(folder, "sets"))
        # After --find: the options that go with it, a folder after -C; after
        # -- none.
        for words, want in ((["--ch"], ["--check"]), (["-C", "se"], ["sets"]),
                            (["--find", "--ch"], []), (["--find", "kard", "--js"], ["--json"]),
                            (["--find", "kard", "--s"], ["--summary"]),
                            (["--find", "kard", "-C", "se"], ["sets"]),
                            (["--find", "kard", "--", "--js"], [])):
            line = " ".join(["tamrix-cli"] + words)
            probe = (script + f"COMP_WORDS=({line}); COMP_CWORD={len(words)}; _tamrix_cli; "
                     'printf "%s\\n" "${COMPREPLY[@]}"')
            got = subprocess.run(["bash", "-c", probe], cwd=folder, capture_output=True,
                                 text=True).stdout.split()
            check(got == want, f"completing {line!r}: {got}")
    # --find takes every word after it but the options, which are honoured or
    # refused; after -- every word is the query's.
    check(run("-C", SOURCE_DIR, "--find", "langolo", "kard").stdout ==
          run("-C", SOURCE_DIR, "--find", "langolo kard").stdout, "--find words")
    check(run("-C", SOURCE_DIR, "--find", "langolo", "kard", "--json").stdout ==
          run("-C", SOURCE_DIR, "--json", "--find", "langolo kard").stdout, "--find then --json")
    r = run("-C", SOURCE_DIR, "--find", "kard", "--summary")
    check(r.returncode == 2 and r.stdout == b"" and b"--summary" in r.stderr, f"--summary {r}")
    r = run("-C", SOURCE_DIR, "--find", "kard", "--", "--json")
    check(r.returncode == 0 and not r.stdout.startswith(b"{"), f"-- ends the options {r}")


def case_find():
    """What --find writes; what a query finds is the search's unit test's."""
    r = run("-C", SOURCE_DIR, "--raw", "--find", "prefix:2", "grade:3")
    check(r.returncode == 0 and r.stdout ==
          run("-C", SOURCE_DIR, "--raw", *map(str, range(1903, 2350, 15))).stdout, f"--raw {r}")
    r = run("-C", SOURCE_DIR, "--json", "--find", "tuzsebzes>=4 kind:weapon sort:tuzsebzes")
    found = [json.loads(line)["number"] for line in r.stdout.splitlines()]
    check(r.returncode == 0 and len(found) == 348 and found != sorted(found), f"--json, sorted {found[:3]}")
    # No match: nothing at all, and success; on a terminal a note and a
    # suggestion. An unreadable query: status 2, the error only.
    r = run("-C", SOURCE_DIR, "--find", "kard sisak")
    check(r.returncode == 0 and r.stdout == b"" and r.stderr == b"", f"no match {r}")
    rc, shown = run_on_terminal("--find", "langlo", "kard", cwd=SOURCE_DIR)
    check(rc == 0 and shown == b"tamrix-cli: no item matches; did you mean: langolo kard?\n",
          f"a suggestion on a terminal {shown}")
    r = run("-C", SOURCE_DIR, "--find", "tuz>=4")
    check(r.returncode == 2 and r.stdout == b"" and r.stderr.decode() ==
          "tamrix-cli: 'tuz>=4': tuz names more than one skill: tűzállóság, tűzsebzés, tűzmágia\n"
          "Try 'tamrix-cli --help'.\n", f"unreadable {r}")


def case_compare():
    """The table's form: aligned by display width, the best of each row marked."""
    r = run("-C", SOURCE_DIR, "--compare", "2385", "2386", "1630")
    check(r.returncode == 0 and r.stdout.decode().split("\n") == [
        "                2385                         2386                       1630",
        "                a parázsló csiszolt szablya  a parázsló díszes szablya  a lángoló bőrvért",
        "tartósság       +60                          +65 *                      +40",
        "találati esély  +4 *                         +4 *                       0",
        "védekezés       0                            0                          +3 *",
        "tűzállóság      0                            0                          +2 *",
        "tűzsebzés       +4 *                         +4 *                       0",
        "tűzmágia        +7                           +8 *                       0",
        "sebzés          2d6+2                        2d6+3 *                    -",
        "*: the best of its row", ""], f"--compare {r}")
    r = run("-C", SOURCE_DIR, "--json", "--compare", "2385", "1630", "1464")
    compared = json.loads(r.stdout)
    check(r.returncode == 0 and compared["names"][2] == "Káosz tárgy!" and
          compared["rows"][3] == {"skill": 17, "name": "tűzállóság", "values": [0, 2, 0]} and
          compared["damage"] == ["2d6+2", None, None], f"--compare --json {r}")


def csv_rows(*args):
    """The CSV that tamrix-cli writes, checked for its byte order mark and
    CR LF line ends, read back with Python's csv module."""
    r = run("-C", SOURCE_DIR, "--csv", *args)
    check(r.returncode == 0 and r.stdout.startswith(b"\xef\xbb\xbf") and
          r.stdout.count(b"\n") == r.stdout.count(b"\r\n") > 0, f"--csv {args} {r.stdout[:80]}")
    return list(csv.reader(io.StringIO(r.stdout.decode("utf-8-sig"), newline="")))


def case_csv():
    """The CSV read back: its header, a row against the item's description,
    and the order of --find and --compare."""
    header, *rows = csv_rows("--all")
    check(header[:7] == ["number", "name", "kind", "grade", "prefix", "group base", "damage"] and
          len(header) == 7 + 110 and header[7] == "erő" and len(rows) == 28800, f"header {header[:9]}")
    check(rows[2385 - 1000][:7] == ["2385", "a parázsló csiszolt szablya", "11", "5", "3", "1030",
                                    "2d6+2"], f"2385: {rows[2385 - 1000][:7]}")
    query = "tuzsebzes>=4 kind:weapon sort:tuzsebzes sort:damage:asc"
    found = [json.loads(line)["number"] for line in
             run("-C", SOURCE_DIR, "--json", "--find", query).stdout.splitlines()]
    check([int(row[0]) for row in csv_rows("--find", query)[1:]] == found, "--find --csv follows the sort")
    check([row[0] for row in csv_rows("--compare", "2386", "1000", "0")[1:]] == ["2386", "1000", "0"],
          "--compare --csv")


def run_on_terminal(*args, cwd):
    """Runs on a terminal, which script(1) gives it; returns the exit status
    and what the terminal got, with its CR LF made LF again."""
    r = subprocess.run(["script", "-qec", shlex.join([BINARY, *args]), "/dev/null"], cwd=cwd,
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    return r.returncode, r.stdout.replace(b"\r\n", b"\n")


def case_output():
    # The first failed write ends the program with 1 and one message, in every mode.
    with open(os.devnull, "rb") as nothing, open("/dev/full", "wb") as full:
        for mode in (["--help"], ["--version"], ["--check"], ["--json", "1000"], ["--all"]):
            r = subprocess.run([BINARY, "-C", SOURCE_DIR, *mode], stdin=nothing, stdout=full,
                               stderr=subprocess.PIPE, timeout=60)
            check(r.returncode == 1 and r.stderr.count(b"\n") == 1 and
                  r.stderr.startswith(b"tamrix-cli: cannot write"), f"{mode} to a full disk {r}")
        endless = subprocess.Popen(["yes", "1000"], stdout=subprocess.PIPE)
        r = subprocess.run([BINARY, "-C", SOURCE_DIR], stdin=endless.stdout, stdout=full,
                           stderr=subprocess.PIPE, timeout=60)
        endless.kill()
        endless.wait()
        check(r.returncode == 1 and r.stderr.count(b"\n") == 1, f"endless input {r}")

    with tempfile.TemporaryDirectory() as folder:
        data_dir(folder)
        # An endless line reads as 0 and is not kept: a 128 MB line leaves
        # the program far smaller than the line.
        r = subprocess.run(f"{{ head -c {128 << 20} /dev/zero | tr '\\0' 7; printf '\\n1000\\n'; }} | "
                           f"{shlex.quote(BINARY)} --raw", shell=True, cwd=folder,
                           capture_output=True, timeout=60)
        peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        check(r.stdout == b"\0" + T1000 + b"\0" and peak < 64 * 1024, f"a 128 MB line: {peak} kB")

        # Control bytes from the data files reach a terminal escaped, in the
        # human format only; redirected output keeps them.
        data_dir(folder, **{"stditem.txt": b'-start-\n1000 3 "K\x1b[2Jard\x07" "p"\n'})
        rc, shown = run_on_terminal("1000", cwd=folder)
        check(rc == 0 and shown.startswith(b"K\\x1B[2Jard\\x07\n") and b"\x1b" not in shown,
              f"escaped on a terminal {shown}")
        check(run("1000", cwd=folder).stdout.startswith(b"K\x1b[2Jard\x07\n"), "redirected")
        for mode, want in (("--raw", b"K\x1b[2Jard\x07"), ("--json", b"K\\u001b[2Jard\\u0007")):
            rc, shown = run_on_terminal(mode, "1000", cwd=folder)
            check(want in shown, f"{mode} on a terminal {shown}")
        data_dir(folder, **{"change.txt": b"-start-\n1450 \x1b 5 2\n"})
        rc, shown = run_on_terminal("1000", cwd=folder)
        check(rc == 1 and shown == b"Data\\change.txt : \\x1B 5 2\n", f"error {shown}")


def case_fix():
    """--fix on the sample with a slip in each file gives the sample back to
    the byte, the slipped files kept as FILE.bak; --dry-run writes nothing."""
    sample = os.path.join(SOURCE_DIR, "Data")
    names = ("skill.txt", "stditem.txt", "type.txt", "rnditem.txt", "change.txt")
    original = {n: open(os.path.join(sample, n), "rb").read() for n in names}

    def data_line(text, k):  # the k-th line after the -start- line
        lines = text.split(b"\r\n")
        return lines, lines.index(b"-start-") + k

    slipped = {}
    for name, k, slip in (
            ("skill.txt", 2, lambda l: l.replace(b" ", b"\t", 1)),
            ("stditem.txt", 1, lambda l: l.replace(b" ", b"\xa0", 1)),
            ("type.txt", 1, lambda l: l + b"\r"),
            ("rnditem.txt", 2, lambda l: b"\x84" + l[1:-1] + b"\x94"),
            ("change.txt", 1, utf8)):
        lines, i = data_line(original[name], k)
        lines[i] = slip(lines[i])
        slipped[name] = b"\r\n".join(lines)
    with tempfile.TemporaryDirectory() as folder:
        os.makedirs(os.path.join(folder, "Data"))
        for name in names:
            open(os.path.join(folder, "Data", name), "wb").write(slipped[name])
        r = run("--fix", "--dry-run", cwd=folder)
        files = {line.split(b":")[0] for line in r.stdout.splitlines()}
        check(r.returncode == 0 and len(files) == 5 and not os.listdir(folder + "/Data")[5:],
              f"--dry-run {r.stdout}")
        r = run("--fix", "-C", folder)
        check(r.returncode == 0 and re.match(rb"^.*Data/skill.txt:\d+:\d+: fixed: a tab", r.stdout),
              f"--fix {r.stdout} {r.stderr}")
        for name in names:
            fixed = open(os.path.join(folder, "Data", name), "rb").read()
            kept = open(os.path.join(folder, "Data", name + ".bak"), "rb").read()
            check(fixed == original[name] and kept == slipped[name], f"--fix {name}")


globals()["case_" + CASE]()
sys.exit(1 if failures else 0)
