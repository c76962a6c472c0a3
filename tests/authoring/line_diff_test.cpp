// The places where two texts differ line by line.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "authoring/line_diff.h"

namespace tamrix::test {
namespace {

using Hunks = std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t>>;

Hunks hunksOf(const std::string& old, const std::string& now, int32_t maxEdits) {
  Hunks out;
  for (const LineHunk& h : diffLines(linesOf(old), linesOf(now), maxEdits))
    out.emplace_back(h.oldFirst, h.oldCount, h.newFirst, h.newCount);
  return out;
}

TEST(LineDiffTest, FewestLinesRemovedAndAdded) {
  struct Case {
    const char* old;
    const char* now;
    int32_t maxEdits;
    Hunks want;  // old first, old count, new first, new count
  } cases[] = {
      {"a\nb\nc\n", "a\nb\nc\n", 10, {}},
      {"a\nb\nc\n", "a\nB\nc\n", 10, {{1, 1, 1, 1}}},
      {"a\nb\nc\n", "a\nc\n", 10, {{1, 1, 1, 0}}},
      {"a\nc\n", "x\na\nb\nc\n", 10, {{0, 0, 0, 1}, {1, 0, 2, 1}}},
      {"a\nb\nc\nd\ne\n", "b\nc\nX\ne\nf\n", 10, {{0, 1, 0, 0}, {3, 1, 2, 1}, {5, 0, 4, 1}}},
      // A line end is part of the line; the last may have none.
      {"a\r\nb\n", "a\nb", 10, {{0, 2, 0, 2}}},
      // Past the bound, all between the common start and end is one hunk.
      {"s\na\nb\nc\ne\n", "s\nA\nb\nC\ne\n", 1, {{1, 3, 1, 3}}},
      {"a\n", "a\nb\nc\nd\n", 1, {{1, 0, 1, 3}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(hunksOf(c.old, c.now, c.maxEdits), c.want) << c.old << "|" << c.now;
}

}  // namespace
}  // namespace tamrix::test
