#include "authoring/hungarian.h"

#include "text/encoding.h"

namespace tamrix {

std::string hu(std::string_view utf8) {
  // The program's own texts hold only letters that Windows-1250 has.
  return utf8ToCp1250(utf8).value_or(std::string(utf8));
}

std::string huSpan(int64_t first, int64_t last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}

}  // namespace tamrix
