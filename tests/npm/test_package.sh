#!/usr/bin/env bash
# Installs the packed tarball into a scratch folder, as a user would, and
# runs the package's tests there. Usage: test_package.sh NPM_BUILD TAMRIX_CLI
set -euo pipefail
build=$(cd "$1" && pwd)
cli=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
tarball=$(ls "$build"/tamrix-*.tgz)
cd "$scratch"
printf '{ "name": "scratch", "private": true, "type": "module" }\n' >package.json
npm install --offline --no-audit --no-fund --silent "$tarball"
cp "$here/package.test.mjs" .
TAMRIX_CLI=$cli TAMRIX_DATA=$here/../../Data node --test package.test.mjs
