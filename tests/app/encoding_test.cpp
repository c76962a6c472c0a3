// Windows-1250 to Unicode, checked against the C library's converter.
#include "app/encoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

namespace tamrix {
namespace {

std::optional<std::string> iconvByte(iconv_t cd, char byte) {
  char out[8];
  char* in = &byte;
  char* outPtr = out;
  size_t inLeft = 1, outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
    return std::nullopt;
  return std::string(out, static_cast<size_t>(outPtr - out));
}

TEST(EncodingTest, UpperHalfMatchesTheCLibrary) {
  iconv_t cd = iconv_open("UTF-8", "CP1250");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
    const char c = static_cast<char>(byte);
    if (const auto expected = iconvByte(cd, c)) {
      EXPECT_EQ(cp1250ToUtf8(std::string(1, c)), *expected) << std::hex << byte;
    } else {  // undefined in the code page: the byte stands for itself
      EXPECT_TRUE(byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98)
          << std::hex << byte;
      EXPECT_EQ(cp1250ToUtf8(std::string(1, c)), "\xC2" + std::string(1, c)) << std::hex << byte;
    }
  }
  iconv_close(cd);
}

TEST(EncodingTest, WholeTextsInUtf8AndUtf16) {
  const std::string text("a\0\xF5\xDB\x80", 5);
  EXPECT_EQ(cp1250ToUtf8(text), std::string("a\0\xC5\x91\xC5\xB0\xE2\x82\xAC", 9));
  EXPECT_TRUE(cp1250ToUtf16(text) == std::u16string(u"a\0\u0151\u0170\u20AC", 5));
}

}  // namespace
}  // namespace tamrix
