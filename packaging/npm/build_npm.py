#!/usr/bin/env python3
"""Writes the npm package's folder: the engine module, the WebAssembly module
and the sample Data set as base64 inside a module of their own, the entry
module, its types, package.json and the copyright statement.
Usage: build_npm.py --wasm FILE --data DIR --version-header FILE --out DIR"""

import argparse
import base64
import json
import pathlib
import re
import shutil
import sys

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent


def version(header):
    found = re.search(r'#define TAMRIX_VERSION "([^"]*)"', header.read_text("utf-8"))
    if not found:
        sys.exit(f"build_npm.py: no TAMRIX_VERSION in {header}")
    return found.group(1)


def main():
    parser = argparse.ArgumentParser()
    for option in ("wasm", "data", "version-header", "out"):
        parser.add_argument("--" + option, type=pathlib.Path, required=True)
    args = parser.parse_args()
    out = args.out
    shutil.rmtree(out, ignore_errors=True)
    out.mkdir(parents=True)
    embedded = {
        "wasm": base64.b64encode(args.wasm.read_bytes()).decode("ascii"),
        "data": {p.name.lower(): base64.b64encode(p.read_bytes()).decode("ascii")
                 for p in sorted(args.data.iterdir()) if p.is_file()},
    }
    (out / "embedded.js").write_text(
        "// The engine's WebAssembly module and the sample data set, in base64.\n"
        f"export const embedded = {json.dumps(embedded, separators=(',', ':'))};\n", "utf-8")
    shutil.copy(ROOT / "app" / "web" / "js" / "engine.js", out / "engine.js")
    for name in ("index.js", "index.d.ts"):
        shutil.copy(HERE / name, out / name)
    shutil.copy(ROOT / "packaging" / "copyright", out / "copyright")
    package = {
        "name": "tamrix",
        "version": version(args.version_header),
        "description": "Tamrix's item number decoder for browsers and Node: Hungarian item descriptions and their parts",
        "type": "module",
        "exports": {".": {"types": "./index.d.ts", "default": "./index.js"}},
        "main": "./index.js",
        "types": "./index.d.ts",
        "files": ["index.js", "index.d.ts", "engine.js", "embedded.js", "copyright", "README.md"],
        "engines": {"node": ">=18"},
        "sideEffects": False,
        "license": "SEE LICENSE IN copyright",
    }
    (out / "package.json").write_text(json.dumps(package, indent=2) + "\n", "utf-8")
    (out / "README.md").write_text((HERE / "README.md").read_text("utf-8"), "utf-8")


main()
