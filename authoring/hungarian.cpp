#include "authoring/hungarian.h"

#include "authoring/data_warnings.h"
#include "authoring/wording.h"
#include "text/encoding.h"

namespace tamrix {

std::string hu(std::string_view utf8) {
  // The program's own texts hold only letters that Windows-1250 has.
  return utf8ToCp1250(utf8).value_or(std::string(utf8));
}

std::string huSpan(int64_t first, int64_t last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}

std::string hungarianText(const DataWarning& warning) {
  if (!warning.hungarian().empty())
    return std::string(warning.hungarian());
  return hu(codeWording(warning.code).meaning.hungarian);
}

}  // namespace tamrix
