// Well-formed UTF-8 (RFC 3629): the shortest form of a code point up to
// U+10FFFF that is not a surrogate, so lead bytes 0xC2 to 0xF4 only.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tamrix {

// The code point that starts at `text[pos]` (`pos` < `text.size()`), with
// `pos` moved past it; nothing for a byte that starts no well-formed
// sequence, and then `pos` is left somewhere inside it.
std::optional<char32_t> nextUtf8CodePoint(std::string_view text, std::size_t& pos);

}  // namespace tamrix
