# The sanitizers of the asan build and of the fuzzers: AddressSanitizer and
# UndefinedBehaviorSanitizer, stopping at the first report. The library's own
# checks on indexing catch a read past the end of a vector that stays inside
# its reserved storage, where AddressSanitizer sees none.
set(tamrix_sanitize_compile -fsanitize=address,undefined -fno-sanitize-recover=all
                            -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
set(tamrix_sanitize_link -fsanitize=address,undefined)

option(TAMRIX_SANITIZE "Build every target with the sanitizers (the asan preset)" OFF)
if(TAMRIX_SANITIZE)
  add_compile_options(${tamrix_sanitize_compile})
  add_link_options(${tamrix_sanitize_link})
endif()
