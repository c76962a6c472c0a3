// Each row: given this file text after the "-start-" line, the loader gives
// this lastError (after "f.txt : ") and leaves its table like this.
#include <gtest/gtest.h>

#include <string>

#include "database/item_database.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

using Loader = bool (ItemDatabase::*)(const std::string&);
const Loader kSkills = &ItemDatabase::loadSkills, kStd = &ItemDatabase::loadStdItems,
             kTypes = &ItemDatabase::loadTypes, kRnd = &ItemDatabase::loadRndItems,
             kChanges = &ItemDatabase::loadChanges;

template <typename Numbers>
std::string join(const Numbers& numbers) {
  std::size_t n = numbers.size();
  while (n > 0 && numbers[n - 1] == 0)
    --n;
  std::string out;
  for (std::size_t i = 0; i < n; ++i)
    out += std::to_string(numbers[i]) + " ";
  return out;
}

// One "|"-ended entry per filled slot or record of the loader's table; number
// lists drop their trailing zeros.
std::string dump(const ItemDatabase& db, Loader loader) {
  std::string out;
  for (std::size_t i = 0; loader == kSkills && i < db.skills.size(); ++i)
    if (db.skillPresent[i])
      out += std::to_string(i) + ":" + db.skills[i].name + ":" +
             join(std::array{db.skills[i].doublingFlag}) + "|";
  for (std::size_t i = 0; loader == kStd && i < db.stdItems.size(); ++i) {
    const StdItemEntry& e = db.stdItems[i];
    const std::string numbers = join(std::array{e.kind, e.damageSides, e.damageDice, e.damageBonus,
                                                e.skill8Bonus, e.skill7Bonus, e.skill6Bonus});
    if (db.stdItemPresent[i] || !numbers.empty())
      out += std::to_string(i) + (db.stdItemPresent[i] ? ":" + e.name : "-") + ":" +
             e.prefixedName.value_or("-") + ":" + numbers + "|";
  }
  for (const TypeEntry& t : loader == kTypes ? db.types : std::vector<TypeEntry>{}) {
    out += join(std::array{t.id, t.lineCount}) + ":";
    for (const auto& row : t.amounts)
      out += "[" + join(row) + "]";
    out += "|";
  }
  for (std::size_t i = 0; loader == kRnd && i < db.rndItems.size(); ++i)
    if (db.rndItemPresent[i])
      out += std::to_string(i) + ":" + db.rndItems[i].name + ":" +
             join(std::array{db.rndItems[i].typeId}) + ":" + join(db.rndItems[i].skillIndex) + "|";
  for (const ChangeEntry& c : loader == kChanges ? db.changes : std::vector<ChangeEntry>{})
    out += join(std::array{c.prefixIndex, c.itemKind, c.skillIndex, c.multiplier}) + "|";
  return out;
}

class LoaderTest : public ::testing::Test {
 protected:
  // The capacities are set, and type 5 has two amount lines, type 9 none.
  LoaderTest() {
    db.loadSpecItems("");
    db.stdItemCount = 450;
    dir.write("t.txt", "-start-\n5\n2\n1\n2\n9\n0\n1\n");
    EXPECT_TRUE(db.loadTypes("t.txt"));
  }

  TempDir dir;
  ScopedCurrentDir cwd{dir.path()};
  ItemDatabase db;
};

