// Windows-1250, the data files' encoding, to and from Unicode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tamrix {

// Every byte of `text` as its Unicode character, in UTF-8.
std::string cp1250ToUtf8(std::string_view text);

// The same, in UTF-16 (for the Win32 wide-character functions).
std::u16string cp1250ToUtf16(std::string_view text);

// The Unicode code point of one Windows-1250 byte (undefined bytes map to
// themselves, as the platform converters do).
char32_t cp1250ToCodePoint(unsigned char byte);

// `utf8` in Windows-1250, or nothing when it is not valid UTF-8 or holds a
// character that Windows-1250 lacks. The inverse of cp1250ToUtf8.
std::optional<std::string> utf8ToCp1250(std::string_view utf8);

}  // namespace tamrix
