// tamrix-cli --lsp: a language server for the data files over standard
// input and output.
#pragma once

#include <cstdio>

namespace tamrix::lsp {

// Serves the messages read from `in` until an exit notification or the end
// of the input; returns the exit status the protocol gives: 0 after a
// shutdown request, 1 otherwise.
int runLanguageServer(std::FILE* in, std::FILE* out);

}  // namespace tamrix::lsp
