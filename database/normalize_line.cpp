#include <cstddef>

#include "database/item_database.h"

namespace tamrix {

namespace {

// True when normalisation would change nothing, which holds for nearly every
// data line. The scan has no early exit, so the compiler can vectorise it.
bool isNormalized(const std::string& text) {
  if (text.empty())
    return true;
  if (text.front() == ' ' || text.front() == '\n' || text.back() == ' ')
    return false;
  const char* p = text.data();
  unsigned pairs = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    pairs |= static_cast<unsigned>((p[i] == p[i + 1]) & ((p[i] == ' ') | (p[i] == '\n')));
  return pairs == 0;
}

}  // namespace

// One pass with a read and a write position; the text only ever shrinks, so
// it is rewritten in place.
void ItemDatabase::normalizeLine(std::string& text) {
  if (isNormalized(text))
    return;
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

  // Every byte is stored and the write position advances unless the byte
  // repeats a blank or a line feed: no branch depends on the text.
  char previous = write > 0 ? text[write - 1] : '\0';
  for (; read < size; ++read) {
    const char c = text[read];
    const bool repeat = (c == previous) & ((c == ' ') | (c == '\n'));
    text[write] = c;
    write += repeat ? 0 : 1;
    previous = c;
  }
  if (write > 0 && text[write - 1] == ' ')
    --write;
  text.resize(write);
}

}  // namespace tamrix
