#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "authoring/source_file.h"

namespace tamrix::test {
namespace {

// text as parsed, piece as stored, its line, its offset in the line
using Line = std::tuple<std::string, std::string, int32_t, int32_t>;

std::vector<Line> walked(const SourceFile& file) {
  std::vector<Line> lines;
  file.forEachLine([&](const DataLine& l) {
    lines.emplace_back(std::string(l.text()), std::string(l.stored()), l.line, l.offset());
  });
  return lines;
}

std::vector<Line> kept(const SourceFile& file) {
  std::vector<Line> lines;
  for (const DataLine& l : file.lines())
    lines.emplace_back(std::string(l.text()), std::string(l.stored()), l.line, l.offset());
  return lines;
}

// A file's data lines are the same whether a check walks them or looks them
// up, and whether or not they are kept already: blank lines are none,
// normalised lines keep their stored bytes, a long line comes in pieces.
TEST(SourceFileTest, WalkedLinesAreTheKeptLines) {
  const std::string x4999(4999, 'x');
  const std::tuple<std::string, int32_t, std::vector<Line>> rows[] = {
      {"head\n-start-\n1 2\n\n  3   4 \n", 2, {{"1 2", "1 2", 3, 0}, {"3 4", "  3   4 ", 5, 0}}},
      {"-start-\n" + x4999 + "y\n5",
       1,
       {{x4999, x4999, 2, 0}, {"y", "y", 2, 4999}, {"5", "5", 3, 0}}},
      {"no start line\n1\n", 0, {}},
  };
  for (const auto& [bytes, startLine, want] : rows) {
    // Copied: clang lets no lambda name a structured binding.
    const std::string stored = bytes;
    SourceFiles files(
        [&](const std::string&) { return std::make_shared<const std::string>(stored); });
    const SourceFile* file = files.file("type.txt");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->startLine, startLine) << bytes.substr(0, 20);
    EXPECT_EQ(walked(*file), want) << bytes.substr(0, 20);
    EXPECT_EQ(kept(*file), want) << bytes.substr(0, 20);
    EXPECT_EQ(walked(*file), want) << "once kept: " << bytes.substr(0, 20);
  }
}

}  // namespace
}  // namespace tamrix::test
