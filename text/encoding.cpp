#include "text/encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "text/utf8.h"

namespace tamrix {

namespace {

// Unicode for the bytes 0x80 to 0xFF; the five bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) stand for themselves.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

void appendUtf8(std::string& out, char32_t c) {
  // Every code point of the table is below 0x10000: one to three bytes.
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The bytes 0x80 to 0xFF by their code point, for the way back.
using ReverseTable = std::array<std::pair<char16_t, unsigned char>, 128>;

ReverseTable makeReverseTable() {
  ReverseTable table{};
  for (std::size_t i = 0; i < kUpperHalf.size(); ++i)
    table[i] = {kUpperHalf[i], static_cast<unsigned char>(0x80 + i)};
  std::sort(table.begin(), table.end());
  return table;
}

std::optional<unsigned char> codePointToCp1250(char32_t c) {
  if (c < 0x80)
    return static_cast<unsigned char>(c);
  static const ReverseTable reverse = makeReverseTable();
  const auto found = std::lower_bound(reverse.begin(), reverse.end(), c,
                                      [](const std::pair<char16_t, unsigned char>& entry,
                                         char32_t key) { return char32_t{entry.first} < key; });
  if (found == reverse.end() || char32_t{found->first} != c)
    return std::nullopt;
  return found->second;
}

}  // namespace

char32_t cp1250ToCodePoint(unsigned char byte) {
  return byte < 0x80 ? char32_t{byte} : char32_t{kUpperHalf[byte - 0x80u]};
}

std::string cp1250ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (const char c : text)
    appendUtf8(out, cp1250ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::u16string cp1250ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char c : text) {
    out += static_cast<char16_t>(cp1250ToCodePoint(static_cast<unsigned char>(c)));
  }
  return out;
}

std::optional<std::string> utf8ToCp1250(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::optional<char32_t> c = nextUtf8CodePoint(utf8, pos);
    const std::optional<unsigned char> byte = c ? codePointToCp1250(*c) : std::nullopt;
    if (!byte)
      return std::nullopt;
    out += static_cast<char>(*byte);
  }
  return out;
}

}  // namespace tamrix
