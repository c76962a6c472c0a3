#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "database/data_line_reader.h"
#include "database/item_database.h"

namespace tamrix {

namespace {

bool repeatsBlankOrFeed(char a, char b) {
  return (a == b) & ((a == ' ') | (a == '\n'));
}

// The position of the first byte that repeats the blank or line feed before
// it, or `size` when none does. Nearly every data line has none, and a
// description has few, so whole blocks are tested at once.
#if defined(__SSE2__) || defined(_M_X64)
// Sixteen bytes and their successors are compared in one step, two steps
// to a block; the last step may overlap the ones already tested, and only
// a text of up to sixteen bytes is tested byte by byte.
std::size_t firstRepeat(const char* text, std::size_t size) {
  constexpr std::size_t kBlock = 32;
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i feed = _mm_set1_epi8('\n');
  const auto halfHits = [&](std::size_t from) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from + 1));
    const __m128i special = _mm_or_si128(_mm_cmpeq_epi8(here, blank), _mm_cmpeq_epi8(here, feed));
    return static_cast<uint32_t>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(here, next), special)));
  };
  if (size > kBlock) {
    for (std::size_t i = 0;; i += kBlock) {
      const std::size_t from = std::min(i, size - kBlock - 1);
      if (const uint32_t hits = halfHits(from) | halfHits(from + kBlock / 2) << 16)
        return from + static_cast<std::size_t>(std::countr_zero(hits)) + 1;
      if (from + kBlock + 1 >= size)
        return size;
    }
  }
  if (size > kBlock / 2) {
    if (const uint32_t hits = halfHits(0))
      return static_cast<std::size_t>(std::countr_zero(hits)) + 1;
    const std::size_t from = size - kBlock / 2 - 1;
    const uint32_t hits = halfHits(from);
    return hits != 0 ? from + static_cast<std::size_t>(std::countr_zero(hits)) + 1 : size;
  }
  for (std::size_t i = 0; i + 1 < size; ++i)
    if (repeatsBlankOrFeed(text[i], text[i + 1]))
      return i + 1;
  return size;
}
#else
std::size_t firstRepeat(const char* text, std::size_t size) {
  constexpr std::size_t kBlock = 32;
  const auto blockHits = [text](std::size_t from) {
    unsigned char hits = 0;
    for (std::size_t k = from; k < from + kBlock; ++k)
      hits = static_cast<unsigned char>(hits | repeatsBlankOrFeed(text[k], text[k + 1]));
    return hits != 0;
  };
  std::size_t i = 0;
  while (i + kBlock < size && !blockHits(i))
    i += kBlock;
  if (i + kBlock >= size) {
    // The last block may overlap the ones already tested; a text shorter
    // than a block is tested whole, also without an early exit.
    if (size > kBlock && !blockHits(size - kBlock - 1))
      return size;
    if (size <= kBlock) {
      unsigned char hits = 0;
      for (std::size_t k = 0; k + 1 < size; ++k)
        hits = static_cast<unsigned char>(hits | repeatsBlankOrFeed(text[k], text[k + 1]));
      if (hits == 0)
        return size;
    }
  }
  for (; i + 1 < size; ++i)
    if (repeatsBlankOrFeed(text[i], text[i + 1]))
      return i + 1;
  return size;
}

#endif

}  // namespace

bool isNormalLine(std::string_view text) {
  return text.empty() || (text.front() != ' ' && text.front() != '\n' && text.back() != ' ' &&
                          firstRepeat(text.data(), text.size()) == text.size());
}

// One pass with a read and a write position; the text only ever shrinks, so
// it is rewritten in place, and the part before the first change is left
// untouched.
void ItemDatabase::normalizeLine(std::string& text) {
  const std::size_t size = text.size();
  if (size == 0)
    return;
  std::size_t read = 0;
  std::size_t write = 0;
  if (text[0] != ' ' && text[0] != '\n') {
    read = write = firstRepeat(text.data(), size);
  } else {
    while (read < size && text[read] == ' ')
      ++read;
    // Line feeds are merged pairwise from the second character on, so a run
    // that starts the text keeps its first two.
    for (std::size_t run = 0; read < size && text[read] == '\n'; ++read, ++run)
      if (run < 2)
        text[write++] = '\n';
  }

  // Every byte is stored and the write position advances unless the byte
  // repeats a blank or a line feed: no branch depends on the text.
  char previous = write > 0 ? text[write - 1] : '\0';
  for (; read < size; ++read) {
    const char c = text[read];
    text[write] = c;
    write += repeatsBlankOrFeed(c, previous) ? 0 : 1;
    previous = c;
  }
  if (write > 0 && text[write - 1] == ' ')
    --write;
  text.resize(write);
}

}  // namespace tamrix
