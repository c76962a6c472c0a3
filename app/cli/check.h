// tamrix-cli --check: a data set's summary and warnings, for the people who
// write the data files.
#pragma once

#include "app/cli/data_set_place.h"
#include "app/cli/options.h"
#include "database/item_database.h"

namespace tamrix::cli {

// The summary, then "FILE:LINE: warning: ... [code]" per warning (a JSON
// object per line with kJson) on standard output.
Outcome checkDataSet(const Options& options, const ItemDatabase& db, const DataSetPlaces& places);

}  // namespace tamrix::cli
