// The query language that searches the catalogue by name, by bonus and by
// kind, grade or prefix, and orders what it finds. docs/search.md describes
// the language for its users.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "search/catalogue.h"
#include "search/search_error.h"

namespace tamrix {

struct SearchResult {
  std::vector<int32_t> numbers;      // in the order of the query's sort terms
  std::optional<SearchError> error;  // the query cannot be read; nothing searched
  // What the query reads by, for a front end that shows it: the skills its
  // comparisons and skill sorts name, each once, in the query's order; and
  // where its sort: terms stand in the query (offset and size, in bytes).
  std::vector<int32_t> skills;
  std::vector<std::pair<std::size_t, std::size_t>> sortTerms;
};

// The numbers of the catalogue's items that match `queryUtf8`, ordered by
// its sort: terms, then by increasing number; or the error that makes the
// query unreadable.
SearchResult search(const Catalogue& catalogue, std::string_view queryUtf8);

}  // namespace tamrix
