// tamrix-cli --fix: the mechanical repairs of authoring/mechanical_fixes.h
// made to the data files on disk.
#pragma once

#include <filesystem>

#include "app/cli/options.h"

namespace tamrix::cli {

// --fix [--dry-run] [-C DIR] for the set below -C DIR or the current directory.
Outcome fixDataSet(const Options& options);

// Repairs each data file below `folder` (shown as `shown` in the messages),
// writing a repaired file whole, the old one kept as FILE.bak, and prints
// "FILE:LINE:COLUMN: fixed: what" per repair; with `dryRun` it only prints
// ("would fix"). A file that cannot be read or written is left as it was.
Outcome fixDataFiles(const std::filesystem::path& shown, const std::filesystem::path& folder,
                     bool dryRun);

}  // namespace tamrix::cli
