#include <cstddef>

#include "database/item_database.h"

namespace tamrix {

// One pass with a read and a write position; the text only ever shrinks, so
// it is rewritten in place.
void ItemDatabase::normalizeLine(std::string& text) {
  const std::size_t size = text.size();
  std::size_t read = 0;
  while (read < size && text[read] == ' ')
    ++read;

  // Line feeds are merged pairwise from the second character on, so a run
  // that starts the text keeps its first two.
  std::size_t write = 0;
  for (std::size_t run = 0; read < size && text[read] == '\n'; ++read, ++run)
    if (run < 2)
      text[write++] = '\n';

  for (; read < size; ++read) {
    const char c = text[read];
    if ((c == ' ' || c == '\n') && write > 0 && text[write - 1] == c)
      continue;
    text[write++] = c;
  }
  if (write > 0 && text[write - 1] == ' ')
    --write;
  text.resize(write);
}

}  // namespace tamrix