TEST_F(LoaderTest, FileTextGivesTable) {
  struct Row {
    Loader loader;
    const char* data;
    const char* error;  // nullptr: the load succeeds
    const char* table;
  };
  const Row rows[] = {
      {kSkills, "", nullptr, ""},
      {kSkills, "0 1 \"Er\xF5\"\n  3  0   \"a    b\" ", nullptr, "0:Er\xF5:1 |3:a b:|"},
      {kSkills, "109 2 \"a\"b\"\n7 -1 x \"n\" c\n8 0 \"\"", nullptr, "7:n:-1 |8::|109:a\"b:2 |"},
      {kSkills, "9abc 0 \"x\"\n9 1 \"y\"\n5\" 0\"x\"", nullptr, "5: 0\"x:|9:y:1 |"},
      {kSkills, "1 1 \"a\"\nx 1 \"a\"\n2 1 \"b\"", "x 1 \"a\"", "1:a:1 |"},
      {kSkills, "5", "5", ""},
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
      {kStd, "1001 11 1 2 \"a\"", "1001 11 1 2 \"a\"", "1-:-:11 1 2 |"},
      {kStd, "1015 2 \"a\"", "1015 2 \"a\"", "15:a:-:2 |"},
      {kStd, "x 1 \"a\"", "x 1 \"a\"", ""},
      {kStd, "1001", "1001", ""},
      {kStd, "1001 1 \"a\"", "1001 1 \"a\"", "1-:-:1 |"},
      {kStd, "1015 2 \"a\" \"b", "1015 2 \"a\" \"b", "15:a:-:2 |"},
      {kStd, "1450 2 \"a\"", "1450 2 \"a\"", ""},
      {kStd, "-2147483648 2 \"a\"", "-2147483648 2 \"a\"", ""},

      {kTypes, "7\n2\n1 2 3\n\n  4   5\n3\n-1\n6 x 7\n", nullptr,
       "7 2 :[1 2 3 ][4 5 ][][][][]|3 -1 :[6 0 7 ][][][][][]|"},
      {kTypes, "1\n2\n1\n2\n3\n1\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", nullptr,
       "1 2 :[1 ][2 ][][][][]|3 1 :[1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 ][][][][][]|"},
      {kTypes, "x\n1abc\n9\n2\n2\n6", nullptr,
       "0 1 :[9 ][][][][][]|"},  // a cut-off record is dropped
      {kTypes, "1\n1\n5\n2", "", "1 1 :[5 ][][][][][]|"},
      {kTypes, "1\n6\n1\n2\n3\n4\n5\n6\n1\n7 x\n5", "7 x", "1 6 :[1 ][2 ][3 ][4 ][5 ][6 ]|"},

      {kRnd, "#1450\n\"\xC9les\"\n5\n3\n\n7\n11899\n x\"A\" \n5\n0\n12 w", nullptr,
       "1:A:5 :0 12 |"},
      {kRnd, "#1000\n\"a\"b\"c\"\n5\n007\n-1\n#551\n\"\"\n9\n4", nullptr, "0::9 :4 -1 |"},
      {kRnd, "#29350\n\"y\"\n9\n8\n#29799\n\"z\"", nullptr, "63:z:9 :8 |"},
      {kRnd, "#1450", nullptr, ""},
      {kRnd, "#1450\n\"a\"\n5\n1\n2\n#1900\n\"b\"\n77", "77", "1:a:5 :1 2 |2:b:77 :|"},
      {kRnd, "#1450\nno quote", "no quote", ""},
      {kRnd, "#1450\nab\"cd", "ab", ""},
      {kRnd, "#1450\n\"a\"\nx5", "x5", "1:a::|"},
      {kRnd, "#550\n\"a\"", "#550", ""},
      {kRnd, " 1450\n\"a\"", "1450", ""},  // reads 450
      {kRnd, "#\n\"a\"", "#", ""},
      {kRnd, "#-2147483648", "#-2147483648", ""},

      {kChanges, "1450 5 -1 2\n 1899  5 -1  2 x", nullptr, "1 5 -1 2 |1 5 -1 2 |"},
      {kChanges, "0 0 0 0\n551 1 2 3 4\n12abc 3x 4 5", nullptr, "-2 |0 1 2 3 |-2 3 4 5 |"},
      {kChanges, "29800 1 1 1\n-2147483648 1 1 1", nullptr, "64 1 1 1 |-4772188 1 1 1 |"},
      {kChanges, "1450 5 -1 2\nx 1 2 3", "x 1 2 3", "1 5 -1 2 |"},
      {kChanges, "1450 x 5 2", "x 5 2", ""},
      {kChanges, "1450 x", "x", ""},
      {kChanges, "1450\t5\t-1\t2", "1450\t5\t-1\t2", ""},
  };
  for (const Row& row : rows) {
    if (row.loader == kRnd) {
      ASSERT_TRUE(db.loadTypes("t.txt"));
    }
    dir.write("f.txt", "-start-\n" + std::string(row.data));
    db.lastError.reset();
    EXPECT_EQ((db.*row.loader)("f.txt"), row.error == nullptr) << row.data;
    EXPECT_EQ(db.lastError,
              row.error ? std::optional("f.txt : " + std::string(row.error)) : std::nullopt)
        << row.data;
    EXPECT_EQ(dump(db, row.loader), row.table) << row.data;
  }
}

TEST_F(LoaderTest, LookupsGiveTheFirstMatch) {
  dir.write("f.txt", "-start-\n5\n1\n1\n6\n1\n2\n5\n1\n3\n");
  ASSERT_TRUE(db.loadTypes("f.txt"));
  EXPECT_EQ(db.findType(5), &db.types[0]);
  EXPECT_EQ(db.findType(6), &db.types[1]);
  EXPECT_EQ(db.findType(9), nullptr);       // gone with the reload
  db.types.push_back(TypeEntry{9, 1, {}});  // added by hand: found once counted
  EXPECT_EQ(db.findType(9), nullptr);
  db.typeCount = 4;
  EXPECT_EQ(db.findType(9), &db.types[3]);

  dir.write("f.txt", "-start-\n1450 5 1 1\n1460 5 2 2\n1460 6 3 3\n");
  ASSERT_TRUE(db.loadChanges("f.txt"));
  EXPECT_EQ(db.findChange(1, 5), &db.changes[0]);
  EXPECT_EQ(db.findChange(1, 6), &db.changes[2]);
  EXPECT_EQ(db.findChange(5, 1), nullptr);
}

// Out of order, the prefix of a number cannot be computed: the line fails.
TEST(LoaderOrderTest, WithoutStandardItemsPrefixesFail) {
  TempDir dir;
  ItemDatabase db;
  const std::string file = dir.write("f.txt", "-start-\n1450 5 -1 2\n");
  EXPECT_FALSE(db.loadChanges(file));
  EXPECT_FALSE(db.loadRndItems(file));
  EXPECT_EQ(db.lastError, file + " : 1450 5 -1 2");
}

}  // namespace
}  // namespace tamrix::test
