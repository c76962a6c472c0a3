// tamrix-cli --find: the items that match a query, in the chosen format.
#pragma once

#include <string_view>

#include "app/cli/output.h"
#include "database/item_database.h"

namespace tamrix::cli {

// Writes the record of every item that matches `queryUtf8` to standard
// output, as --all writes it. Returns the exit status: 0, also when nothing
// matches (a note on standard error says so when it is a terminal), or 2
// with the error on standard error and nothing on standard output when the
// query cannot be read.
int findItems(ItemDatabase& db, Format format, std::string_view queryUtf8);

}  // namespace tamrix::cli
