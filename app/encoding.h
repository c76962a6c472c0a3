// Windows-1250 text converted for display.
#pragma once

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

}  // namespace tamrix
