#!/bin/sh
# vim's quickfix (Neovim headless, with editors/vim's compiler file) on
# --check output for a tab after accented letters: the jump lands on the tab.
set -eu
cli=$(realpath "$1"); source_dir=$(realpath "$2")
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/Data" "$work/Data"
python3 - "$work/Data/skill.txt" <<'PY'
import sys
p = sys.argv[1]; s = open(p, 'rb').read()
s = s.replace(b'"\xfcgyess\xe9g"\r\n', b'"\xfcgyess\xe9g"\t\r\n', 1)
open(p, 'wb').write(s)
PY
(cd "$work" && "$cli" --check --strict > check.out) || true
cat > "$work/qf.lua" <<LUA
vim.o.fileencodings = 'cp1250'
vim.opt.runtimepath:append('$source_dir/editors/vim')
vim.cmd('cd $work')
vim.cmd('compiler tamrix')
vim.cmd('silent cfile check.out')
vim.cmd('silent cc 1')
local col = vim.fn.col('.')
local ok = vim.fn.getqflist()[1].type == 'w' and vim.api.nvim_get_current_line():sub(col, col) == '\t'
vim.cmd(ok and 'qall!' or 'cquit 1')
LUA
timeout 30 nvim --headless -u NONE -i NONE -c "luafile $work/qf.lua"
