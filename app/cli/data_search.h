// Where tamrix-cli finds its data set without -C: where the Linux dialog
// finds it (disk/data_location.h), so that both answer from the same set.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tamrix::cli {

struct DataSearch {
  // The folder to change into (UTF-8); nothing for the current directory.
  std::optional<std::string> directory;
  // Every folder searched, when none held a data set; otherwise empty.
  std::vector<std::filesystem::path> tried;
};

// Finds the data set. The current directory's answers as it always has;
// when it holds none, the first of the other folders that holds one does,
// with a note on standard error for each folder passed over that has a Data
// folder of its own, naming the files it lacks (a set missing a file must
// not pass silently for the one that answers).
// When no folder holds a set, the load is left to fail in the current
// directory with its usual error.
DataSearch searchDataSet();

// After a failed load: when no folder held a data set, a line on standard
// error that names every folder searched, then a note for each that says
// which files its Data folder lacks, or that it has none.
void reportFoldersTried(const DataSearch& search);

}  // namespace tamrix::cli
