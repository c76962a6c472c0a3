// The loaders' reader for the programs: data files from disk.
#pragma once

#include <filesystem>

#include "database/file_reader.h"

namespace tamrix {

// Reads each data file from below `folder` (the current directory when it
// is empty), by dataFilePath.
FileReader diskReader(std::filesystem::path folder = {});

}  // namespace tamrix
