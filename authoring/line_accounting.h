// Every byte after a data file's marker line is accounted for: it is read
// into a field, or it stands in one of the free places that the format
// leaves for remarks, or it is named here at its line and column. The free
// places, and nothing else:
// - a skill line's text after the name's closing quote;
// - a standard item line's text after the last name that its slot reads
//   (the second name of a line that is no group base included);
// - a random prefix's text after the name's closing quote, and after the
//   index of a skill index line;
// - a change record's text after its fourth number;
// each set off by a blank, and none beginning with a number (a number there
// is a field that the line has one too many of).
#pragma once

#include <string>

#include "authoring/source_file.h"
#include "authoring/warning_keeper.h"
#include "database/data_file_set.h"
#include "database/item_database.h"

namespace tamrix {

// Gives `sink` the warnings for the bytes of `file`, the data file `role` named
// `fileName`, that no field reads and no free place holds; and for the
// bytes that the reader never reaches, after a Ctrl-Z or a NUL byte.
void findUnreadBytes(const SourceFile& file, DataFile role, const std::string& fileName,
                     const ItemDatabase& db, WarningKeeper& sink);

}  // namespace tamrix
