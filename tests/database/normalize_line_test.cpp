#include <gtest/gtest.h>

#include <random>
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
    if (p == 0 && s[0] == ' ') {
      s.erase(0, 1);
    } else if (p > 0 && p < last && s[p] == s[p + 1] && (s[p] == ' ' || s[p] == '\n')) {
      s.erase(p, 1);
    } else if (p == last && s[p] == ' ') {
      s.erase(p, 1);
    } else {
      ++p;
    }
  }
  return s;
}

TEST(NormalizeLineTest, Examples) {
  struct Row {
    const char* in;
    const char* out;
  };
  const Row rows[] = {
      {"", ""},
      {" ", ""},
      {"   ", ""},
      {"a", "a"},
      {" a ", "a"},
      {"  1000   2  \"A   b\"  ", "1000 2 \"A b\""},
      {"\t 1 \r", "\t 1 \r"},  // only blanks and line feeds are touched
      {"\n", "\n"},
      {"\n\n\n\na", "\n\na"},  // a leading run keeps two
      {"  \n\n\nx", "\n\nx"},
      {"a\n\n\nb\n\n", "a\nb\n"},
      {"a \n b ", "a \n b"},  // a blank beside a line feed stays
      {"\n\n ", "\n\n"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(normalized(row.in), row.out) << testing::PrintToString(row.in);
    EXPECT_EQ(walk(row.in), row.out) << testing::PrintToString(row.in);
  }
}

// Every text of up to 9 characters over blank, line feed and a letter, then
// longer random ones, must give what the walk gives.
TEST(NormalizeLineTest, MatchesTheWalk) {
  const char alphabet[] = {' ', '\n', 'a'};
  for (std::size_t length = 0; length <= 9; ++length) {
    std::size_t combinations = 1;
    for (std::size_t i = 0; i < length; ++i)
      combinations *= 3;
    for (std::size_t code = 0; code < combinations; ++code) {
      std::string text;
      for (std::size_t c = code, i = 0; i < length; ++i, c /= 3)
        text += alphabet[c % 3];
      ASSERT_EQ(normalized(text), walk(text)) << testing::PrintToString(text);
    }
  }
  std::mt19937 random(7);
  for (int n = 0; n < 2000; ++n) {
    std::string text(random() % 60, 'a');
    for (char& c : text)
      c = alphabet[random() % 3];
    ASSERT_EQ(normalized(text), walk(text)) << testing::PrintToString(text);
  }
}

}  // namespace
}  // namespace tamrix
