#include "database/data_file.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace tamrix {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The shell names its files with a backslash ("Data\skill.txt"); where the
// backslash is an ordinary character the same file is Data/skill.txt.
std::string hostPath(const std::string& fileName) {
#ifdef _WIN32
  return fileName;
#else
  std::string path = fileName;
  for (char& c : path)
    if (c == '\\')
      c = '/';
  return path;
#endif
}

// Data files are small; a size beyond this is no reason to reserve memory.
constexpr std::uintmax_t kMaxSizeHint = std::uintmax_t{1} << 28;

}  // namespace

std::optional<std::string> readDataFile(const std::string& fileName) {
  const std::string path = hostPath(fileName);
  // Only a regular file is a data file. A pipe or a device under a data
  // file's name (a link to /dev/zero, say) would keep the read waiting for
  // more input or never let it end.
  std::error_code typeError;
  if (!std::filesystem::is_regular_file(path, typeError))
    return std::nullopt;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file)
    return std::nullopt;
  // The bytes are read straight into the text. The size is only a hint (one
  // byte more, so that the end of the file is seen at once); the reads
  // decide what the file holds.
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
  std::size_t capacity =
      !sizeError && size < kMaxSizeHint ? static_cast<std::size_t>(size) + 1 : 65536;
  std::string bytes;
  std::size_t filled = 0;
  for (;;) {
    bytes.resize(capacity);
    filled += std::fread(bytes.data() + filled, 1, capacity - filled, file.get());
    if (filled < capacity)
      break;
    capacity *= 2;
  }
  bytes.resize(filled);
  // A folder opens on some systems but cannot be read.
  if (std::ferror(file.get()))
    return std::nullopt;
  return bytes;
}

}  // namespace tamrix
