// The two conventions for numeric fields of the data files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace tamrix {

// Reads a number the way the C library's atoi reads it, and sets `used` to
// the number of bytes read: leading white space (blank, tab, LF, VT, FF, CR)
// is skipped, an optional sign is taken, then decimal digits up to the first
// other character. A field that does not begin with digits reads as 0; a
// value beyond the 32-bit range saturates. Inline because the loaders call
// it for every number of every line.
inline int32_t readNumberPrefix(std::string_view field, std::size_t& used) {
  const auto isCSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  const char* const begin = field.data();
  const char* const end = begin + field.size();
  const char* p = begin;
  while (p != end && isCSpace(*p))
    ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-'))
    negative = *p++ == '-';
  // Accumulate the magnitude in 64 bits and stop growing it once it is past
  // the range, so no digit count can overflow.
  constexpr uint64_t kLimit = uint64_t{std::numeric_limits<int32_t>::max()} + 1;
  uint64_t magnitude = 0;
  for (; p != end; ++p) {
    const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(*p)) - '0';
    if (digit > 9)
      break;
    if (magnitude <= kLimit)
      magnitude = magnitude * 10 + digit;
  }
  used = static_cast<std::size_t>(p - begin);
  if (negative)
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::min()
                               : -static_cast<int32_t>(magnitude);
  return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                             : static_cast<int32_t>(magnitude);
}

// readNumberPrefix without the count of bytes read.
inline int32_t readNumber(std::string_view field) {
  std::size_t used = 0;
  return readNumberPrefix(field, used);
}

// Whether a field read as `value` holds a number: any value but 0, or a 0
// written with the digit 0 as the field's first character.
bool passesNumberCheck(std::string_view field, int32_t value);

}  // namespace tamrix
