#include "app/cli/find.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/cli/console.h"
#include "app/cli/stream_output.h"
#include "search/search.h"

namespace tamrix::cli {

int findItems(ItemDatabase& db, Format format, std::string_view queryUtf8) {
  const Catalogue catalogue(db);
  const SearchResult result = search(catalogue, queryUtf8);
  if (result.error) {
    writeOutput(stderr, "tamrix-cli: " + searchErrorEnglish(*result.error) +
                            "\nTry 'tamrix-cli --help'.\n");
    return 2;
  }
  for (const int32_t number : result.numbers)
    writeAnswer(stdout, format, db, number, /*skipEmpty=*/true);
  if (result.numbers.empty() && isTerminal(stderr))
    writeOutput(stderr, "tamrix-cli: no item matches\n");
  return 0;
}

}  // namespace tamrix::cli
