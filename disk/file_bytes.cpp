#include "disk/file_bytes.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <system_error>

namespace tamrix {

namespace {

// Data files are small; a size beyond this is no reason to reserve memory.
constexpr std::uintmax_t kMaxSizeHint = std::uintmax_t{1} << 28;

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path, std::size_t maxBytes) {
  // Only a regular file is a data file. A pipe or a device under a data
  // file's name (a link to /dev/zero, say) would keep the read waiting for
  // more input or never let it end.
  std::error_code typeError;
  if (!std::filesystem::is_regular_file(path, typeError))
    return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return std::nullopt;
  // The bytes are read straight into the text. The size is only a hint (one
  // byte more, so that the end of the file is seen at once); the reads
  // decide what the file holds.
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
  std::size_t capacity = std::min(
      maxBytes, !sizeError && size < kMaxSizeHint ? static_cast<std::size_t>(size) + 1 : 65536);
  std::string bytes;
  std::size_t filled = 0;
  for (;;) {
    bytes.resize(capacity);
    file.read(bytes.data() + filled, static_cast<std::streamsize>(capacity - filled));
    filled += static_cast<std::size_t>(file.gcount());
    if (filled < capacity || capacity == maxBytes)
      break;
    capacity = capacity > maxBytes / 2 ? maxBytes : capacity * 2;
  }
  bytes.resize(filled);
  if (file.bad())
    return std::nullopt;
  return bytes;
}

bool replaceFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temporary = path;
  temporary += ".new";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (!error)
    return true;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return false;
}

}  // namespace tamrix
