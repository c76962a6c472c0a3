// Each loader row: given this file text after the "-start-" line, the loader
// gives this lastError (after "f.txt : ") and leaves its table like this.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "database/item_database.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

using Loader = bool (ItemDatabase::*)(const std::string&);
const Loader kSkills = &ItemDatabase::loadSkills, kStd = &ItemDatabase::loadStdItems,
             kTypes = &ItemDatabase::loadTypes, kRnd = &ItemDatabase::loadRndItems,
             kChanges = &ItemDatabase::loadChanges;

// The numbers, each followed by a blank, without the trailing zeros.
template <std::size_t N>
std::string nums(const std::array<int32_t, N>& numbers) {
  std::size_t n = N;
  while (n > 0 && numbers[n - 1] == 0)
    --n;
  std::string out;
  for (std::size_t i = 0; i < n; ++i)
    out += std::to_string(numbers[i]) + " ";
  return out;
}

// One "|"-ended entry per filled slot or record of the loader's table.
std::string dump(const ItemDatabase& db, Loader loader) {
  std::string out;
  for (std::size_t i = 0; loader == kSkills && i < db.skills.size(); ++i)
    if (db.skillPresent[i])
      out += std::to_string(i) + ":" + db.skills[i].name + ":" +
             nums(std::array{db.skills[i].doublingFlag}) + "|";
  for (std::size_t i = 0; loader == kStd && i < db.stdItems.size(); ++i) {
    const StdItemEntry& e = db.stdItems[i];
    const std::string numbers = nums(std::array{e.kind, e.damageSides, e.damageDice, e.damageBonus,
                                                e.skill8Bonus, e.skill7Bonus, e.skill6Bonus});
    if (db.stdItemPresent[i] || !numbers.empty())
      out += std::to_string(i) + (db.stdItemPresent[i] ? ":" + e.name : "-") + ":" +
             e.prefixedName.value_or("-") + ":" + numbers + "|";
  }
  for (const TypeEntry& t : loader == kTypes ? db.types : std::vector<TypeEntry>{}) {
    out += nums(std::array{t.id, t.lineCount}) + ":";
    for (const auto& row : t.amounts)
      out += "[" + nums(row) + "]";
    out += "|";
  }
  for (std::size_t i = 0; loader == kRnd && i < db.rndItems.size(); ++i)
    if (db.rndItemPresent[i])
      out += std::to_string(i) + ":" + db.rndItems[i].name + ":" +
             nums(std::array{db.rndItems[i].typeId}) + ":" + nums(db.rndItems[i].skillIndex) + "|";
  for (const ChangeEntry& c : loader == kChanges ? db.changes : std::vector<ChangeEntry>{})
    out += nums(std::array{c.prefixIndex, c.itemKind, c.skillIndex, c.multiplier}) + "|";
  return out;
}

