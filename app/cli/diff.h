// tamrix-cli --diff: what an edit of the data files changed.
#pragma once

#include "app/cli/data_set_place.h"
#include "app/cli/options.h"
#include "database/item_database.h"

namespace tamrix::cli {

// Loads the set at `places.other` and writes every number whose description
// differs from `db`'s, in increasing order, then (in text, or alone with
// --summary) each changed data line with the items it changes, and a count.
Outcome diffDataSets(const Options& options, const ItemDatabase& db, const DataSetPlaces& places);

}  // namespace tamrix::cli
