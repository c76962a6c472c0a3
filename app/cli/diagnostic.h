// How tamrix-cli names a place in the data files: diagnostic lines as
// compilers write them ("FILE:LINE:COLUMN: error|warning|note: message"), so
// that editors jump to them, and the same places as JSON.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/data_set_place.h"
#include "app/cli/options.h"
#include "app/json.h"
#include "authoring/data_warnings.h"
#include "database/item_database.h"

namespace tamrix::cli {

// Windows-1250 text from the data files as UTF-8, which everything written
// is but --raw.
std::string utf8(std::string_view cp1250);

// "FILE:LINE:COLUMN", "FILE:LINE" for column 0, or "FILE" for line 0.
std::string location(const DataSetPlace& place, const SourceLine& where);

// A line number, null for line 0.
Json jsonLineNumber(int32_t line);

// {"file":...,"line":...} for `where`.
Json jsonPlace(const DataSetPlace& place, const SourceLine& where);

// "FILE:LINE:COLUMN: KIND: message\n". `message` is Windows-1250, written as
// it is with kRaw and as UTF-8 otherwise.
std::string diagnostic(const DataSetPlace& place, const SourceLine& where, std::string_view kind,
                       std::string_view message, Format format);

// A "note" diagnostic line per note.
std::string noteLines(const DataSetPlace& place, const std::vector<DataNote>& notes, Format format);

// [{"file":...,"line":...,"message":...}, ...]
Json jsonNotes(const DataSetPlace& place, const std::vector<DataNote>& notes);

// After a failed load, where and why: "FILE:LINE: error: explanation" and its
// notes on standard error, or with kJson {"ok":false,...} on standard output.
void reportFailurePlace(const ItemDatabase& db, Format format, const DataSetPlace& place);

}  // namespace tamrix::cli
