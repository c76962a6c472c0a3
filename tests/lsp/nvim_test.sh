#!/bin/sh
# Neovim headless against tamrix-cli --lsp on a sample copy with a tab slip.
set -eu
cli=$(realpath "$1"); source_dir=$(realpath "$2")
copy=$(mktemp -d); trap 'rm -rf "$copy"' EXIT
cp -r "$source_dir/Data" "$copy/Data"
# A tab after the name of the first skill line whose name has accents.
python3 - "$copy/Data/skill.txt" <<'PY'
import re, sys
p = sys.argv[1]; s = open(p, 'rb').read()
start = s.index(b'-start-')
m = re.compile(rb'\r\n(\d+ 0 "[^"\r\n]*[\x80-\xff][^"\r\n]*")\r\n').search(s, start)
s = s[:m.end(1)] + b'\t' + s[m.end(1):]
open(p, 'wb').write(s)
PY
TAMRIX_CLI=$cli DATA_COPY=$copy EDITORS_NVIM=$source_dir/editors/nvim \
  timeout 60 nvim --headless -u NONE -i NONE -c "luafile $source_dir/tests/lsp/nvim_test.lua"
