// Items side by side: the rows of a comparison table, with the best value of
// each row, as every front end shows them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "search/catalogue.h"

namespace tamrix {

// The most items one comparison shows side by side.
inline constexpr int kMostComparedItems = 8;

struct ComparisonRow {
  int32_t skill = 0;
  std::string name;             // Windows-1250; "?" for a skill without a line, as described
  std::vector<int32_t> values;  // one per item: the sum it shows, 0 where none
  std::vector<bool> best;       // the items that hold the row's highest value
};

struct Comparison {
  std::vector<int32_t> numbers;
  std::vector<std::string> names;   // name lines, Windows-1250; empty for a number that is no item
  std::vector<ComparisonRow> rows;  // every skill that one of the items shows, by index
  // One per item when one of them has a damage line, otherwise none; nothing
  // for an item without one. The best has the highest average.
  std::vector<std::optional<DamageFigure>> damage;
  std::vector<bool> damageBest;
};

// The comparison of `numbers` in their order. A number that is no item takes
// no part in a row's best; a row marks no best when every item holds the
// same value.
Comparison compareItems(const Catalogue& catalogue, std::span<const int32_t> numbers);

}  // namespace tamrix
