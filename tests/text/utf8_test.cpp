// Well-formed UTF-8: every boundary of RFC 3629, from both sides.
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace tamrix {
namespace {

TEST(Utf8Test, ReadsWellFormedSequencesOnly) {
  using namespace std::string_view_literals;
  const std::pair<std::string_view, std::optional<char32_t>> rows[] = {
      {"\x7F"sv, 0x7F},
      {"\xC2\x80"sv, 0x80},
      {"\xDF\xBF"sv, 0x7FF},
      {"\xE0\xA0\x80"sv, 0x800},
      {"\xED\x9F\xBF"sv, 0xD7FF},
      {"\xEE\x80\x80"sv, 0xE000},
      {"\xEF\xBF\xBF"sv, 0xFFFF},
      {"\xF0\x90\x80\x80"sv, 0x10000},
      {"\xF4\x8F\xBF\xBF"sv, 0x10FFFF},
      {"\x80"sv, std::nullopt},          // a continuation byte alone
      {"\xE0\x9F\xBF"sv, std::nullopt},  // overlong forms
      {"\xF0\x8F\xBF\xBF"sv, std::nullopt},
      {"\xED\xA0\x80"sv, std::nullopt},  // surrogates
      {"\xED\xBF\xBF"sv, std::nullopt},
      {"\xF4\x90\x80\x80"sv, std::nullopt},       // past U+10FFFF
      {"\xFC\x84\x80\x80"sv, std::nullopt},       // a lead byte past 0xF4
      {"\xC3\xC3"sv, std::nullopt},               // a lead byte where a continuation belongs
      {"\xC3\xA1"sv.substr(0, 1), std::nullopt},  // cut short: the byte after is not read
  };
  for (const auto& [text, codePoint] : rows) {
    std::size_t pos = 0;
    EXPECT_EQ(nextUtf8CodePoint(text, pos), codePoint) << testing::PrintToString(text);
    if (codePoint) {
      EXPECT_EQ(pos, text.size()) << testing::PrintToString(text);
    }
  }
}

}  // namespace
}  // namespace tamrix
