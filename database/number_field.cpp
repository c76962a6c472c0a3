#include "database/number_field.h"

#include <limits>

namespace tamrix {

namespace {

bool isCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t readNumber(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && isCSpace(field[i]))
    ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-'))
    negative = field[i++] == '-';
  // Accumulate the magnitude in 64 bits and stop growing it once it is past
  // the range, so no digit count can overflow.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    if (magnitude <= kLimit)
      magnitude = magnitude * 10 + (field[i] - '0');
  }
  if (negative)
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::min()
                               : static_cast<int32_t>(-magnitude);
  return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                             : static_cast<int32_t>(magnitude);
}

bool passesNumberCheck(std::string_view field, int32_t value) {
  return value != 0 || (!field.empty() && field[0] == '0');
}

}  // namespace tamrix
