#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "database/data_line_reader.h"
#include "database/item_database.h"
#include "disk/disk_reader.h"
#include "normalize_walk.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

TEST(DataLineReaderTest, HeaderTranslationAndPieces) {
  const std::string s = "-start-\n", nul(1, '\0'), x4998(4998, 'x'), x4999(4999, 'x');
  const std::pair<std::string, std::vector<std::string>> rows[] = {
      // The case counts, a NUL hides the rest of its line, the first marker ends the header.
      {"-START-\n" + nul + "-start-\n x-start-y\n1\n-start-\n2", {"-start-", "1", "-start-", "2"}},
      {std::string(4995, 'h') + "-start-\n1", {"no -start-"}},           // straddles two pieces
      {std::string(4992, 'h') + "-start-\n1", {"-start-", "", "1"}},     // a full piece
      {s + "a\r\nb\rc\r\r\nd\x1A\ne", {"-start-", "a", "b\rc\r", "d"}},  // CR LF, Ctrl-Z
      {s + "ab" + nul + "cd\n" + nul + x4998 + "yz\n", {"-start-", "ab", "", "yz"}},
      {s + std::string(6000, 'y'), {"-start-", std::string(4999, 'y'), std::string(1001, 'y')}},
      {s + x4999 + "\n" + x4998 + "\nz", {"-start-", x4999, "", x4998, "z"}},
      {s + x4998 + "\r\nz\r", {"-start-", x4998, "z\r"}},  // a dropped CR does not count
  };
  for (const auto& [bytes, lines] : rows) {
    DataLineReader reader(bytes);
    std::vector<std::string> got{reader.skipHeader() ? "-start-" : "no -start-"};
    for (std::string line; reader.readLine(line);)
      got.push_back(line);
    EXPECT_EQ(got, lines) << testing::PrintToString(bytes.substr(0, 40));
  }
}

// Every piece carries the line of the file it comes from: line feeds as
// stored, counted from 1; the pieces of an over-long line share its number
// and know how far into it they begin.
TEST(DataLineReaderTest, LineNumbersAndPieceOffsets) {
  const std::string x4999(4999, 'x');
  const std::pair<std::string, std::vector<std::tuple<std::string, int32_t, int32_t>>> rows[] = {
      {"h\r\nh\r\n-start-\r\n\r\na\r\n", {{"", 4, 0}, {"a", 5, 0}}},
      {"-start-\n" + x4999 + "yy\nb", {{x4999, 2, 0}, {"yy", 2, 4999}, {"b", 3, 0}}},
      {"-start-\n" + x4999 + "\nb", {{x4999, 2, 0}, {"", 2, 4999}, {"b", 3, 0}}},
      {"-start-\n\n  \na\x1A\nb", {{"", 2, 0}, {"  ", 3, 0}, {"a", 4, 0}}},
  };
  for (const auto& [bytes, expected] : rows) {
    DataLineReader reader(bytes);
    ASSERT_TRUE(reader.skipHeader());
    std::vector<std::tuple<std::string, int32_t, int32_t>> got;
    for (std::string line; reader.readLine(line);)
      got.emplace_back(line, reader.lineNumber(), reader.pieceOffset());
    EXPECT_EQ(got, expected) << testing::PrintToString(bytes.substr(0, 20));
  }
}

TEST(NormalizeLineTest, MatchesTheWalk) {
  EXPECT_EQ(normalizeByWalk("  1000   2  \"A   b\"  "), "1000 2 \"A b\"");
  EXPECT_EQ(normalizeByWalk(" \n\n\nx\n\n\ny\n\n"), "\n\nx\ny\n");  // a leading run keeps two
  // Every text of up to 10 blanks, line feeds and tabs (code's base-3 digits below
  // its leading 1), at the start of a line and behind other bytes.
  for (std::size_t code = 1; code < 2 * 59049; ++code) {
    for (std::string text : {std::string(), std::string(27, 'a'), std::string(60, 'a')}) {
      for (std::size_t c = code; c > 2; c /= 3)
        text += " \n\t"[c % 3];
      std::string normalized = text;
      normalizeLine(normalized);
      ASSERT_EQ(normalized, normalizeByWalk(text)) << testing::PrintToString(text);
    }
  }
}

