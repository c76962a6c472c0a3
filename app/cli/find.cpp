#include "app/cli/find.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/cli/console.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "search/search.h"

namespace tamrix::cli {

Outcome findItems(const Options& options, const ItemDatabase& db) {
  const Catalogue catalogue(db);
  const SearchResult result = search(catalogue, options.query);
  if (result.error) {
    writeOutput(stderr, "tamrix-cli: " + searchErrorEnglish(*result.error) +
                            "\nTry 'tamrix-cli --help'.\n");
    return Outcome::kUsage;
  }
  for (const int32_t number : result.numbers)
    writeAnswer(stdout, options.format, db, number, /*skipEmpty=*/true);
  if (result.numbers.empty() && isTerminal(stderr))
    writeOutput(stderr, "tamrix-cli: no item matches\n");
  return Outcome::kDone;
}

}  // namespace tamrix::cli
