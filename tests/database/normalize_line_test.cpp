#include <gtest/gtest.h>

#include <string>

#include "database/item_database.h"

namespace tamrix {
namespace {

std::string normalized(std::string text) {
  ItemDatabase::normalizeLine(text);
  return text;
}

// The rule as a walk over positions, transcribed step by step: at p = 0 leading
// blanks go; at 0 < p < L - 1 the first of two equal blanks or line feeds
// goes; at p = L - 1 a final blank goes; p advances only when nothing changed.
std::string walk(std::string s) {
  std::size_t p = 0;
  while (p < s.size()) {
    const std::size_t last = s.size() - 1;
    if ((p == 0 && s[0] == ' ') || (p == last && s[p] == ' ') ||
        (p > 0 && p < last && s[p] == s[p + 1] && (s[p] == ' ' || s[p] == '\n')))
      s.erase(p, 1);
    else
      ++p;
  }
  return s;
}

TEST(NormalizeLineTest, MatchesTheWalk) {
  struct Row {
    const char* in;
    const char* out;
  };
  const Row rows[] = {
      {"  1000   2  \"A   b\"  ", "1000 2 \"A b\""},
      {"\t 1 \r", "\t 1 \r"},      // only blanks and line feeds are touched
      {"  \n\n\nx", "\n\nx"},      // a leading run of line feeds keeps two
      {"a\n\n\nb\n\n", "a\nb\n"},  // any other run keeps one
      {"a \n b ", "a \n b"},       // a blank beside a line feed stays
  };
  for (const Row& row : rows) {
    EXPECT_EQ(normalized(row.in), row.out) << testing::PrintToString(row.in);
    EXPECT_EQ(walk(row.in), row.out) << testing::PrintToString(row.in);
  }
  // Every text of up to 10 characters over blank, line feed and a letter.
  const char alphabet[] = {' ', '\n', 'a'};
  for (std::size_t length = 0, combinations = 1; length <= 10; ++length, combinations *= 3) {
    for (std::size_t code = 0; code < combinations; ++code) {
      std::string text;
      for (std::size_t c = code, i = 0; i < length; ++i, c /= 3)
        text += alphabet[c % 3];
      ASSERT_EQ(normalized(text), walk(text)) << testing::PrintToString(text);
    }
  }
}

}  // namespace
}  // namespace tamrix
