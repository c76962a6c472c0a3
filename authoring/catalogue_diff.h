// What an edit of the data files changed: the item numbers whose
// descriptions differ between two loaded data sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "database/item_database.h"

namespace tamrix {

// One number whose description differs. An empty text means that the
// number has no description in that set (it appears or disappears).
struct CatalogueChange {
  int32_t number = 0;
  std::string before;  // Windows-1250
  std::string after;
};

// Every number, in increasing order, whose description in `before` differs
// from the one in `after`, over the item numbers of both sets.
std::vector<CatalogueChange> diffCatalogues(const ItemDatabase& before, const ItemDatabase& after);

// The same over `numbers` only, which are in increasing order.
std::vector<CatalogueChange> diffCatalogues(const ItemDatabase& before, const ItemDatabase& after,
                                            const std::vector<int32_t>& numbers);

// Numbers whose descriptions changed in the same way. A description's parts
// are the words of its name line, each bonus of its bonus line and each other
// line whole; a changed number lost the parts in `removed` and gained those in
// `added`, in the order they appear. Numbers that appeared or disappeared form
// one group each, with no parts.
struct ChangeGroup {
  enum class Kind { kChanged, kAppeared, kDisappeared };
  Kind kind = Kind::kChanged;
  std::vector<std::string> removed;  // Windows-1250
  std::vector<std::string> added;
  std::vector<int32_t> numbers;   // increasing
  std::vector<int32_t> grades;    // increasing, each once
  std::vector<int32_t> prefixes;  // increasing, each once; 0 is no prefix
};

// The groups of `changes`, the largest first (then by their first number);
// `db` gives the item numbers' parts.
std::vector<ChangeGroup> groupChanges(const ItemDatabase& db,
                                      const std::vector<CatalogueChange>& changes);

}  // namespace tamrix
