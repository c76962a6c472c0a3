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

}  // namespace tamrix
