#include "app/cli/data_search.h"

#include <cstdio>
#include <system_error>

#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "disk/data_location.h"

namespace tamrix::cli {

DataSearch searchDataSet() {
  const std::vector<std::filesystem::path> candidates = dataFolderCandidates();
  if (candidates.empty() || !missingDataFile(".", dialogDataFiles()))
    return {};
  const std::optional<std::filesystem::path> folder = findDataSet(candidates, dialogDataFiles());
  if (!folder)
    return {std::nullopt, candidates};
  std::error_code error;
  if (std::filesystem::is_directory("Data", error)) {
    const std::string missing = *missingDataFile(".", dialogDataFiles());
    writeOutput(stderr, "tamrix-cli: note: ./Data lacks " +
                            missing.substr(missing.rfind('\\') + 1) + "; using the data set in " +
                            folderList({*folder}, "") + "\n");
  }
  const std::u8string directory = folder->u8string();
  return {std::string(directory.begin(), directory.end()), {}};
}

void reportFoldersTried(const DataSearch& search) {
  if (!search.tried.empty())
    writeOutput(stderr, "tamrix-cli: no Data folder with the data files in " +
                            folderList(search.tried, ", ") + "\n");
}

}  // namespace tamrix::cli
