// tamrix-cli's tools for the people who write the data files: where a load
// failed (--check), the warnings of a set that loaded (--check), how an
// item's text comes about (--explain) and what an edit changed (--diff).
#pragma once

#include <cstdint>
#include <filesystem>

#include "app/cli/options.h"
#include "database/file_reader.h"
#include "database/item_database.h"

namespace tamrix::cli {

// Where a data set lives: its folder as the user named it (empty for the
// current directory), for FILE:LINE, and as an absolute path, for a file
// that could not be opened and for reading the files again.
struct DataSetPlace {
  std::filesystem::path shown;
  std::filesystem::path absolute;
};

// The place of the folder `dir` (empty: the current directory).
DataSetPlace dataSetPlace(const std::filesystem::path& dir);

// Reads the data files of the set at `place`.
FileReader dataSetReader(const DataSetPlace& place);

// After a failed load, where and why: "FILE:LINE: explanation" on standard
// error, or with kJson {"ok":false,...} on standard output.
void reportFailurePlace(const ItemDatabase& db, Format format, const DataSetPlace& place);

// --check: the summary, then "FILE:LINE: warning: ... [code]" per warning
// (a JSON object per line with kJson) on standard output.
Outcome checkDataSet(const Options& options, const ItemDatabase& db, const DataSetPlace& place);

// --explain: the explanation of each NUMBER on standard output.
Outcome explainNumbers(const Options& options, const ItemDatabase& db, const DataSetPlace& place);

// --diff: loads the set at `other` and writes every number whose
// description differs from `db`'s, in increasing order, then (in text) a
// summary.
Outcome diffDataSets(const Options& options, const ItemDatabase& db, const DataSetPlace& other);

}  // namespace tamrix::cli