TEST(LoaderTest, FileTextGivesTable) {
  const struct {
    Loader loader;
    const char* data;
    const char* error;  // nullptr: the load succeeds
    const char* table;
  } rows[] = {
      {kSkills, "0 1 \"Er\xF5\"\n  3  0   \"a    b\" ", nullptr, "0:Er\xF5:1 |3:a b:|"},
      {kSkills, "109 2 \"a\"b\"\n7 -1 x \"n\" c\n8 0 \"\"", nullptr, "7:n:-1 |8::|109:a\"b:2 |"},
      {kSkills, "9abc 0 \"x\"\n9 1 \"y\"\n5\" 0\"x\"", nullptr, "5: 0\"x:|9:y:1 |"},
      {kSkills, "1 1 \"a\"\nx 1 \"a\"\n2 1 \"b\"", "x 1 \"a\"", "1:a:1 |"},
      {kSkills, "5", "5", ""},
      {kSkills, "5 \"a\"", "5 \"a\"", ""},
      {kSkills, "5\" 1 a", "5\" 1 a", ""},
      {kSkills, "5 1 a \"b c", "5 1 a ", ""},
      {kSkills, "110 1 \"a\"", "110 1 \"a\"", ""},
      {kSkills, "-1 1 \"a\"", "-1 1 \"a\"", ""},

      {kStd, "1000 11 1 2 3 4 5 \"K\" \"Kj\"", nullptr, "0:K:Kj:11 1 2 3 0 4 5 |"},
      {kStd, "1001 13 1 2 3 \"a\"\n1002 1 1 2 \"a\" \"b\"", nullptr,
       "1:a:-:13 0 0 0 1 3 2 |2:a:-:1 0 0 0 1 0 2 |"},
      {kStd, "1003 2 7 8 \"a  b\"\n1004 007 \"\"\n1005 1 x -3y \"a\"", nullptr,
       "3:a b:-:2 |4::-:7 |5:a:-:1 0 0 0 0 0 -3 |"},
      {kStd, "1435 3 \"a\" \"b\" \"c\"\n1449 3 \"z\"", nullptr, "435:a:b:3 |449:z:-:3 |"},
      // Blanks inside a name separate numbers; the closing quote opens the name.
      {kStd, "1006 11 1 2 3 \"x y\" \"z\"", nullptr, "6: :-:11 1 2 3 |"},
      {kStd, "1007 11 1 2 3 4 5 \"a\"\n1007 2 \"b\"", nullptr, "7:b:-:2 1 2 3 0 4 5 |"},
      {kStd, "1015 14 \"a\"\n1016 0 \"b\"", nullptr, "15-:-:14 |"},
      {kStd, "1001 5 1 2 \"a\"\n1001 x \"c\"\n1003 3 \"d\"", "1001 x \"c\"",
       "1:a:-:0 0 0 0 1 0 2 |"},
      {kStd, "x 1 \"a\"", "x 1 \"a\"", ""},
      {kStd, "1001", "1001", ""},
      {kStd, "1001 11 1 2 \"a\"", "1001 11 1 2 \"a\"", "1-:-:11 1 2 |"},
      {kStd, "1001 2 \"a", "1001 2 \"a", "1-:-:2 |"},
      {kStd, "1015 2 \"a\"", "1015 2 \"a\"", "15:a:-:2 |"},
      {kStd, "1450 2 \"a\"", "1450 2 \"a\"", ""},
      {kStd, "-2147483648 2 \"a\"", "-2147483648 2 \"a\"", ""},

      {kTypes, "7\n2\n1 2 3\n\n  4   5\n3\n-1\n6 x 7\n", nullptr,
       "7 2 :[1 2 3 ][4 5 ][][][][]|3 -1 :[6 0 7 ][][][][][]|"},
      {kTypes, "1\n2\n1\n2\n3\n1\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", nullptr,
       "1 2 :[1 ][2 ][][][][]|3 1 :[1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 ][][][][][]|"},
      {kTypes, "x\n1abc\n9\n2\n2\n6", nullptr, "0 1 :[9 ][][][][][]|"},  // a cut-off record goes
      {kTypes, "1\n1\n5\n2", "", "1 1 :[5 ][][][][][]|"},
      {kTypes, "1\n6\n1\n2\n3\n4\n5\n6\n1\n7 x\n5", "7 x", "1 6 :[1 ][2 ][3 ][4 ][5 ][6 ]|"},

      {kRnd, "#1450\n\"\xC9les\"\n5\n3\n\n7\n11899\n x\"A\" \n5\n0\n12 w", nullptr,
       "1:A:5 :0 12 |"},
      {kRnd, "#1000\n\"a\"b\"c\"\n5\n007\n-1\n#551\n\"\"\n9\n4", nullptr, "0::9 :4 -1 |"},
      {kRnd, "#29350\n\"y\"\n9\n8\n#29799\n\"z\"", nullptr, "63:z:9 :8 |"},
      {kRnd, "#1450\n\"a\"\n5\n1\n2\n#1900\n\"b\"\n77", "77", "1:a:5 :1 2 |2:b:77 :|"},
      {kRnd, "#1450\nno quote", "no quote", ""},
      {kRnd, "#1450\nab\"cd", "ab", ""},
      {kRnd, "#1450\n\"a\"\nx5", "x5", "1:a::|"},
      {kRnd, "#1450\n\"a\"\n5\n1\n-0", "-0", "1:a:5 :1 |"},
      {kRnd, "#29800\n\"a\"", "#29800", ""},
      {kRnd, "#-2147483648", "#-2147483648", ""},

      {kChanges, "1450 5 -1 2\n 1899  5 -1  2 x", nullptr, "1 5 -1 2 |1 5 -1 2 |"},
      {kChanges, "0 0 0 0\n551 1 2 3 4\n12abc 3x 4 5", nullptr, "-2 |0 1 2 3 |-2 3 4 5 |"},
      {kChanges, "29800 1 1 1\n-2147483648 1 1 1", nullptr, "64 1 1 1 |-4772188 1 1 1 |"},
      {kChanges, "1450 5 -1 2\nx 1 2 3", "x 1 2 3", "1 5 -1 2 |"},
      {kChanges, "1450 x 5 2", "x 5 2", ""},
      {kChanges, "1450 x", "x", ""},
      {kChanges, "1450\t5\t-1\t2", "1450\t5\t-1\t2", ""},
  };
  TempDir dir;
  ScopedCurrentDir cwd(dir.path());
  dir.write("t.txt", "-start-\n5\n2\n1\n2\n9\n0\n1\n");  // type 5 has two amount lines, 9 one
  for (const auto& row : rows) {
    ItemDatabase db;
    db.loadSpecItems("");
    db.stdItemCount = 450;
    ASSERT_TRUE(row.loader != kRnd || db.loadTypes("t.txt"));
    dir.write("f.txt", "-start-\n" + std::string(row.data));
    EXPECT_EQ((db.*row.loader)("f.txt"), row.error == nullptr) << row.data;
    EXPECT_EQ(db.lastError,
              row.error ? std::optional("f.txt : " + std::string(row.error)) : std::nullopt)
        << row.data;
    EXPECT_EQ(dump(db, row.loader), row.table) << row.data;
  }
}

