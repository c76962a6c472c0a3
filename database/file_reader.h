// Where the loaders get a data file's bytes from.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tamrix {

// A data file's bytes, shared by all that read them: a set held in memory
// lends its files rather than copying them for each reader.
using SharedBytes = std::shared_ptr<const std::string>;

// The raw bytes of the data file `fileName` (as a DataFileSet names it, for
// example "Data\skill.txt"), or null when it cannot be opened or read.
// The programs read from disk (disk/disk_reader.h), the page and the tests
// from memory.
using FileReader = std::function<SharedBytes(const std::string& fileName)>;

}  // namespace tamrix
