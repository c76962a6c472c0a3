#include "text/utf8.h"

#include <array>

namespace tamrix {

std::optional<char32_t> nextUtf8CodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80)
    return lead;
  int length = 0;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 1;
    c = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 2;
    c = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 3;
    c = lead & 0x07u;
  } else {
    return std::nullopt;
  }
  for (int i = 0; i < length; ++i) {
    if (pos >= text.size())
      return std::nullopt;
    const auto next = static_cast<unsigned char>(text[pos++]);
    if ((next & 0xC0) != 0x80)
      return std::nullopt;
    c = (c << 6) | (next & 0x3Fu);
  }
  // The lead bytes leave two-byte forms no room to be overlong, but three-
  // and four-byte ones must be checked, as must the range and surrogates.
  constexpr std::array<char32_t, 4> kSmallest = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[static_cast<std::size_t>(length)] || c > 0x10FFFF ||
      (c >= 0xD800 && c <= 0xDFFF))
    return std::nullopt;
  return c;
}

}  // namespace tamrix
