// Every value in a data file is one that the decoder gives a meaning to, and
// every record reaches some item: a doubling flag is 0 or 1, a random
// prefix's number lies in a block that item numbers reach and is its first,
// a change record names a kind that some group base has.
#pragma once

#include <string>

#include "authoring/source_file.h"
#include "authoring/warning_keeper.h"
#include "database/data_file_set.h"
#include "database/item_database.h"

namespace tamrix {

// Gives `sink` the warnings for the values of `file`, the data file `role` named
// `fileName`, that `db` loaded, which mean nothing or reach no item.
void findMeaninglessValues(const SourceFile& file, DataFile role, const std::string& fileName,
                           const ItemDatabase& db, WarningKeeper& sink);

}  // namespace tamrix
