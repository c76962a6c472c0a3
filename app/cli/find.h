// tamrix-cli --find: the items that match a query, in the chosen format.
#pragma once

#include "app/cli/options.h"
#include "database/item_database.h"

namespace tamrix::cli {

// Writes the record of every item that matches options.query to standard
// output, in the query's order, as --all writes it. Nothing matching is
// success (a note on standard error says so when it is a terminal, with the
// query that a misspelt word may have meant); a query that cannot be read is
// a usage error, written to standard error, with nothing on standard output.
Outcome findItems(const Options& options, const ItemDatabase& db, const DataSetPlaces& places);

}  // namespace tamrix::cli
