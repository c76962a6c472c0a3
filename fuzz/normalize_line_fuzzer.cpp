// Fuzzes ItemDatabase::normalizeLine against a slow, literal version of the
// position walk that defines it; any difference aborts. The input is the text
// as it is, any bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "database/item_database.h"

namespace {

// The walk over positions p = 0, 1, ... with the length L taken afresh after
// every change: blanks at p = 0 are deleted; for 0 < p < L - 1 the first of
// two blanks, and the first of two line feeds, is deleted; a blank at
// p = L - 1 is cut off. The walk moves on only when nothing changed at p.
void normalizeByWalk(std::string& text) {
  std::size_t p = 0;
  while (p < text.size()) {
    bool changed = false;
    if (p == 0) {
      while (!text.empty() && text[0] == ' ') {
        text.erase(0, 1);
        changed = true;
      }
    } else if (p + 1 < text.size()) {
      while (p + 1 < text.size() && text[p] == ' ' && text[p + 1] == ' ') {
        text.erase(p, 1);
        changed = true;
      }
      while (p + 1 < text.size() && text[p] == '\n' && text[p + 1] == '\n') {
        text.erase(p, 1);
        changed = true;
      }
    }
    if (!changed && p + 1 == text.size() && text[p] == ' ') {
      text.resize(p);
      changed = true;
    }
    if (!changed)
      ++p;
  }
}

void report(const char* what, const std::string& input, const std::string& got) {
  std::fprintf(stderr, "normalize_line_fuzzer: %s\n input (%zu bytes), result (%zu bytes)\n", what,
               input.size(), got.size());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  std::string expected = input;
  normalizeByWalk(expected);
  std::string got = input;
  tamrix::ItemDatabase::normalizeLine(got);
  if (got != expected)
    report("differs from the position walk", input, got);

  std::string again = got;
  tamrix::ItemDatabase::normalizeLine(again);
  if (again != got)
    report("normalising twice changes the text", input, got);
  return 0;
}
