// Fuzzes readNumberField, the number field of the front ends that have no
// GetDlgItemInt, against a plain reference parse; any difference aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/dialog_logic.h"

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin]))
    ++begin;
  while (end > begin && isBlank(text[end - 1]))
    --end;
  return text.substr(begin, end - begin);
}

// Blanks (and a carriage return at the end of a line) around an optional
// minus sign and at least one digit; anything else, or a value outside the
// signed 32-bit range, reads as 0. The value is built as a decimal string and
// compared by length and then by text, so no arithmetic can overflow here.
int32_t referenceRead(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.back() == '\r')
    text = trimmed(text.substr(0, text.size() - 1));
  const bool negative = !text.empty() && text.front() == '-';
  if (negative)
    text.remove_prefix(1);
  if (text.empty())
    return 0;
  for (const char c : text)
    if (c < '0' || c > '9')
      return 0;
  while (text.size() > 1 && text.front() == '0')
    text.remove_prefix(1);
  const std::string_view limit = negative ? "2147483648" : "2147483647";
  if (text.size() > limit.size() || (text.size() == limit.size() && text > limit))
    return 0;
  int64_t value = 0;
  for (const char c : text)
    value = value * 10 + (c - '0');
  return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const int32_t expected = referenceRead(input);
  const int32_t got = tamrix::readNumberField(input);
  if (got != expected) {
    std::fprintf(stderr, "number_field_fuzzer: read %d, expected %d\n", got, expected);
    std::abort();
  }
  return 0;
}
