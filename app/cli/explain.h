// tamrix-cli --explain: how an item's text comes about, with the data lines
// it uses.
#pragma once

#include "app/cli/data_set_place.h"
#include "app/cli/options.h"
#include "database/item_database.h"

namespace tamrix::cli {

// The explanation of each NUMBER on standard output.
Outcome explainNumbers(const Options& options, const ItemDatabase& db, const DataSetPlaces& places);

}  // namespace tamrix::cli
