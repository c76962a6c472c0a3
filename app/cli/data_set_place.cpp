#include "app/cli/data_set_place.h"

#include <system_error>

#include "disk/disk_reader.h"

namespace tamrix::cli {

DataSetPlace dataSetPlace(const std::filesystem::path& dir) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(dir.empty() ? "." : dir, error);
  return {dir, error ? dir : absolute.lexically_normal()};
}

FileReader dataSetReader(const DataSetPlace& place) {
  return diskReader(place.absolute);
}

}  // namespace tamrix::cli
