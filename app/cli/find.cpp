#include "app/cli/find.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "app/cli/console.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "search/query.h"
#include "search/suggestions.h"

namespace tamrix::cli {

Outcome findItems(const Options& options, const ItemDatabase& db, const DataSetPlaces&) {
  const Catalogue catalogue(db);
  const SearchResult result = search(catalogue, options.query);
  if (result.error) {
    writeOutput(stderr, usageError(searchErrorEnglish(*result.error)));
    return Outcome::kUsage;
  }
  if (options.format == Format::kCsv) {
    writeCsv(stdout, catalogue, result.numbers);
  } else {
    for (const int32_t number : result.numbers)
      writeAnswer(stdout, options.format, db, number, /*skipEmpty=*/true);
  }
  if (result.numbers.empty() && isTerminal(stderr)) {
    const std::optional<QuerySuggestion> suggestion = suggestQuery(catalogue, options.query);
    writeOutput(stderr,
                "tamrix-cli: no item matches" +
                    (suggestion ? "; did you mean: " + suggestion->query + "?" : std::string()) +
                    "\n");
  }
  return Outcome::kDone;
}

}  // namespace tamrix::cli
