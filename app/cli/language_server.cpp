#include "app/cli/language_server.h"

#include <cstdio>

#include "app/lsp/server.h"

namespace tamrix::cli {

Outcome serveLanguage(const Options&) {
  return lsp::runLanguageServer(stdin, stdout) == 0 ? Outcome::kDone : Outcome::kFailed;
}

}  // namespace tamrix::cli
