// The two conventions for numeric fields of the data files.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace tamrix {

// Reads a number the way the C library's atoi reads it: leading white space
// (blank, tab, LF, VT, FF, CR) is skipped, an optional sign is taken, then
// decimal digits up to the first other character. A field that does not
// begin with digits reads as 0; a value beyond the 32-bit range saturates.
// Inline: the loaders call it for every number of every line.
inline int32_t readNumber(std::string_view field) {
  const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  std::size_t p = 0;
  while (p < field.size() && isSpace(field[p]))
    ++p;
  bool negative = false;
  if (p < field.size() && (field[p] == '+' || field[p] == '-'))
    negative = field[p++] == '-';
  // The magnitude stops growing once it is past the range, so no count of
  // digits can overflow it.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; p < field.size() && field[p] >= '0' && field[p] <= '9'; ++p)
    magnitude = std::min(magnitude * 10 + (field[p] - '0'), kLimit);
  const int64_t value = negative ? -magnitude : magnitude;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Whether a field read as `value` holds a number: any value but 0, or a 0
// written with the digit 0 as the field's first character.
bool passesNumberCheck(std::string_view field, int32_t value);

}  // namespace tamrix
