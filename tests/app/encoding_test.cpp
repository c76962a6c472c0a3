// Windows-1250 to Unicode, checked against the C library's converter.
#include "app/encoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace tamrix {
namespace {

// The five bytes the code page leaves undefined stand for themselves; UTF-16
// holds the same code points as UTF-8.
TEST(EncodingTest, EveryByteMatchesTheCLibrary) {
  iconv_t cd = iconv_open("UTF-8", "CP1250");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (unsigned byte = 0; byte <= 0xFF; ++byte) {
    std::string in(1, static_cast<char>(byte)), out(4, '\0');
    char *inPtr = in.data(), *outPtr = out.data();
    size_t inLeft = 1, outLeft = 4;
    const bool defined = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1);
    EXPECT_EQ(cp1250ToUtf8(in),
              defined ? out.substr(0, 4 - outLeft) : std::string("\xC2").append(in))
        << byte;
    const char32_t codePoint = cp1250ToCodePoint(static_cast<unsigned char>(byte));
    EXPECT_EQ(cp1250ToUtf16(in), std::u16string(1, static_cast<char16_t>(codePoint))) << byte;
  }
  iconv_close(cd);
}

}  // namespace
}  // namespace tamrix
