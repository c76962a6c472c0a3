#!/usr/bin/env bash
# Prints the non-blank lines of the product code (database, decoder, text,
# search, authoring, disk, app, the npm package, the editors' set-ups) and of the tests (tests/, fuzz/), and their ratio.
# Fails when the tests exceed LIMIT percent of the code (40 unless given):
# tests test each property once, at the lowest layer that can show it.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=${1:-40}
lines() { git ls-files -co --exclude-standard "$@" | grep -E "$pattern" | xargs -r cat | grep -cv '^\s*$'; }
pattern='\.(cpp|h|js|ts|py)$'  # .ts: the npm package's declarations, its headers
code=$(lines database decoder text search authoring disk app packaging/npm editors)
pattern='\.(cpp|h|py|sh|mjs)$'
tests=$(lines tests fuzz)
echo "test-ratio: product code $code lines, tests $tests lines:" \
  "$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.1f", 100 * t / c }')% (at most $limit%)"
((tests * 100 <= code * limit))
