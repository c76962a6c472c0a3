// tamrix-cli's tools for the people who write the data files: where a load
// failed (--check), the warnings of a set that loaded (--check), how an
// item's text comes about (--explain) and what an edit changed (--diff).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "app/cli/output.h"
#include "database/data_file.h"
#include "database/item_database.h"

namespace tamrix::cli {

// Where a data set lives: its folder as the user named it (empty for the
// current directory), for FILE:LINE, and as an absolute path, for a file
// that could not be opened.
struct DataSetPlace {
  std::filesystem::path shown;
  std::filesystem::path absolute;
};

// The place of the folder `dir` (empty: the current directory).
DataSetPlace dataSetPlace(const std::filesystem::path& dir);

// After a failed load, where and why: "FILE:LINE: explanation" on standard
// error, or with kJson {"ok":false,...} on standard output.
void reportFailurePlace(const ItemDatabase& db, Format format, const DataSetPlace& place);

// After a successful load, "FILE:LINE: warning: ... [code]" per warning (a
// JSON object per line with kJson) on standard output. Returns how many.
std::size_t writeWarnings(const ItemDatabase& db, Format format, const DataSetPlace& place);

// The explanation of each number on standard output.
void writeExplanations(ItemDatabase& db, Format format, const DataSetPlace& place,
                       const std::vector<int32_t>& numbers);

// Reads the data files of the set at `place` (for a set that is not in the
// current directory).
FileReader dataSetReader(const DataSetPlace& place);

// Writes every number whose description differs between `current` and
// `other`, in increasing order, then (in text) a summary line. Returns
// whether any number differs.
bool writeCatalogueDiff(ItemDatabase& current, ItemDatabase& other, Format format);

}  // namespace tamrix::cli
