-- Neovim headless as the client: a broken sample copy opened, its
-- diagnostics read, a hover, a jump to a definition and a code action.
-- Run by nvim_test.sh.
local cli, copy = os.getenv('TAMRIX_CLI'), os.getenv('DATA_COPY')
vim.opt.runtimepath:prepend(os.getenv('EDITORS_NVIM'))
require('tamrix').setup({ cmd = { cli, '--lsp' } })
local failures = {}
local function check(ok, what) if not ok then table.insert(failures, what) end end
local function wait(ms, cond) return vim.wait(ms, cond, 20) end

vim.cmd('edit ' .. copy .. '/Data/skill.txt')
local buf = vim.api.nvim_get_current_buf()
check(vim.bo[buf].fileencoding == 'cp1250', 'read as cp1250: ' .. vim.bo[buf].fileencoding)
check(wait(5000, function() return #vim.diagnostic.get(buf) > 0 end), 'diagnostics arrive')
local d = vim.diagnostic.get(buf)[1] or {}
check(d.code == 'tab', 'the tab warned: ' .. vim.inspect(d.code))
local line = vim.api.nvim_buf_get_lines(buf, d.lnum or 0, (d.lnum or 0) + 1, false)[1] or ''
check(d.col and line:sub(d.col + 1, d.col + 1) == '\t', 'the column lands on the tab: ' .. vim.inspect(d.col))

local client = vim.lsp.get_active_clients()[1]
local params = { textDocument = vim.lsp.util.make_text_document_params(buf),
                 position = { line = d.lnum, character = 0 } }
local hover = client.request_sync('textDocument/hover', params, 3000, buf)
check(hover and hover.result and hover.result.contents.value:match('^skill %d+ "'), 'hover ' .. vim.inspect(hover))

local actions = client.request_sync('textDocument/codeAction', {
  textDocument = params.textDocument,
  range = { start = { line = d.lnum, character = 0 }, ['end'] = { line = d.lnum, character = 0 } },
  context = { diagnostics = {} } }, 3000, buf)
local fix = actions and actions.result and actions.result[1]
check(fix and fix.kind == 'quickfix', 'a quick fix offered')
if fix then vim.lsp.util.apply_workspace_edit(fix.edit, client.offset_encoding or 'utf-16') end
check(not vim.api.nvim_buf_get_lines(buf, d.lnum, d.lnum + 1, false)[1]:find('\t'), 'the fix applied')

vim.cmd('edit ' .. copy .. '/Data/rnditem.txt')
local rnd = vim.api.nvim_get_current_buf()
wait(3000, function() return #vim.lsp.buf_get_clients(rnd) > 0 end)
local lines = vim.api.nvim_buf_get_lines(rnd, 0, -1, false)
local entry
for i, l in ipairs(lines) do if l == '#1450' then entry = i - 1 break end end
local def = client.request_sync('textDocument/definition', {
  textDocument = vim.lsp.util.make_text_document_params(rnd),
  position = { line = entry + 2, character = 0 } }, 3000, rnd)
check(def and def.result and def.result.uri:match('type%.txt$'), 'definition ' .. vim.inspect(def))

if #failures > 0 then
  io.stderr:write(table.concat(failures, '\n') .. '\n')
  vim.cmd('cquit 1')
end
vim.cmd('qall!')
