// tamrix-cli --compare: items side by side.
#pragma once

#include "app/cli/options.h"
#include "database/item_database.h"

namespace tamrix::cli {

// Writes the comparison of the NUMBER arguments to standard output: a table
// for people (aligned by display width, the best of each row marked), one
// JSON object, or a CSV line per item.
Outcome compareNumbers(const Options& options, const ItemDatabase& db, const DataSetPlaces& places);

}  // namespace tamrix::cli
