// The query language that searches the catalogue by name, by bonus and by
// kind, grade or prefix, and orders what it finds. docs/search.md describes
// the language for its users.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "search/catalogue.h"
#include "search/search_error.h"

namespace tamrix {

struct SearchResult {
  std::vector<int32_t> numbers;      // in the order of the query's sort terms
  std::optional<SearchError> error;  // the query cannot be read; nothing searched
};

// The numbers of the catalogue's items that match `queryUtf8`, ordered by
// its sort: terms, then by increasing number; or the error that makes the
// query unreadable.
SearchResult search(const Catalogue& catalogue, std::string_view queryUtf8);

}  // namespace tamrix
