#include "disk/disk_reader.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "database/limits.h"
#include "disk/data_path.h"
#include "disk/file_bytes.h"

namespace tamrix {

FileReader diskReader(std::filesystem::path folder) {
  return [folder = std::move(folder)](const std::string& fileName) -> SharedBytes {
    // One byte past the limit is enough for the load to refuse the set.
    std::optional<std::string> bytes = readFileBytes(
        dataFilePath(folder, fileName), static_cast<std::size_t>(kMaxDataSetBytes) + 1);
    if (!bytes)
      return nullptr;
    return std::make_shared<const std::string>(std::move(*bytes));
  };
}

}  // namespace tamrix
