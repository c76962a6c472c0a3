// The two conventions for numeric fields of the data files.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <system_error>

namespace tamrix {

// Reads a number the way the C library's atoi reads it: leading white space
// (blank, tab, LF, VT, FF, CR) is skipped, an optional sign is taken, then
// decimal digits up to the first other character. A field that does not
// begin with digits reads as 0; a value beyond the 32-bit range saturates.
// Inline: the loaders call it for every number of every line.
inline int32_t readNumber(std::string_view field) {
  const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  const char* p = field.data();
  const char* const end = p + field.size();
  while (p != end && isSpace(*p))
    ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-'))
    negative = *p++ == '-';
  // Unsigned digits only: no second sign, no blank. Past 64 bits the value
  // is out of range, and so saturates like any value past 32 bits.
  constexpr uint64_t kLimit = uint64_t{std::numeric_limits<int32_t>::max()} + 1;
  uint64_t magnitude = 0;
  if (std::from_chars(p, end, magnitude).ec == std::errc::result_out_of_range)
    magnitude = kLimit;
  magnitude = std::min(magnitude, kLimit);
  if (negative)
    return static_cast<int32_t>(-static_cast<int64_t>(magnitude));
  return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

// Whether a field read as `value` holds a number: any value but 0, or a 0
// written with the digit 0 as the field's first character.
bool passesNumberCheck(std::string_view field, int32_t value);

}  // namespace tamrix
