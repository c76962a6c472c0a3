#include <unistd.h>

#include "app/cli/console.h"

namespace tamrix::cli {

bool isTerminal(std::FILE* stream) {
  return isatty(fileno(stream)) != 0;
}

bool isWideConsole(std::FILE*) {
  return false;
}

bool writeConsoleText(std::FILE*, std::string_view) {
  return false;  // never called: there is no wide console
}

void useBinaryOutput() {}

}  // namespace tamrix::cli
