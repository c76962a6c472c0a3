#include "authoring/catalogue_diff.h"

#include <algorithm>
#include <cstdint>

#include "decoder/describe.h"
#include "decoder/item_number.h"

namespace tamrix {

std::vector<CatalogueChange> diffCatalogues(const ItemDatabase& before, const ItemDatabase& after) {
  std::vector<CatalogueChange> changes;
  // Over the item numbers of both sets; a set that describes none adds none.
  const ItemNumberRange a = itemNumberRange(before);
  const ItemNumberRange b = itemNumberRange(after);
  const ItemNumberRange both =
      a.first == a.end   ? b
      : b.first == b.end ? a
                         : ItemNumberRange{std::min(a.first, b.first), std::max(a.end, b.end)};
  std::string old;
  std::string now;
  for (int64_t n = both.first; n < both.end; ++n) {
    const auto number = static_cast<int32_t>(n);
    describeItem(before, number, old);
    describeItem(after, number, now);
    if (old != now)
      changes.push_back({number, old, now});
  }
  return changes;
}

}  // namespace tamrix
