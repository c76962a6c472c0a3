// PLACEHOLDER: replaced by the real implementation.
#include "app/encoding.h"

namespace tamrix {
std::string cp1250ToUtf8(std::string_view text) { return std::string(text); }
std::u16string cp1250ToUtf16(std::string_view) { return {}; }
char32_t cp1250ToCodePoint(unsigned char byte) { return byte; }
}  // namespace tamrix
