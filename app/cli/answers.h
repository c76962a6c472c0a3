// tamrix-cli's answers to item numbers: those given, those read from
// standard input, or every one.
#pragma once

#include "app/cli/options.h"
#include "database/item_database.h"

namespace tamrix::cli {

// Each NUMBER argument's answer or, without any, each line of standard
// input's, as the dialog answers its number field.
Outcome describeNumbers(const Options& options, const ItemDatabase& db,
                        const DataSetPlaces& places);

// --all: every item number that has a description, in increasing order.
Outcome describeAll(const Options& options, const ItemDatabase& db, const DataSetPlaces& places);

}  // namespace tamrix::cli
