#include "database/data_line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "database/item_database.h"
#include "database/number_field.h"

namespace tamrix {
namespace {

using namespace std::string_literals;
using testing::PrintToString;

// The pieces after the header, or "no -start-" when the header never ends.
std::vector<std::string> pieces(const std::string& bytes) {
  DataLineReader reader(bytes);
  if (!reader.skipHeader())
    return {"no -start-"};
  std::vector<std::string> lines;
  for (std::string line; reader.readLine(line);)
    lines.push_back(line);
  return lines;
}

TEST(DataLineReaderTest, HeaderTranslationAndPieces) {
  const std::string s = "-start-\n", x4998(4998, 'x'), x4999(4999, 'x');
  const std::pair<std::string, std::vector<std::string>> rows[] = {
      {"junk \"\n x-start-y\n1\n-start-\n2", {"1", "-start-", "2"}},
      {"-START-\n1", {"no -start-"}},
      {"\0-start-\n1"s, {"no -start-"}},                        // hidden behind a NUL
      {std::string(4995, 'h') + "-start-\n1", {"no -start-"}},  // straddles two pieces
      {std::string(4992, 'h') + "-start-\n1", {"", "1"}},       // a full piece
      {s + "a\r\nb\r\n", {"a", "b"}},
      {s + "a\rb\r\r\nc\r", {"a\rb\r", "c\r"}},  // only a CR right before an LF goes
      {s + "a\nb\x1A\nc\n", {"a", "b"}},
      {s + "ab\0cd\nef"s, {"ab", "ef"}},
      {s + std::string(6000, 'y'), {std::string(4999, 'y'), std::string(1001, 'y')}},
      {s + x4999 + "\nz", {x4999, "", "z"}},  // the line feed after a full piece ends a line
      {s + x4998 + "\nz", {x4998, "z"}},
      {s + "a\0"s + std::string(4997, 'x') + "yz\n", {"a", "yz"}},  // bytes after a NUL count
      {s + x4998 + "\r\nz", {x4998, "z"}},                          // a dropped CR does not count
  };
  for (const auto& [bytes, lines] : rows)
    EXPECT_EQ(pieces(bytes), lines) << PrintToString(bytes.substr(0, 40));
}

// The rule as a walk over positions, transcribed step by step: at p = 0 leading
// blanks go; at 0 < p < L - 1 the first of two equal blanks or line feeds
// goes; at p = L - 1 a final blank goes; p advances only when nothing changed.
std::string walk(std::string s) {
  for (std::size_t p = 0; p < s.size();) {
    const std::size_t last = s.size() - 1;
    if ((p == 0 && s[0] == ' ') || (p == last && s[p] == ' ') ||
        (p > 0 && p < last && s[p] == s[p + 1] && (s[p] == ' ' || s[p] == '\n')))
      s.erase(p, 1);
    else
      ++p;
  }
  return s;
}

std::string normalized(std::string text) {
  ItemDatabase::normalizeLine(text);
  return text;
}

TEST(NormalizeLineTest, MatchesTheWalk) {
  const std::pair<std::string, std::string> rows[] = {
      {"  1000   2  \"A   b\"  ", "1000 2 \"A b\""},
      {"  \n\n\nx", "\n\nx"},      // a leading run of line feeds keeps two
      {"a\n\n\nb\n\n", "a\nb\n"},  // any other run keeps one
  };
  for (const auto& [in, out] : rows) {
    EXPECT_EQ(walk(in), out) << PrintToString(in);
    EXPECT_EQ(normalized(in), out) << PrintToString(in);
  }
  // Every text of up to 10 characters over blank, line feed and tab (no blank).
  const char alphabet[] = {' ', '\n', '\t'};
  for (std::size_t length = 0, combinations = 1; length <= 10; ++length, combinations *= 3) {
    for (std::size_t code = 0; code < combinations; ++code) {
      std::string text;
      for (std::size_t c = code, i = 0; i < length; ++i, c /= 3)
        text += alphabet[c % 3];
      ASSERT_EQ(normalized(text), walk(text)) << PrintToString(text);
    }
  }
}

TEST(NumberFieldTest, ReadAndCheck) {
  const std::tuple<std::string, int32_t, bool> rows[] = {
      {"0abc", 0, true},
      {"-5 x", -5, true},
      {" \t\v\f\r\n+12", 12, true},
      {"abc", 0, false},
      {"", 0, false},
      {"-0", 0, false},
      {" 0", 0, false},  // the field's own first character must be the digit
      {"2147483648", 2147483647, true},
      {"-99999999999999999999999", -2147483647 - 1, true},
      {"-00000000000000000000000001", -1, true},
  };
  for (const auto& [field, value, accepted] : rows) {
    EXPECT_EQ(readNumber(field), value) << field;
    EXPECT_EQ(passesNumberCheck(field, readNumber(field)), accepted) << field;
  }
}

}  // namespace
}  // namespace tamrix
