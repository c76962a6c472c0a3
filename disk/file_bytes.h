// Reading a file's bytes, for the programs that have a file system (the
// web page has none).
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace tamrix {

// The bytes of the regular file at `path`, or nothing when there is none or
// it cannot be read; of a longer file only its first `maxBytes`. A path made
// from UTF-8 text reaches the file on every platform.
std::optional<std::string> readFileBytes(
    const std::filesystem::path& path,
    std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

}  // namespace tamrix
