// The loaders' reader for the programs: data files from disk.
#pragma once

#include <filesystem>

#include "database/file_reader.h"

namespace tamrix {

// Reads each data file from below `folder` (the current directory when it
// is empty), by dataFilePath; of a file longer than kMaxDataSetBytes only
// one byte more than that, which the load refuses.
FileReader diskReader(std::filesystem::path folder = {});

}  // namespace tamrix
