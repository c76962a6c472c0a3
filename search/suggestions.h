// Suggestions for a query that finds nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "search/catalogue.h"

namespace tamrix {

// For a query that finds nothing: the same query with each word that occurs
// in no name line replaced by the closest word of the name lines (folded, at
// most two edits away). `query` is the new query (UTF-8, the words folded);
// `words` the new words as a name line writes them (UTF-8, blank-separated).
struct QuerySuggestion {
  std::string query;
  std::string words;
};
// Nothing when no word can be replaced, or the query cannot be read.
std::optional<QuerySuggestion> suggestQuery(const Catalogue& catalogue, std::string_view queryUtf8);

}  // namespace tamrix
