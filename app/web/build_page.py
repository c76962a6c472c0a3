#!/usr/bin/env python3
"""Writes tamrix.html: the page template with the styles, the script, the
WebAssembly module and the sample Data set inside it, so that the one file
is all a browser needs. The Content-Security-Policy allows exactly the inline
script and styles written here (by their hashes) and the module, and no
request of any kind.

The script is the page's ES modules, from its entry module down, put into
one classic script: each module becomes a function scope that gives back
what it exports, in an order where every module comes after those it
imports. The modules may use only the two forms of import and export that
this understands: `import { a, b } from "./name.js";` on one line, and
`export` before a function, class or const."""

import argparse
import base64
import hashlib
import json
import pathlib
import re
import sys


def csp_hash(text):
    digest = hashlib.sha256(text.encode("utf-8")).digest()
    return "'sha256-" + base64.b64encode(digest).decode("ascii") + "'"


def caption(version_header):
    found = re.search(r'#define TAMRIX_CAPTION "([^"]*)"', version_header.read_text("utf-8"))
    if not found:
        sys.exit(f"build_page.py: no TAMRIX_CAPTION in {version_header}")
    return found.group(1)


IMPORT = re.compile(r'^import \{([^}]*)\} from "\./([\w-]+)\.js";$', re.M)
EXPORT = re.compile(r"^export ((?:async )?function\*? |class |const |let )([\w$]+)", re.M)


def module_var(name):
    return "module_" + name.replace("-", "_")


def bundle(entry):
    """The modules that `entry` needs, then `entry`, as one script."""
    order, seen = [], set()

    def visit(path, chain):
        if path in chain:
            sys.exit(f"build_page.py: modules import each other: {' -> '.join(p.name for p in chain + [path])}")
        if path in seen:
            return
        text = path.read_text("utf-8")
        if re.search(r"^\s*(import|export)\b", IMPORT.sub("", EXPORT.sub(r"\1\2", text)), re.M):
            sys.exit(f"build_page.py: {path} has an import or export of a form it does not take")
        for found in IMPORT.finditer(text):
            visit(path.parent / (found.group(2) + ".js"), chain + [path])
        seen.add(path)
        order.append((path, text))

    visit(entry, [])
    parts = ['"use strict";']
    for path, text in order:
        names = [found.group(2) for found in EXPORT.finditer(text)]
        # Whole-line comments are the source's, not the page's.
        text = re.sub(r"^[ \t]*//.*\n", "", text, flags=re.M)
        body = IMPORT.sub(lambda m: f"const {{{m.group(1)}}} = {module_var(m.group(2))};", text)
        body = EXPORT.sub(r"\1\2", body)
        if path == entry:
            parts.append(f"(() => {{\n{body}}})();")
        else:
            parts.append(f"const {module_var(path.stem)} = (() => {{\n{body}return {{ {', '.join(names)} }};\n}})();")
    return "\n".join(parts) + "\n"


def bundle_with_engine(entry, wasm, data, program, name=lambda path: path.name):
    """The bundle of `entry` with the wasm and the data set's files (under
    `name`) in place of its one embedding placeholder."""
    embedded = {
        "wasm": base64.b64encode(wasm.read_bytes()).decode("ascii"),
        "data": {name(path): base64.b64encode(path.read_bytes()).decode("ascii")
                 for path in sorted(data.iterdir()) if path.is_file()},
    }
    script = bundle(entry)
    placeholder = "/* @EMBEDDED@ */ null"
    if script.count(placeholder) != 1:
        sys.exit(f"{program}: {entry} needs the placeholder {placeholder} once")
    return script.replace(placeholder, json.dumps(embedded, separators=(",", ":")))


def main():
    parser = argparse.ArgumentParser()
    for option in ("template", "script", "styles", "version-header", "wasm", "data", "output"):
        parser.add_argument("--" + option, type=pathlib.Path, required=True)
    args = parser.parse_args()

    script = bundle_with_engine(args.script, args.wasm, args.data, "build_page.py")
    styles = args.styles.read_text("utf-8")
    if "</script" in script.lower() or "</style" in styles.lower():
        sys.exit("build_page.py: the script or the styles would end their element early")

    policy = "; ".join([
        "default-src 'none'",
        f"script-src {csp_hash(script)} 'wasm-unsafe-eval'",
        f"style-src {csp_hash(styles)}",
        "img-src data:",
        "connect-src 'none'",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    page = args.template.read_text("utf-8")
    for name, value in (("@CSP@", policy), ("@TITLE@", caption(args.version_header)),
                        ("@STYLES@", styles), ("@SCRIPT@", script)):
        if name not in page:
            sys.exit(f"build_page.py: {args.template} lacks {name}")
        page = page.replace(name, value)
    args.output.write_text(page, "utf-8")


if __name__ == "__main__":
    main()
