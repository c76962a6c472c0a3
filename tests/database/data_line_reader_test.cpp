#include "database/data_line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace tamrix {
namespace {

using namespace std::string_literals;

std::vector<std::string> allLines(const std::string& bytes) {
  DataLineReader reader(bytes);
  std::vector<std::string> lines;
  std::string line;
  while (reader.readLine(line))
    lines.push_back(line);
  return lines;
}

TEST(DataLineReaderTest, TranslationAndLinePieces) {
  const std::string x4999(4999, 'x');
  struct Row {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"", {}},
      {"a\nb", {"a", "b"}},  // the last line counts without a line feed
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\r", {"a\rb\r"}},      // a CR not before an LF stays
      {"a\r\r\nb", {"a\r", "b"}},  // only the CR right before the LF goes
      {"a\nb\x1A\nc\n", {"a", "b"}},
      {"ab\0cd\nef"s, {"ab", "ef"}},
      {std::string(6000, 'y'), {std::string(4999, 'y'), std::string(1001, 'y')}},
      // A full piece stops before its line feed, which then ends an empty line.
      {x4999 + "\nz", {x4999, "", "z"}},
      {std::string(4998, 'x') + "\nz", {std::string(4998, 'x'), "z"}},
      // Bytes after a NUL still fill the piece.
      {"a\0"s + std::string(4997, 'x') + "yz\n", {"a", "yz"}},
      // CRs dropped before the split do not count toward the piece.
      {std::string(4998, 'x') + "\r\nz", {std::string(4998, 'x'), "z"}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(allLines(row.bytes), row.lines) << testing::PrintToString(row.bytes.substr(0, 40));
}

TEST(DataLineReaderTest, HeaderEndsAtTheFirstStartLine) {
  struct Row {
    std::string bytes;
    bool found;
    std::string next;  // the first data line after the header
  };
  const Row rows[] = {
      {"junk \"\n x-start-y\n1\n-start-\n2", true, "1"},
      {"-START-\n1", false, ""},
      {"\0-start-\n1"s, false, ""},                        // hidden behind a NUL
      {std::string(4995, 'h') + "-start-\n1", false, ""},  // straddles two pieces
      {std::string(4992, 'h') + "-start-\n1", true, "1"},
  };
  for (const Row& row : rows) {
    DataLineReader reader(row.bytes);
    EXPECT_EQ(reader.skipHeader(), row.found) << row.bytes.substr(0, 30);
    std::string line;
    reader.readDataLine(line);
    EXPECT_EQ(line, row.next) << row.bytes.substr(0, 30);
  }
}

TEST(DataLineReaderTest, ReadsFilesByTheShellsNames) {
  test::TempDir dir;
  test::ScopedCurrentDir cwd(dir.path());
  dir.write("Data/skill.txt", "a\r\nb");
  EXPECT_EQ(DataLineReader::readFile("Data\\skill.txt"), "a\r\nb");
  EXPECT_EQ(DataLineReader::readFile("Data/missing.txt"), std::nullopt);
  EXPECT_EQ(DataLineReader::readFile("Data"), std::nullopt);  // a folder
}

}  // namespace
}  // namespace tamrix
