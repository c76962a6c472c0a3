// What the file loaders share: opening a data file and the slot arithmetic.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/data_line_reader.h"
#include "database/item_database.h"

namespace tamrix {

// Error texts of a data file that cannot be used at all (Windows-1250).
inline constexpr const char* kCannotOpenText = "a f\xE1jl nem nyithat\xF3 meg";
inline constexpr const char* kNoStartLineText = "hi\xE1nyzik a -start- sor";

// Creates a fixed table of `slots` cleared slots, all absent, before its file
// is opened, so that the table is in place whatever the load's outcome.
template <typename Entry>
void createFixedTable(int32_t slots, int32_t& count, std::vector<Entry>& entries,
                      std::vector<uint8_t>& present) {
  count = slots;
  entries.assign(static_cast<std::size_t>(slots), Entry{});
  present.assign(static_cast<std::size_t>(slots), 0);
}

// Rejects a data line: sets the load error to `line` and returns false, so
// that a loader can `return rejectLine(...)`.
inline bool rejectLine(ItemDatabase& db, std::string_view line, std::string_view fileName) {
  db.setLoadError(line, fileName);
  return false;
}

// Reads `fileName` and passes its header. On failure sets the database's
// load error and returns nothing.
std::optional<DataLineReader> openDataFile(ItemDatabase& db, const std::string& fileName);

// The random prefix index of item number `number`: (number - specItemCount)
// / stdItemCount, truncating toward zero, in 64 bits so that no number
// overflows. Nothing while the standard item table has no slots.
std::optional<int64_t> prefixIndexOf(const ItemDatabase& db, int32_t number);

}  // namespace tamrix
