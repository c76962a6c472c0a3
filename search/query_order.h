// Ordering the items a query finds by its sort terms.
#pragma once

#include <vector>

#include "search/catalogue.h"
#include "search/query_reader.h"

namespace tamrix {

// Orders `items`, given by increasing number, by the sort terms among
// `terms`, the first deciding, then by increasing number.
void orderItems(std::vector<const CatalogueItem*>& items, const std::vector<Term>& terms);

}  // namespace tamrix