TEST(LoaderTest, LookupsTakeTheFirstMatchInFileOrder) {
  const std::string changes = "-start-\n1450 5 1 1\n1460 5 2 2\n1460 6 3 3\n";
  ItemDatabase db(memoryFiles({{"c", changes},
                               {"s", "-start-\n"},
                               {"t", "-start-\n5\n1\n1\n6\n1\n2\n5\n1\n3\n"},
                               {"t2", "-start-\n7\n1\n1\n6\n1\n1\n6\n1\n1\n"}}));
  EXPECT_FALSE(db.loadChanges("c") || db.loadRndItems("c"));  // no prefix without items
  ASSERT_TRUE(db.loadSpecItems("") && db.loadStdItems("s") && db.loadChanges("c") &&
              db.loadTypes("t"));
  EXPECT_EQ(db.findChange(1, 5), &db.changes()[0]);
  EXPECT_EQ(db.findChange(1, 6), &db.changes()[2]);
  EXPECT_EQ(db.findChange(2, 5), nullptr);
  EXPECT_EQ(db.findType(5), &db.types()[0]);
  EXPECT_EQ(db.findType(7), nullptr);
  ASSERT_TRUE(db.loadTypes("t2"));
  EXPECT_EQ(db.findType(7), &db.types()[0]);  // a reload of as many records
  EXPECT_EQ(db.findType(5), nullptr);
}

// The sample set loads; a data file that is missing, no regular file or
// without "-start-" stops the load. A data file's name may stand for
// something other than a file; only a regular file, reached directly or
// through a link, is read. A device or a pipe fails at once, as a file that
// cannot be opened, instead of keeping the load waiting for input or reading
// without end.
TEST(LoadAllTest, RunsTheLoadersInOrderAndStopsAtTheFirstFailure) {
  const TempDir elsewhere;
  const std::string noStartLine = elsewhere.write("change.txt", "x");
  const std::string cannotOpen = "Data\\skill.txt : a f\xE1jl nem nyithat\xF3 meg";
  // The file of the sample set that is removed, the link put in its place
  // (none when empty), which of special items .. changes have a count, and
  // the error.
  const std::tuple<std::string, std::string, std::string, std::string> rows[] = {
      {"", "", "1111111", ""},
      {"skill", (sampleDataDir() / "skill.txt").string(), "1111111", ""},
      {"skill", "", "1100000", cannotOpen},
      {"skill", "/dev/null", "1100000", cannotOpen},
      {"change", noStartLine, "1111110", "Data\\change.txt : hi\xE1nyzik a -start- sor"},
  };
  for (const auto& [file, link, counted, error] : rows) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    std::filesystem::copy(sampleDataDir(), "Data");
    std::filesystem::remove("Data/" + file + ".txt");
    if (!link.empty())
      std::filesystem::create_symlink(link, "Data/" + file + ".txt");
    ItemDatabase db(diskReader());
    EXPECT_EQ(db.loadAll(DataFileSet::inFolder("Data")), error.empty()) << file << " " << link;
    std::string ran;
    for (const int32_t count :
         {db.specItemCount(), db.skillCount(), db.stdItemCount(), db.groupSize(), db.typeCount(),
          db.rndItemCount(), db.changeCount()})
      ran += count != 0 ? '1' : '0';
    EXPECT_EQ(ran, counted) << file << " " << link;
    EXPECT_EQ(db.lastError().value_or(""), error) << file << " " << link;
    EXPECT_EQ(db.lastFailure().has_value(), !error.empty()) << file << " " << link;
  }
}

}  // namespace
}  // namespace tamrix::test
