#!/usr/bin/env python3
"""Writes tamrix.html: the page template with the styles, the script, the
WebAssembly module and the sample Data set inside it, so that the one file
is all a browser needs. The Content-Security-Policy allows exactly the inline
script and styles written here (by their hashes) and the module, and no
request of any kind."""

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


def main():
    parser = argparse.ArgumentParser()
    for option in ("template", "script", "styles", "version-header", "wasm", "data", "output"):
        parser.add_argument("--" + option, type=pathlib.Path, required=True)
    args = parser.parse_args()

    embedded = {
        "wasm": base64.b64encode(args.wasm.read_bytes()).decode("ascii"),
        "data": {path.name: base64.b64encode(path.read_bytes()).decode("ascii")
                 for path in sorted(args.data.iterdir()) if path.is_file()},
    }
    script = args.script.read_text("utf-8")
    placeholder = "/* @EMBEDDED@ */ null"
    if script.count(placeholder) != 1:
        sys.exit(f"build_page.py: {args.script} needs the placeholder {placeholder} once")
    script = script.replace(placeholder, json.dumps(embedded, separators=(",", ":")))
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
