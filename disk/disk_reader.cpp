#include "disk/disk_reader.h"

#include <utility>

#include "disk/data_path.h"
#include "disk/file_bytes.h"

namespace tamrix {

FileReader diskReader(std::filesystem::path folder) {
  return [folder = std::move(folder)](const std::string& fileName) {
    return readFileBytes(dataFilePath(folder, fileName));
  };
}

}  // namespace tamrix
