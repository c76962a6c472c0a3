#include <algorithm>

#include "database/data_line_reader.h"

namespace tamrix {

namespace {
bool isRepeat(char a, char b) {
  return a == b && (a == ' ' || a == '\n');
}
}  // namespace

// One pass with a read and a write position: the text only ever shrinks.
// Most texts hold no repeat at all and are only read.
void normalizeLine(std::string& text) {
  std::size_t read = 0;
  std::size_t write = 0;
  if (!text.empty() && text[0] != ' ' && text[0] != '\n') {
    const auto repeat = std::adjacent_find(text.begin(), text.end(), isRepeat);
    read = write = static_cast<std::size_t>(repeat - text.begin());
  } else {
    while (read < text.size() && text[read] == ' ')
      ++read;
    // A run of line feeds at the start keeps two of them.
    for (int run = 0; read < text.size() && text[read] == '\n'; ++read, ++run)
      if (run < 2)
        text[write++] = '\n';
  }
  for (; read < text.size(); ++read) {
    if (write > 0 && isRepeat(text[read], text[write - 1]))
      continue;
    text[write++] = text[read];
  }
  if (write > 0 && text[write - 1] == ' ')
    --write;
  text.resize(write);
}

}  // namespace tamrix
