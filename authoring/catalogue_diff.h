// What an edit of the data files changed: the item numbers whose
// descriptions differ between two loaded data sets, and those numbers
// grouped by what their descriptions lost, gained and changed.
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

// A part that both sides of a description hold with other values: a bonus
// of the same skill ("erő", "+7" → "+9") or the damage line ("sebzés",
// "1d6+1" → "1d6+4"). Over a group the values are spans, "+1 to +20".
struct ChangedValue {
  std::string what;  // Windows-1250, as all the texts here
  std::string before;
  std::string after;
};

// Numbers whose descriptions changed in the same way. A description's parts
// are the words of its name line, each bonus of its bonus line, its damage
// line and each other line whole. A changed number lost the parts in `lost`,
// gained those in `gained` and holds those in `changed` with other values, in
// the order they appear; a bonus or damage line is the same part whatever
// its value, so that one edit over many grades and damage figures is one
// group, its values given as spans. Numbers that appeared or disappeared form
// one group each, with no parts.
struct ChangeGroup {
  enum class Kind { kChanged, kAppeared, kDisappeared };
  Kind kind = Kind::kChanged;
  std::vector<std::string> lost;
  std::vector<std::string> gained;
  std::vector<ChangedValue> changed;
  std::vector<int32_t> numbers;   // increasing
  std::vector<int32_t> grades;    // increasing, each once
  std::vector<int32_t> prefixes;  // increasing, each once; 0 is no prefix
};

// The groups of `changes`, the largest first (then by their first number);
// `db` gives the item numbers' parts.
std::vector<ChangeGroup> groupChanges(const ItemDatabase& db,
                                      const std::vector<CatalogueChange>& changes);

// Adds `value` to the increasing `values` unless it is there.
void addOnce(std::vector<int32_t>& values, int32_t value);

}  // namespace tamrix
