#include "authoring/catalogue_diff.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace tamrix {

namespace {

// The item numbers a set describes: from its base to its last prefix block.
int64_t firstNumber(const ItemDatabase& db) {
  return db.specItemCount();
}
int64_t endNumber(const ItemDatabase& db) {
  return firstNumber(db) + int64_t{db.rndItemCount()} * db.stdItemCount();
}

}  // namespace

std::vector<CatalogueChange> diffCatalogues(ItemDatabase& before, ItemDatabase& after) {
  std::vector<CatalogueChange> changes;
  const int64_t first = std::min(firstNumber(before), firstNumber(after));
  const int64_t end =
      std::min<int64_t>(std::max(endNumber(before), endNumber(after)), int64_t{INT32_MAX} + 1);
  for (int64_t n = first; n < end; ++n) {
    const auto number = static_cast<int32_t>(n);
    // describe() reuses its buffer: the first text is copied before the second call.
    std::string old = before.describe(number);
    const std::string_view now = after.describe(number);
    if (old != now)
      changes.push_back({number, std::move(old), std::string(now)});
  }
  return changes;
}

}  // namespace tamrix
