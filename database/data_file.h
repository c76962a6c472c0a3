// Where the loaders get a data file's bytes from.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tamrix {

// The raw bytes of the data file `fileName` (as the dialog names it, for
// example "Data\skill.txt"), or nothing when it cannot be opened or read.
using FileReader = std::function<std::optional<std::string>(const std::string& fileName)>;

// Reads from the file system, relative to the current directory: a
// backslash in the name is a folder separator on every platform.
std::optional<std::string> readDataFile(const std::string& fileName);

}  // namespace tamrix
