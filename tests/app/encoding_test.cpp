// Windows-1250 to Unicode, checked against the C library's converter.
#include "app/encoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace tamrix {
namespace {

// The C library's conversion of one byte, or nothing where it has none.
std::optional<std::string> iconvByte(iconv_t cd, unsigned char byte) {
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = 1;
  size_t outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
    return std::nullopt;
  }
  return std::string(out, static_cast<size_t>(outPtr - out));
}

TEST(EncodingTest, UpperHalfMatchesTheCLibrary) {
  iconv_t cd = iconv_open("UTF-8", "CP1250");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
    const std::string mine = cp1250ToUtf8(std::string(1, static_cast<char>(byte)));
    const auto expected = iconvByte(cd, static_cast<unsigned char>(byte));
    if (expected) {
      EXPECT_EQ(mine, *expected) << std::hex << byte;
    } else {
      // Undefined in the code page: the byte stands for itself.
      const bool undefined =
          byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
      EXPECT_TRUE(undefined) << std::hex << byte;
      EXPECT_EQ(cp1250ToCodePoint(static_cast<unsigned char>(byte)), char32_t{byte});
    }
  }
  iconv_close(cd);
}

TEST(EncodingTest, ConvertsWholeTexts) {
  struct Row {
    std::string cp1250, utf8;
    std::u16string utf16;
  };
  const Row rows[] = {
      {"", "", u""},
      {"A t\xE1rgy\n", "A t\xC3\xA1rgy\n", u"A t\u00E1rgy\n"},
      {"\xF5\xFB\xD5\xDB", "\xC5\x91\xC5\xB1\xC5\x90\xC5\xB0", u"\u0151\u0171\u0150\u0170"},
      {"\x80", "\xE2\x82\xAC", u"\u20AC"},
      {std::string("a\0b", 3), std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(cp1250ToUtf8(row.cp1250), row.utf8) << row.cp1250;
    EXPECT_TRUE(cp1250ToUtf16(row.cp1250) == row.utf16) << row.cp1250;
  }
}

}  // namespace
}  // namespace tamrix
