#!/usr/bin/env python3
"""tamrix-cli --json against docs/item-record.schema.json. Usage: record_schema_test.py BINARY SOURCE_DIR"""

import json
import os
import subprocess
import sys

import jsonschema

BINARY, SOURCE_DIR = os.path.abspath(sys.argv[1]), sys.argv[2]
with open(os.path.join(SOURCE_DIR, "docs", "item-record.schema.json"), encoding="utf-8") as f:
    SCHEMA = json.load(f)
VALIDATOR = jsonschema.Draft202012Validator(SCHEMA)
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def records(folder, *args, stdin=b""):
    r = subprocess.run([BINARY, "-C", folder, "--json", *args], input=stdin, capture_output=True,
                       timeout=60)
    check(r.returncode == 0 and r.stderr == b"", f"{args}: {r}")
    return [json.loads(line) for line in r.stdout.decode().splitlines()]


def text_answer(folder, number):
    r = subprocess.run([BINARY, "-C", folder, str(number)], capture_output=True, timeout=60)
    return r.stdout.decode()


def valid(record):
    errors = [e.message for e in VALIDATOR.iter_errors(record)]
    check(not errors, f"{record.get('number')}: {errors}")


def agrees(folder, record):
    """The name line and the lines after it are the text answer's; the
    average is half of the exact figure."""
    text = text_answer(folder, record["number"])
    check(text.startswith(record["name"] + "\n" + record["description"]), f"text of {record}")
    damage = record.get("damage")
    check(not damage or damage["average"] * 2 == damage["twiceAverage"] == damage["dice"] * (
        damage["sides"] + 1) + 2 * damage["bonus"], f"average {damage}")


def main():
    # The sample: a weapon with a prefix, a plain item, the chaos item, a
    # number that is no item, 0, and texts that hold no number.
    sample = SOURCE_DIR
    got = records(sample, "2385", "1000", "1449", "1464", "7", "0", "abc", "99999999999")
    for record in got:
        valid(record)
        agrees(sample, record)
    weapon, sword, plain, chaos, none, zero, word, huge = got
    check(weapon["prefix"]["index"] >= 1 and weapon["damage"]["text"] == "2d6+2"
          and [b["value"] for b in weapon["bonuses"]] == [60, 4, 4, 7], f"weapon {weapon}")
    check(plain["damage"] is None and plain["prefix"] is None and chaos["chaos"], f"{plain} {chaos}")
    check(none == {"number": 7, "name": "", "description": "", "item": False}, f"none {none}")
    check("input" not in zero and zero["item"] is False, f"0 {zero}")
    check((word["input"], huge["input"], word["number"], huge["number"]) == ("abc", "99999999999",
                                                                             0, 0), "inputs")
    # Standard input keeps each line as given.
    lines = records(sample, stdin=b"2385\n12x\n\n")
    check([r.get("input") for r in lines] == [None, "12x", ""], f"stdin {lines}")

    # The schema itself refuses what the record must not be.
    for wrong in ({"number": 1, "name": "", "description": ""},
                  dict(weapon, bonuses=[dict(weapon["bonuses"][0], value=0)]),
                  dict(none, kind=3)):
        check(not VALIDATOR.is_valid(wrong), f"schema accepts {wrong}")
    if failures:
        sys.exit(f"{len(failures)} check(s) failed")


main()
