// Names that print otherwise than their author wrote them: a random
// prefix's name with its own article, a blank or a capital at its start, a
// "?" (the mark the description uses for a missing name), an empty name
// where the description needs one, two skills or prefixes with one name, and
// a remark after a prefix's skill index that names another skill.
#pragma once

#include <string>

#include "authoring/source_file.h"
#include "authoring/warning_keeper.h"
#include "database/data_file_set.h"
#include "database/item_database.h"

namespace tamrix {

// Gives `sink` the warnings for the names of `file`, the data file `role` named
// `fileName`, as `db` loaded them.
void findNameSlips(const SourceFile& file, DataFile role, const std::string& fileName,
                   const ItemDatabase& db, WarningKeeper& sink);

}  // namespace tamrix