// Without standard items no prefix index can be computed; lookups give the
// first record in file order, also after a reload or an addition by hand.
TEST(LoaderTest, PrefixesNeedStandardItemsAndLookupsTakeTheFirstMatch) {
  TempDir dir;
  ItemDatabase db;
  const std::string changes = dir.write("c.txt", "-start-\n1450 5 1 1\n1460 5 2 2\n1460 6 3 3\n");
  EXPECT_FALSE(db.loadChanges(changes));
  EXPECT_FALSE(db.loadRndItems(changes));
  EXPECT_EQ(db.lastError, changes + " : 1450 5 1 1");
  db.loadSpecItems("");
  db.stdItemCount = 450;
  ASSERT_TRUE(db.loadChanges(changes));
  EXPECT_EQ(db.findChange(1, 5), &db.changes[0]);
  EXPECT_EQ(db.findChange(1, 6), &db.changes[2]);
  EXPECT_EQ(db.findChange(5, 1), nullptr);
  ASSERT_TRUE(db.loadTypes(dir.write("t.txt", "-start-\n5\n1\n1\n6\n1\n2\n5\n1\n3\n")));
  EXPECT_EQ(db.findType(5), &db.types[0]);
  EXPECT_EQ(db.findType(6), &db.types[1]);
  db.types.push_back(TypeEntry{9, 1, {}});
  db.typeCount = 4;
  EXPECT_EQ(db.findType(9), &db.types[3]);
  ASSERT_TRUE(db.loadTypes(dir.write("t.txt", "-start-\n6\n1\n1\n")));
  EXPECT_EQ(db.findType(5), nullptr);
}

// The sample set loads; with one file replaced (nullptr: missing, "/": a
// folder) the load stops there, and the loaders after it leave their counts 0.
TEST(LoadAllTest, RunsTheLoadersInOrderAndStopsAtTheFirstFailure) {
  const struct {
    std::string file;
    const char* data;
    std::string error, ran;  // ran: which of special .. change have a count
  } rows[] = {
      {"", "", "", "1111111"},
      {"skill", "/", "a f\xE1jl nem nyithat\xF3 meg", "1100000"},
      {"stditem", nullptr, "a f\xE1jl nem nyithat\xF3 meg", "1111000"},
      {"type", "x", "hi\xE1nyzik a -start- sor", "1111000"},
      {"change", "-start-\nx", "x", "1111110"},
  };
  for (const auto& row : rows) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    std::filesystem::copy(sampleDataDir(), "Data");
    const std::string file = "Data/" + row.file + ".txt";
    std::filesystem::remove(file);
    if (row.data != nullptr && *row.data == '/')
      std::filesystem::create_directory(file);
    else if (row.data != nullptr && !row.file.empty())
      dir.write(file, row.data);
    ItemDatabase db;
    EXPECT_EQ(db.loadAll("Data\\stditem.txt", "Data\\specitem.txt", "Data\\skill.txt",
                         "Data\\rnditem.txt", "Data\\type.txt", "Data\\change.txt"),
              row.error.empty())
        << row.file;
    EXPECT_EQ(db.lastError.value_or(""),
              row.error.empty() ? "" : "Data\\" + row.file + ".txt : " + row.error)
        << row.file;
    std::string ran;
    for (const int32_t count : {db.specItemCount, db.skillCount, db.stdItemCount, db.groupSize,
                                db.typeCount, db.rndItemCount, db.changeCount})
      ran += count != 0 ? '1' : '0';
    EXPECT_EQ(ran, row.ran) << row.file;
  }
}

}  // namespace
}  // namespace tamrix::test
