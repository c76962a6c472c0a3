" Vim compiler file for tamrix-cli --check --strict. :compiler tamrix, then :make.
" --check counts columns in bytes of the Windows-1250 file, where each byte
" is one character: %v takes it as a character column, so the jump lands on
" the character in a buffer opened with ++enc=cp1250 (as long as no tab
" comes before it on the line).
if exists('current_compiler')
  finish
endif
let current_compiler = 'tamrix'
CompilerSet makeprg=tamrix-cli\ --check\ --strict
CompilerSet errorformat=%f:%l:%v:\ %trror:\ %m,%f:%l:%v:\ %tarning:\ %m,%f:%l:%v:\ %tote:\ %m,
      \%f:%l:\ %trror:\ %m,%f:%l:\ %tarning:\ %m,%f:%l:\ %tote:\ %m,
      \%f:\ %trror:\ %m,%f:\ %tarning:\ %m,%f:\ %tote:\ %m,%-G%.%#
