#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "database/data_line_reader.h"
#include "database/item_database.h"
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

TEST(NormalizeLineTest, MatchesTheWalk) {
  EXPECT_EQ(normalizeByWalk("  1000   2  \"A   b\"  "), "1000 2 \"A b\"");
  EXPECT_EQ(normalizeByWalk(" \n\n\nx\n\n\ny\n\n"), "\n\nx\ny\n");  // a leading run keeps two
  // Every text of up to 10 blanks, line feeds and tabs (code's base-3 digits below
  // its leading 1), also behind bytes that carry it across a block of 32.
  for (std::size_t code = 1; code < 2 * 59049; ++code) {
    for (std::string text : {std::string(), std::string(27, 'a'), std::string(60, 'a')}) {
      for (std::size_t c = code; c > 2; c /= 3)
        text += " \n\t"[c % 3];
      std::string normalized = text;
      ItemDatabase::normalizeLine(normalized);
      ASSERT_EQ(normalized, normalizeByWalk(text)) << testing::PrintToString(text);
    }
  }
}

using Loader = bool (ItemDatabase::*)(const std::string&);
const Loader kSkills = &ItemDatabase::loadSkills, kStd = &ItemDatabase::loadStdItems,
             kTypes = &ItemDatabase::loadTypes, kRnd = &ItemDatabase::loadRndItems,
             kChanges = &ItemDatabase::loadChanges;

// One "|"-ended entry per filled slot or record: key ("-": no name), ":", numbers.
std::string dump(const ItemDatabase& db, Loader loader) {
  std::string out;
  const auto add = [&out](const std::string& key, std::vector<int32_t> numbers) {
    while (!numbers.empty() && numbers.back() == 0)
      numbers.pop_back();
    out += key + ":";
    for (const int32_t n : numbers)
      out += std::to_string(n) + " ";
    out += "|";
  };
  for (std::size_t i = 0; i < db.skills().size(); ++i)
    if (const auto& skill = db.skills()[i])
      add(std::to_string(i) + ":" + skill->name, {skill->doublingFlag});
  for (std::size_t i = 0; i < db.stdItems().size(); ++i) {
    const StdItemEntry& e = db.stdItems()[i];
    if (e.name || e.kind != 0)
      add(std::to_string(i) + (e.name ? ":" + *e.name : "-") + ":" + e.prefixedName.value_or("-"),
          {e.kind, e.damageSides, e.damageDice, e.damageBonus, e.skill8Bonus, e.skill7Bonus,
           e.skill6Bonus});
  }
  for (const TypeEntry& t : loader == kTypes ? db.types() : std::vector<TypeEntry>{})
    for (const auto& row : t.amounts)  // the key on the first amount line only
      add(&row == &t.amounts[0] ? std::to_string(t.id) + " " + std::to_string(t.lineCount) : "",
          {row.begin(), row.end()});
  for (std::size_t i = 0; i < db.rndItems().size(); ++i)
    if (const auto& prefix = db.rndItems()[i])
      add(std::to_string(i) + ":" + prefix->name + ":" + std::to_string(prefix->typeId),
          {prefix->skillIndex.begin(), prefix->skillIndex.end()});
  for (const ChangeEntry& c : db.changes())
    add("", {c.prefixIndex, c.itemKind, c.skillIndex, c.multiplier});
  return out;
}

