// Reading a file's bytes, for the programs that have a file system (the
// web page has none).
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace tamrix {

// The bytes of the regular file at `path`, or nothing when there is none or
// it cannot be read; of a longer file only its first `maxBytes`. A path made
// from UTF-8 text reaches the file on every platform.
std::optional<std::string> readFileBytes(
    const std::filesystem::path& path,
    std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// Replaces the file at `path` with `bytes` as a whole: they are written
// beside it and renamed over it, so that a failed write leaves the file as
// it was. Returns false when the write or the rename fails.
bool replaceFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tamrix
