// Folding: how two texts are made comparable for a search, without regard to
// case or accents.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tamrix {

// Every byte of a Windows-1250 text folded: every letter becomes its base
// Latin letter in lower case ('\xC1' A with acute gives 'a', 'Q' gives 'q');
// every other byte stays as it is.
std::string foldText(std::string_view cp1250);
// The same, appended to `out`.
void appendFolded(std::vector<char>& out, std::string_view cp1250);

}  // namespace tamrix
