#!/usr/bin/env python3
"""Writes tamrix-cards.js: the item card modules bundled as build_page.py
bundles the page's, with the WebAssembly module and the sample Data set
inside, all in one function scope so that the file adds no global. It runs
under a policy that allows only scripts from the site and WebAssembly."""

import argparse
import base64
import json
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from build_page import bundle  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    for option in ("script", "wasm", "data", "output"):
        parser.add_argument("--" + option, type=pathlib.Path, required=True)
    args = parser.parse_args()
    embedded = {
        "wasm": base64.b64encode(args.wasm.read_bytes()).decode("ascii"),
        "data": {path.name.lower(): base64.b64encode(path.read_bytes()).decode("ascii")
                 for path in sorted(args.data.iterdir()) if path.is_file()},
    }
    script = bundle(args.script)
    placeholder = "/* @EMBEDDED@ */ null"
    if script.count(placeholder) != 1:
        sys.exit(f"build_cards.py: {args.script} needs the placeholder {placeholder} once")
    script = script.replace(placeholder, json.dumps(embedded, separators=(",", ":")))
    header = "/* Tamrix item cards: see docs/cards.md. */\n"
    args.output.write_text(header + "(() => {\n" + script + "})();\n", "utf-8")


if __name__ == "__main__":
    main()
