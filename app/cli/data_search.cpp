#include "app/cli/data_search.h"

#include <cstdio>

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
  for (const IncompleteDataSet& set : setsPassedOver(candidates, *folder, dialogDataFiles())) {
    writeOutput(stderr, "tamrix-cli: note: " + set.dataFolder + " lacks " + set.missingList() +
                            "; using the data set in " + folderList({*folder}, "") + "\n");
  }
  const std::u8string directory = folder->u8string();
  return {std::string(directory.begin(), directory.end()), {}};
}

void reportFoldersTried(const DataSearch& search) {
  if (search.tried.empty())
    return;
  writeOutput(stderr, "tamrix-cli: no Data folder with the data files in " +
                          folderList(search.tried, ", ") + "\n");
  for (const std::filesystem::path& folder : search.tried) {
    const IncompleteDataSet set = dataSetLack(folder, dialogDataFiles());
    writeOutput(stderr, "tamrix-cli: note: " + set.dataFolder +
                            (set.dataFolderExists ? " lacks " + set.missingList()
                                                  : std::string(" does not exist")) +
                            "\n");
  }
}

}  // namespace tamrix::cli
