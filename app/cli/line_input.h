// Lines of standard input for tamrix-cli, read without keeping more of a
// line than a number field can use, so an endless line takes no memory.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace tamrix::cli {

// The longest line kept: far more than a number with blanks around it needs.
inline constexpr std::size_t kLongestNumberLine = 1024;

// Reads the next line of `in` into `line`, without its line feed, and returns
// true; returns false at the end of the input. A line longer than
// kLongestNumberLine bytes is read to its end but not kept: `line` is then
// empty, which reads as 0.
bool readNumberLine(std::FILE* in, std::string& line);

}  // namespace tamrix::cli
