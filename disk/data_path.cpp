#include "disk/data_path.h"

namespace tamrix {

std::filesystem::path dataFilePath(const std::filesystem::path& folder, std::string_view fileName) {
  std::filesystem::path path = folder;
  for (std::size_t start = 0;;) {
    const std::size_t separator = fileName.find('\\', start);
    path /= fileName.substr(start, separator - start);
    if (separator == std::string_view::npos)
      return path.make_preferred();
    start = separator + 1;
  }
}

}  // namespace tamrix
