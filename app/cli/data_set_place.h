// Where a data set lives, as tamrix-cli names it in what it writes.
#pragma once

#include <filesystem>

#include "database/file_reader.h"

namespace tamrix::cli {

// A data set's folder as the user named it (empty for the current
// directory), for FILE:LINE, and as an absolute path, for a file that could
// not be opened and for reading the files again.
struct DataSetPlace {
  std::filesystem::path shown;
  std::filesystem::path absolute;
};

// The place of the folder `dir` (empty: the current directory).
DataSetPlace dataSetPlace(const std::filesystem::path& dir);

// Reads the data files of the set at `place`.
FileReader dataSetReader(const DataSetPlace& place);

// The sets a mode works on: the one loaded (-C, or where it was found) and
// the one --diff compares it with, named from the directory the program
// started in.
struct DataSetPlaces {
  DataSetPlace here;
  DataSetPlace other;
};

}  // namespace tamrix::cli
