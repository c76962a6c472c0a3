// The reference for line normalisation that its unit test compares with:
// the walk over positions p = 0, 1, ... with the length taken afresh after
// every change. A blank at p = 0 is deleted; for 0 < p < L - 1 the
// first of two blanks, or of two line feeds, is deleted; a blank at p = L - 1
// is cut off. The walk moves on only when nothing changed at p.
#pragma once

#include <string>

namespace tamrix::test {

inline std::string normalizeByWalk(std::string s) {
  for (std::size_t p = 0; p < s.size();) {
    if ((p == 0 && s[0] == ' ') || (p + 1 == s.size() && s[p] == ' ') ||
        (p > 0 && p + 1 < s.size() && s[p] == s[p + 1] && (s[p] == ' ' || s[p] == '\n')))
      s.erase(p, 1);
    else
      ++p;
  }
  return s;
}

}  // namespace tamrix::test
