#include "app/cli/find.h"

#include <cstdint>
#include <cstdio>

#include "search/search.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tamrix::cli {

namespace {

bool stderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace

int findItems(ItemDatabase& db, Format format, std::string_view queryUtf8) {
  const Catalogue catalogue(db);
  const SearchResult result = search(catalogue, queryUtf8);
  if (result.error) {
    std::fprintf(stderr, "tamrix-cli: %s\nTry 'tamrix-cli --help'.\n", result.error->c_str());
    return 2;
  }
  for (const int32_t number : result.numbers)
    writeAnswer(stdout, format, db, number, /*skipEmpty=*/true);
  if (result.numbers.empty() && stderrIsTerminal())
    std::fputs("tamrix-cli: no item matches\n", stderr);
  return 0;
}

}  // namespace tamrix::cli
