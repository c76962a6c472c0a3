#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "database/data_line_reader.h"
#include "database/item_database.h"
#include "disk/disk_reader.h"
#include "disk/file_bytes.h"
#include "normalize_walk.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

// Every piece carries the line of the file it comes from: line feeds as
// stored, counted from 1; the pieces of an over-long line share its number
// and know how far into it they begin.
TEST(DataLineReaderTest, HeaderTranslationPiecesAndTheirPlaces) {
  using Piece = std::tuple<std::string, int32_t, int32_t>;  // text, line, offset in the line
  const std::string s = "-start-\n", nul(1, '\0'), x4998(4998, 'x'), x4999(4999, 'x');
  const std::string y4999(4999, 'y');
  const std::tuple<std::string, bool, std::vector<Piece>> rows[] = {
      // The case counts, a NUL hides the rest of its line, the first marker ends the header.
      {"-START-\n" + nul + "-start-\n x-start-y\n1\n-start-\n2",
       true,
       {{"1", 4, 0}, {"-start-", 5, 0}, {"2", 6, 0}}},
      {std::string(4995, 'h') + "-start-\n1", false, {}},  // straddles two pieces
      {std::string(4992, 'h') + "-start-\n1", true, {{"", 1, 4999}, {"1", 2, 0}}},  // a full piece
      {"h\r\nh\r\n-start-\r\n\r\na\r\n", true, {{"", 4, 0}, {"a", 5, 0}}},
      // CR LF, Ctrl-Z
      {s + "a\r\nb\rc\r\r\nd\x1A\ne", true, {{"a", 2, 0}, {"b\rc\r", 3, 0}, {"d", 4, 0}}},
      {s + "\n  \na\x1A\nb", true, {{"", 2, 0}, {"  ", 3, 0}, {"a", 4, 0}}},
      {s + "ab" + nul + "cd\n" + nul + x4998 + "yz\n",
       true,
       {{"ab", 2, 0}, {"", 3, 0}, {"yz", 3, 4999}}},
      {s + std::string(6000, 'y') + "\nb",
       true,
       {{y4999, 2, 0}, {std::string(1001, 'y'), 2, 4999}, {"b", 3, 0}}},
      {s + x4999 + "\n" + x4998 + "\nz",
       true,
       {{x4999, 2, 0}, {"", 2, 4999}, {x4998, 3, 0}, {"z", 4, 0}}},
      {s + x4998 + "\r\nz\r", true, {{x4998, 2, 0}, {"z\r", 3, 0}}},  // a dropped CR does not count
      {s + "1\x1A", true, {{"1", 2, 0}}},  // short enough to live inside its string
  };
  // Each text read from its own copy, in place, and by a reader moved away
  // from the one that took the copy.
  for (const auto& [bytes, header, pieces] : rows) {
    std::optional<DataLineReader> moved;
    {
      DataLineReader owner{std::string(bytes)};
      moved.emplace(std::move(owner));
    }
    DataLineReader inPlace{std::string_view(bytes)};
    for (DataLineReader* reader : {&*moved, &inPlace}) {
      EXPECT_EQ(reader->skipHeader(), header) << testing::PrintToString(bytes.substr(0, 40));
      std::vector<Piece> got;
      for (std::string line; reader->readLine(line);)
        got.emplace_back(line, reader->lineNumber(), reader->pieceOffset());
      EXPECT_EQ(got, pieces) << testing::PrintToString(bytes.substr(0, 40));
    }
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

// A set of more than kMaxDataSetBytes in all is refused before any loader
// runs, naming its largest file; a set of exactly that many bytes loads. A
// reader from disk stops one byte past the limit.
TEST(LoadAllTest, RefusesASetPastTheLimitBeforeParsing) {
  const std::map<std::string, std::string> valid = {{"skill", "-start-\n0 0 \"S0\"\n"},
                                                    {"std", "-start-\n1000 2 \"a\" \"b\"\n"},
                                                    {"type", "-start-\n1\n1\n1\n"},
                                                    {"rnd", "-start-\n#1450\n\"p\"\n1\n0\n"},
                                                    {"change", "-start-\n"}};
  int64_t validBytes = 0;
  for (const auto& [name, bytes] : valid)
    validBytes += std::ssize(bytes);
  const std::string tooLarge = "az adatk\xE9szlet nagyobb 64 MB-n\xE1l";
  // The file given a long header, the bytes the set has beyond the limit,
  // and the file named (none when the set loads).
  const std::vector<std::tuple<std::string, int64_t, std::string>> rows = {
      {"type", 0, ""},
      {"type", 1, "type"},             // the set in all, not one file, is past it
      {"skill", validBytes, "skill"},  // past it on its own
  };
  for (const auto& [file, beyond, named] : rows) {
    std::map<std::string, std::string> files = valid;
    const int64_t header = kMaxDataSetBytes - validBytes + beyond - 1;
    files[file] = std::string(static_cast<std::size_t>(header), 'x') + "\n" + files[file];
    const std::unique_ptr<ItemDatabase> db = loadFiles(std::move(files));
    EXPECT_EQ(db->lastError().value_or(""), named.empty() ? "" : named + " : " + tooLarge) << file;
    EXPECT_EQ(db->skillCount() + db->typeCount(), named.empty() ? kSkillSlots + 1 : 0) << file;
    if (!named.empty()) {
      const LoadFailure& failure = db->lastFailure().value();
      EXPECT_EQ(std::tuple(failure.fileName, failure.line, failure.fault),
                std::tuple(named, 0, LoadFault::kDataSetTooLarge));
    }
  }
  const TempDir dir;
  const std::string path = dir.write("big.txt", std::string(100, 'x'));
  EXPECT_EQ(readFileBytes(path, 10), std::string(10, 'x'));
  EXPECT_EQ(readFileBytes(path, 100), std::string(100, 'x'));
  EXPECT_EQ(readFileBytes(path), std::string(100, 'x'));
}

}  // namespace
}  // namespace tamrix::test
