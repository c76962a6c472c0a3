#include <gtest/gtest.h>

#include "database_fixture.h"

namespace tamrix::test {
namespace {

using StdItemsTest = LoaderTest;

struct Numbers {
  int32_t kind, sides, dice, bonus, s8, s7, s6;
  bool operator==(const Numbers&) const = default;
};

Numbers numbersOf(const StdItemEntry& e) {
  return {e.kind,        e.damageSides, e.damageDice, e.damageBonus,
          e.skill8Bonus, e.skill7Bonus, e.skill6Bonus};
}

TEST_F(StdItemsTest, LinesFillTheirSlots) {
  struct Row {
    const char* data;
    int32_t slot;
    Numbers numbers;
    const char* name;
    std::optional<std::string> prefixedName;
  };
  const Row rows[] = {
      {"1000 11 1 2 3 4 5 \"Kard\" \"Kardj\"", 0, {11, 1, 2, 3, 0, 4, 5}, "Kard", "Kardj"},
      {"1001 13 1 2 3 \"a\"", 1, {13, 0, 0, 0, 1, 3, 2}, "a", std::nullopt},
      {"1002 1 1 2 \"a\" \"ignored\"", 2, {1, 0, 0, 0, 1, 0, 2}, "a", std::nullopt},
      {"1003 2 7 8 \"a  b\"", 3, {2, 0, 0, 0, 0, 0, 0}, "a b", std::nullopt},
      {"1004 007 \"\"", 4, {7, 0, 0, 0, 0, 0, 0}, "", std::nullopt},
      {"1005 1 x -3y \"a\"", 5, {1, 0, 0, 0, 0, 0, -3}, "a", std::nullopt},
      {"1435 3 \"a\" \"b\" \"c\"", 435, {3, 0, 0, 0, 0, 0, 0}, "a", "b"},
      {"1449 3 \"z\"", 449, {3, 0, 0, 0, 0, 0, 0}, "z", std::nullopt},
      // Blanks inside a name count as separators: the last two numbers read
      // the name's words, and the closing quote opens the name.
      {"1006 11 1 2 3 \"x y\" \"z\"", 6, {11, 1, 2, 3, 0, 0, 0}, " ", std::nullopt},
      // A later line overwrites only what its kind carries.
      {"1007 11 1 2 3 4 5 \"a\"\n1007 2 \"b\"", 7, {2, 1, 2, 3, 0, 4, 5}, "b", std::nullopt},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(load(&ItemDatabase::loadStdItems, row.data)) << row.data << " " << error();
    const StdItemEntry& item = db.stdItems[static_cast<std::size_t>(row.slot)];
    EXPECT_EQ(db.stdItemPresent[static_cast<std::size_t>(row.slot)], 1) << row.data;
    EXPECT_EQ(numbersOf(item), row.numbers) << row.data;
    EXPECT_EQ(item.name, row.name) << row.data;
    EXPECT_EQ(item.prefixedName, row.prefixedName) << row.data;
  }
}

TEST_F(StdItemsTest, KindOutsideOneToThirteenOnlySetsTheKind) {
  ASSERT_TRUE(load(&ItemDatabase::loadStdItems, "1015 14 \"a\"\n1016 0 \"b\"\n1017 3 \"c\""));
  EXPECT_EQ(db.stdItems[15].kind, 14);
  EXPECT_EQ(db.stdItems[16].kind, 0);
  EXPECT_EQ(db.stdItemPresent[15], 0);
  EXPECT_EQ(db.stdItemPresent[16], 0);
  EXPECT_EQ(db.stdItemPresent[17], 1);
  EXPECT_EQ(db.stdItemCount, 450);
  EXPECT_EQ(db.groupSize, 15);
}

TEST_F(StdItemsTest, RejectedLinesReportTheWholeLine) {
  const char* rows[] = {
      "x 1 \"a\"",
      "+0 1 \"a\"",
      "1001",
      "1001 x \"a\"",
      "1001 -0 \"a\"",
      "1001 11 1 2 \"a\"",  // too few numbers for a weapon
      "1001 1 \"a\"",       // the quoted name is taken for a number
      "1001 2 a",
      "1001 2 \"a",
      "1015 2 \"a\"",  // group base without the prefixed name
      "1015 2 \"a\" \"b",
      "1006 11 1 2 3 \"x y\"",
      // Item numbers that give no slot.
      "999 2 \"a\"",
      "1450 2 \"a\"",
      "0 2 \"a\"",
      "-2147483648 2 \"a\"",
      "2147483647 2 \"a\"",
  };
  for (const char* row : rows) {
    EXPECT_FALSE(load(&ItemDatabase::loadStdItems, row)) << row;
    EXPECT_EQ(error(), row);
  }
}

TEST_F(StdItemsTest, FailureKeepsWhatWasStored) {
  EXPECT_FALSE(load(&ItemDatabase::loadStdItems,
                    "1001 5 1 2 \"a\"\n1002 3 \"b\"\n1001 x \"c\"\n1003 3 \"d\""));
  EXPECT_EQ(db.stdItems[1].kind, 0);  // the kind is stored before it is checked
  EXPECT_EQ(db.stdItems[1].name, "a");
  EXPECT_EQ(db.stdItemPresent[2], 1);
  EXPECT_EQ(db.stdItemPresent[3], 0);
  // A number without a slot stores nothing.
  EXPECT_FALSE(load(&ItemDatabase::loadStdItems, "1450 3 \"b\""));
  EXPECT_EQ(db.stdItemPresent, std::vector<uint8_t>(450, 0));
}

}  // namespace
}  // namespace tamrix::test
