#include "database/number_field.h"

#include <limits>

namespace tamrix {

namespace {

// Blank, tab, LF, VT, FF and CR: the white space that atoi skips.
bool isCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

int32_t readNumber(std::string_view field) {
  const char* p = field.data();
  const char* const end = p + field.size();
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
  if (negative)
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::min()
                               : -static_cast<int32_t>(magnitude);
  return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                             : static_cast<int32_t>(magnitude);
}

bool passesNumberCheck(std::string_view field, int32_t value) {
  return value != 0 || (!field.empty() && field[0] == '0');
}

}  // namespace tamrix
