#include "search/fold.h"

#include <array>
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

}  // namespace

char foldByte(char byte) {
  return foldTable()[static_cast<unsigned char>(byte)];
}

std::string foldText(std::string_view cp1250) {
  const FoldTable& table = foldTable();
  std::string out(cp1250.size(), '\0');
  for (std::size_t i = 0; i < cp1250.size(); ++i)
    out[i] = table[static_cast<unsigned char>(cp1250[i])];
  return out;
}

}  // namespace tamrix