TEST(LoaderTest, FileTextGivesTableAndError) {
  const std::tuple<Loader, const char*, const char*> rows[] = {
      {kSkills, "0 1 \"Er\xF5\"\n  3  0   \"a    b\" ", "0:Er\xF5:1 |3:a b:|"},
      {kSkills, "109 2 \"a\"b\"\n7 -1 x \"n\" c\n8abc 0 \"\"", "7:n:-1 |8::|109:a\"b:2 |"},
      {kSkills, "1 1 \"a\"\nx 1 \"a\"\n2 1 \"b\"", "1:a:1 |!f : x 1 \"a\""},
      {kSkills, "5", "!f : 5"},
      {kSkills, "5 \"a\"", "!f : 5 \"a\""},
      {kSkills, "5\" 1 a", "!f : 5\" 1 a"},
      {kSkills, "5 1 a \"b c", "!f : 5 1 a "},
      {kSkills, "110 1 \"a\"", "!f : 110 1 \"a\""},
      {kSkills, "-1 1 \"a\"", "!f : -1 1 \"a\""},

      {kStd, "1000 11 1 2 3 4 5 \"K\" \"Kj\"", "0:K:Kj:11 1 2 3 0 4 5 |"},
      {kStd, "1001 13 1 2 3 \"a\"\n1002 1 1 2 \"a\" \"b\"",
       "1:a:-:13 0 0 0 1 3 2 |2:a:-:1 0 0 0 1 0 2 |"},
      {kStd, "1003 2 7 8 \"a  b\"\n1004 007 \"\"\n1005 1 x -3y \"a\"",
       "3:a b:-:2 |4::-:7 |5:a:-:1 0 0 0 0 0 -3 |"},
      {kStd, "1435 3 \"a\" \"b\" \"c\"\n1449 3 \"z\"", "435:a:b:3 |449:z:-:3 |"},
      {kStd, "1015 14 \"a\"\n1016 0 \"b\"", "15-:-:14 |"},
      {kStd, "1001 5 1 2 \"a\"\n1001 x", "1:a:-:0 0 0 0 1 0 2 |!f : 1001 x"},
      {kStd, "x 1 \"a\"", "!f : x 1 \"a\""},
      {kStd, "1001", "!f : 1001"},
      {kStd, "1001 11 1 2 \"a\"", "1-:-:11 1 2 |!f : 1001 11 1 2 \"a\""},
      {kStd, "1001 2 \"a", "1-:-:2 |!f : 1001 2 \"a"},
      {kStd, "1015 2 \"a\"", "15:a:-:2 |!f : 1015 2 \"a\""},
      {kStd, "1450 2 \"a\"", "!f : 1450 2 \"a\""},
      {kStd, "-2147483648 2 \"a\"", "!f : -2147483648 2 \"a\""},

      {kTypes, "7\n2\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n\n  4   5\n3\n-1\n\v+6 x 7\n",
       "7 2:1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 |:4 5 |:|:|:|:|3 -1:6 0 7 |:|:|:|:|:|"},
      {kTypes, "x\n1abc\n9\n2\n2\n6", "0 1:9 |:|:|:|:|:|"},  // a cut-off record goes
      {kTypes, "1\n1\n5\n2", "1 1:5 |:|:|:|:|:|!f : "},
      {kTypes, "1\n6\n1\n2\n3\n4\n5\n6\n1\n7 x\n5", "1 6:1 |:2 |:3 |:4 |:5 |:6 |!f : 7 x"},

      {kRnd, "#1450\n\"\xC9les\"\n5\n3\n\n7\n11899\n x\"A\" \n5\n0\n12 w", "1:A:5:0 12 |"},
      {kRnd, "#1000\n\"a\"b\"c\"\n5\n007\n-1\n#551\n\"\"\n9\n4", "0::9:4 -1 |"},
      {kRnd, "#29350\n\"y\"\n9\n8\n#29799\n\"z\"", "63:z:9:8 |"},
      {kRnd, "#1450\n\"a\"\n5\n1\n2\n#1900\n\"b\"\n77", "1:a:5:1 2 |2:b:77:|!f : 77"},
      {kRnd, "#1450\nno quote", "!f : no quote"},
      {kRnd, "#1450\nab\"cd", "!f : ab"},
      {kRnd, "#1450\n\"a\"\nx5", "1:a:0:|!f : x5"},
      {kRnd, "#1450\n\"a\"\n5\n1\n-0", "1:a:5:1 |!f : -0"},
      {kRnd, "#29800\n\"a\"", "!f : #29800"},

      {kChanges, "1450 5 -1 2\n 1899  5 -1  2 x", ":1 5 -1 2 |:1 5 -1 2 |"},
      {kChanges, "0 0 0 0\n551 1 2 3 4\n12abc 3x 4 5", ":-2 |:0 1 2 3 |:-2 3 4 5 |"},
      {kChanges, "29800 1 1 1\n-2147483648 1 1 1", ":64 1 1 1 |:-4772188 1 1 1 |"},
      {kChanges, "2147483648 -18446744073709551621 -00000000000000000000001 +7",
       ":4772183 -2147483648 -1 7 |"},  // saturated, whatever the digit count
      {kChanges, "1450 5 -1 2\nx 1 2 3", ":1 5 -1 2 |!f : x 1 2 3"},
      {kChanges, "1450 x 5 2", "!f : x 5 2"},
      {kChanges, "1450 x", "!f : x"},
      {kChanges, "1450 \t0 1 1", "!f : \t0 1 1"},           // a 0 must be the field's first byte
      {kChanges, "1450\t5\t-1\t2", "!f : 1450\t5\t-1\t2"},  // too few tokens
  };
  for (const auto& [loader, data, expected] : rows) {
    // Types 5 (two amount lines), 9 and 0 (one each), and empty standard items.
    ItemDatabase db(memoryFiles({{"t", "-start-\n5\n2\n1\n2\n9\n0\n1\n0\n1\n1\n"},
                                 {"s", "-start-\n"},
                                 {"f", "-start-\n" + std::string(data)}}));
    ASSERT_TRUE(db.loadSpecItems("") && (loader == kStd || db.loadStdItems("s")));
    ASSERT_TRUE(loader != kRnd || db.loadTypes("t"));
    const bool loaded = (db.*loader)("f");
    EXPECT_EQ(dump(db, loader) + (loaded ? "" : "!") + db.lastError().value_or(""), expected)
        << data;
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

// The sample set loads; a file removed or without "-start-" stops the load.
TEST(LoadAllTest, RunsTheLoadersInOrderAndStopsAtTheFirstFailure) {
  const std::tuple<std::string, const char*, std::string> rows[] = {
      {"", "", "1111111"},  // which of special .. change have a count
      {"skill", "", "1100000!Data\\skill.txt : a f\xE1jl nem nyithat\xF3 meg"},
      {"change", "x", "1111110!Data\\change.txt : hi\xE1nyzik a -start- sor"},
  };
  for (const auto& [file, data, expected] : rows) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    std::filesystem::copy(sampleDataDir(), "Data");
    std::filesystem::remove("Data/" + file + ".txt");
    if (*data != '\0')
      dir.write("Data/" + file + ".txt", data);
    ItemDatabase db;
    const bool loaded = db.loadAll("Data\\stditem.txt", "Data\\specitem.txt", "Data\\skill.txt",
                                   "Data\\rnditem.txt", "Data\\type.txt", "Data\\change.txt");
    std::string ran;
    for (const int32_t count :
         {db.specItemCount(), db.skillCount(), db.stdItemCount(), db.groupSize(), db.typeCount(),
          db.rndItemCount(), db.changeCount()})
      ran += count != 0 ? '1' : '0';
    EXPECT_EQ(ran + (loaded ? "" : "!") + db.lastError().value_or(""), expected) << file;
  }
}

}  // namespace
}  // namespace tamrix::test
