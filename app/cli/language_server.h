// tamrix-cli --lsp: the language server of app/lsp/ on standard input and output.
#pragma once

#include "app/cli/options.h"

namespace tamrix::cli {

// Serves until the client's exit: kDone after a shutdown request, kFailed
// when the input ended or exit came without one.
Outcome serveLanguage(const Options& options);

}  // namespace tamrix::cli
