-- tamrix-cli --lsp for Neovim's built-in client (0.7 or later). In init.lua:
--   require('tamrix').setup()
-- The data files are Windows-1250; they are read as such here.
local M = {}

local patterns = { '*/Data/skill.txt', '*/Data/stditem.txt', '*/Data/type.txt',
                   '*/Data/rnditem.txt', '*/Data/change.txt' }

function M.setup(options)
  options = options or {}
  local cmd = options.cmd or { 'tamrix-cli', '--lsp' }
  local clients = {}
  local saved
  vim.api.nvim_create_autocmd('BufReadPre', {
    pattern = patterns,
    callback = function()
      saved = vim.o.fileencodings
      vim.o.fileencodings = 'cp1250'
    end,
  })
  vim.api.nvim_create_autocmd('BufReadPost', {
    pattern = patterns,
    callback = function(args)
      if saved then vim.o.fileencodings = saved end
      -- The set's folder: the one that holds Data.
      local root = vim.fn.fnamemodify(vim.api.nvim_buf_get_name(args.buf), ':p:h:h')
      if not clients[root] then
        clients[root] = vim.lsp.start_client({ name = 'tamrix', cmd = cmd, root_dir = root })
      end
      if clients[root] then vim.lsp.buf_attach_client(args.buf, clients[root]) end
    end,
  })
end

return M
