// Where the loaders get a data file's bytes from.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tamrix {

// The raw bytes of the data file `fileName` (as a DataFileSet names it, for
// example "Data\skill.txt"), or nothing when it cannot be opened or read.
// The programs read from disk (disk/disk_reader.h), the page and the tests
// from memory.
using FileReader = std::function<std::optional<std::string>(const std::string& fileName)>;

}  // namespace tamrix
