#include "app/cli/fix.h"

#include <cstdio>
#include <optional>
#include <string>

#include "app/cli/data_set_place.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "authoring/mechanical_fixes.h"
#include "disk/data_path.h"
#include "disk/file_bytes.h"

namespace tamrix::cli {

Outcome fixDataFiles(const std::filesystem::path& shown, const std::filesystem::path& folder,
                     bool dryRun) {
  Outcome outcome = Outcome::kDone;
  for (const DataFile file : kReadFiles) {
    const std::string& name = dialogDataFiles()[file];
    const std::filesystem::path path = dataFilePath(folder, name);
    const std::string place = utf8Path(dataFilePath(shown, name));
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
      writeOutput(stderr, place + ": error: cannot be read; left as it was\n");
      outcome = Outcome::kFailed;
      continue;
    }
    const std::vector<TextFix> fixes = findMechanicalFixes(*bytes);
    if (fixes.empty())
      continue;
    std::string report;
    for (const TextFix& fix : fixes)
      report += place + ":" + std::to_string(fix.line) + ":" + std::to_string(fix.column) +
                (dryRun ? ": would fix: " : ": fixed: ") + fix.what + "\n";
    if (dryRun) {
      writeOutput(stdout, report);
      continue;
    }
    std::filesystem::path backup = path;
    backup += ".bak";
    if (!replaceFileBytes(backup, *bytes) || !replaceFileBytes(path, applyFixes(*bytes, fixes))) {
      writeOutput(stderr, place + ": error: cannot be written; left as it was\n");
      outcome = Outcome::kFailed;
      continue;
    }
    writeOutput(stdout, report);
  }
  return outcome;
}

Outcome fixDataSet(const Options& options) {
  const DataSetPlace place = dataSetPlace(pathFromUtf8(options.directory.value_or("")));
  return fixDataFiles(place.shown, place.absolute, options.dryRun);
}

}  // namespace tamrix::cli
