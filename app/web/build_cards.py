#!/usr/bin/env python3
"""Writes tamrix-cards.js: the item card modules bundled as build_page.py
bundles the page's, with the WebAssembly module and the sample Data set
inside, all in one function scope so that the file adds no global. It runs
under a policy that allows only scripts from the site and WebAssembly."""

import argparse
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from build_page import bundle_with_engine  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    for option in ("script", "wasm", "data", "output"):
        parser.add_argument("--" + option, type=pathlib.Path, required=True)
    args = parser.parse_args()
    script = bundle_with_engine(args.script, args.wasm, args.data, "build_cards.py",
                                name=lambda path: path.name.lower())
    header = "/* Tamrix item cards: see docs/cards.md. */\n"
    args.output.write_text(header + "(() => {\n" + script + "})();\n", "utf-8")


if __name__ == "__main__":
    main()
