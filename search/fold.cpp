#include "search/fold.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <utility>

#include "text/encoding.h"

namespace tamrix {

namespace {

// The accented letters of Windows-1250, small and capital, by base letter;
// written in UTF-8 so that they can be read. The code page's other letters
// (such as the sharp s) have no base letter of their own and stay.
constexpr std::pair<char, const char*> kAccentedLetters[] = {
    {'a', "áâäąăÁÂÄĄĂ"}, {'c', "čćçČĆÇ"},   {'d', "ďđĎĐ"},     {'e', "éëěęÉËĚĘ"}, {'i', "íîÍÎ"},
    {'l', "ĺľłĹĽŁ"},     {'n', "ńňŃŇ"},     {'o', "óôöőÓÔÖŐ"}, {'r', "ŕřŔŘ"},     {'s', "śšşŚŠŞ"},
    {'t', "ťţŤŢ"},       {'u', "úůüűÚŮÜŰ"}, {'y', "ýÝ"},       {'z', "źžżŹŽŻ"},
};

using FoldTable = std::array<char, 256>;

FoldTable makeFoldTable() {
  FoldTable table{};
  for (std::size_t byte = 0; byte < table.size(); ++byte)
    table[byte] = static_cast<char>(byte);
  for (char letter = 'A'; letter <= 'Z'; ++letter)
    table[static_cast<unsigned char>(letter)] = static_cast<char>(letter - 'A' + 'a');
  for (const auto& [base, letters] : kAccentedLetters) {
    // The list is valid UTF-8 of Windows-1250 letters; the test pins that.
    for (const char byte : utf8ToCp1250(letters).value_or(""))
      table[static_cast<unsigned char>(byte)] = base;
  }
  return table;
}

const FoldTable& foldTable() {
  static const FoldTable table = makeFoldTable();
  return table;
}

template <typename Text>
void appendFoldedTo(Text& out, std::string_view cp1250) {
  const FoldTable& table = foldTable();
  std::transform(cp1250.begin(), cp1250.end(), std::back_inserter(out),
                 [&table](char byte) { return table[static_cast<unsigned char>(byte)]; });
}

}  // namespace

void appendFolded(std::vector<char>& out, std::string_view cp1250) {
  appendFoldedTo(out, cp1250);
}

std::string foldText(std::string_view cp1250) {
  std::string out;
  out.reserve(cp1250.size());
  appendFoldedTo(out, cp1250);
  return out;
}

}  // namespace tamrix
