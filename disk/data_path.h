// Where a data file named as a DataFileSet names it lies on disk.
#pragma once

#include <filesystem>
#include <string_view>

namespace tamrix {

// The file `fileName` ("Data\skill.txt") below `folder`: each backslash of
// the name is a folder separator on every platform, and the path has the
// platform's own separators. An empty `folder` is the current directory.
std::filesystem::path dataFilePath(const std::filesystem::path& folder, std::string_view fileName);

}  // namespace tamrix
