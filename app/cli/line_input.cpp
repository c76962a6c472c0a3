#include "app/cli/line_input.h"

namespace tamrix::cli {

bool readNumberLine(std::FILE* in, std::string& line) {
  line.clear();
  bool tooLong = false;
  bool readAny = false;
  for (int c = std::getc(in); c != EOF; c = std::getc(in)) {
    readAny = true;
    if (c == '\n')
      break;
    if (tooLong)
      continue;
    if (line.size() == kLongestNumberLine) {
      tooLong = true;
      line.clear();
      line.shrink_to_fit();
      continue;
    }
    line += static_cast<char>(c);
  }
  return readAny;
}

}  // namespace tamrix::cli
