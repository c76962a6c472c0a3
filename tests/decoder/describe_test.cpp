// The description text, byte for byte, from tables filled in memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "decoder/decoder_fixture.h"
#include "decoder/description_text.h"
#include "decoder/item_number.h"

namespace tamrix::test {
namespace {

const std::string kShortHeader = "\nA t\xE1rgy t\xE1pjai :\n";
const std::string kLongHeader =
    "\nA t\xE1rgy t\xE1pjai (az alapt\xE1rgy b\xF3nuszain fel\xFCl) :\n";
const std::string kRemark = "ezzel a fegyverrel! ";
const std::string kDamage = "\nsebz\xE9s : ";
// The damage line right after the header, and with no figure at all.
const std::string kDamageLine = "sebz\xE9s : ";
const std::string kDamageAlone = "sebz\xE9s :";
const std::string kChaos = "K\xE1osz t\xE1rgy!";

// The bonus list and damage line: everything after the short header.
std::string afterHeader(const std::string& text) {
  const size_t at = text.find(kShortHeader);
  return at == std::string::npos ? "(no short header) " + text
                                 : text.substr(at + kShortHeader.size());
}

TEST(ItemNumberTest, Decomposes) {
  ItemDatabase db;
  db.specItemCount = 1000;
  db.stdItemCount = 450;
  db.groupSize = 15;
  db.rndItemCount = 64;
  struct Row {
    int32_t number;
    int32_t prefix, slot, groupBase, grade;
  };
  const Row rows[] = {
      {1000, 0, 0, 0, 0},   {1449, 0, 449, 435, 14}, {1450, 1, 0, 0, 0},
      {2385, 3, 35, 30, 5}, {1464, 1, 14, 0, 14},    {29799, 63, 449, 435, 14},
  };
  for (const Row& row : rows) {
    const auto item = decomposeItemNumber(db, row.number);
    ASSERT_TRUE(item.has_value()) << row.number;
    EXPECT_EQ(item->prefix, row.prefix) << row.number;
    EXPECT_EQ(item->slot, row.slot) << row.number;
    EXPECT_EQ(item->groupBase, row.groupBase) << row.number;
    EXPECT_EQ(item->grade, row.grade) << row.number;
  }
  for (const int32_t number : {999, 0, -1, INT32_MIN, 29800, INT32_MAX}) {
    EXPECT_FALSE(decomposeItemNumber(db, number).has_value()) << number;
  }
  // Before the standard items are loaded there is no item at all.
  db.groupSize = 0;
  EXPECT_FALSE(decomposeItemNumber(db, 1000).has_value());
}

// The item 2385: prefix 3 "éles" on slot 35 "G35 " of the weapon group 30.
class WorkedExampleTest : public DecoderTest {
 protected:
  WorkedExampleTest() {
    setGroupBase(30, "N30", 11).prefixedName = "W30";
    auto& item = setStdItem(35, "G35 ", 2);
    item.damageSides = 4;
    item.damageDice = 1;
    item.damageBonus = 1;
    item.skill7Bonus = 2;
    item.skill6Bonus = 1;
    setPrefix(3, "\xE9les", 9, {3, 7});
    TypeEntry type;
    type.id = 9;
    type.lineCount = 2;
    type.amounts[0][5] = 4;
    type.amounts[1][5] = 2;
    db.types.push_back(type);
    db.typeCount = 1;
    setSkill(3, "S3");
    setSkill(6, "S6");
    setSkill(7, "S7", 1);
  }
};

TEST_F(WorkedExampleTest, ByteForByte) {
  struct Row {
    bool withChange;
    int32_t target, multiplier;
    std::string expected;
  };
  const std::string name = "az \xE9les G35 W30";
  const Row rows[] = {
      {false, 0, 0, name + kShortHeader + "+4 S3 +1 S6 +6% S7 " + kRemark + kDamage + "1d4+1"},
      {true, -1, 1, name + kShortHeader + "+1 S6 +2% S7 " + kRemark + kDamage + "1d4+7"},
      // 3 x 4 x 2 + 3 x 2 x 2 = 36 from the prefix, 2 from the item.
      {true, 7, 3, name + kShortHeader + "+1 S6 +38% S7 " + kRemark + kDamage + "1d4+1"},
  };
  for (const Row& row : rows) {
    db.changes.clear();
    db.changeCount = 0;
    if (row.withChange)
      addChange(3, 11, row.target, row.multiplier);
    EXPECT_EQ(describe(2385), row.expected) << row.target;
  }
}

TEST_F(WorkedExampleTest, OnlyTheFirstRecordForTheGroupBasesKindApplies) {
  addChange(3, 2, -1, 1);   // the item's own slot has kind 2: not matched
  addChange(4, 11, -1, 1);  // another prefix
  addChange(3, 11, 6, 1);   // the first match
  addChange(3, 11, -1, 1);  // never applies
  EXPECT_EQ(describe(2385),
            "az \xE9les G35 W30" + kShortHeader + "+7 S6 +2% S7 " + kRemark + kDamage + "1d4+1");
}

TEST_F(WorkedExampleTest, EarlyAnswers) {
  struct Row {
    int32_t number;
    std::string expected;
  };
  const Row rows[] = {
      {999, ""},
      {0, ""},
      {-5, ""},
      {29800, ""},
      {INT32_MAX, ""},
      {1464, kChaos},
      {29799, kChaos},  // grade 14 with a prefix, slots 1 and 63
                        // empty
      {1900, ""},       // prefix 2 is empty: type id 0 is not found
      {2364, kChaos},   // prefix 3, grade 14
  };
  for (const Row& row : rows)
    EXPECT_EQ(describe(row.number), row.expected) << row.number;
  // Without a prefix grade 14 is an ordinary item.
  EXPECT_EQ(describe(1449), "? ?" + kLongHeader);
}

TEST_F(WorkedExampleTest, ReturnsTheBufferOfTheLastCall) {
  const char* text = db.describe(2385);
  ASSERT_TRUE(db.descriptionBuffer.has_value());
  EXPECT_EQ(text, db.descriptionBuffer->c_str());
  EXPECT_STREQ(db.describe(999), "");
}

TEST(ArticleTest, ChoosesByTheFirstByte) {
  struct Row {
    std::string name, article;
  };
  const Row rows[] = {
      {"\xE9les", "az "}, {"alma", "az "}, {"\xF5si", "az "}, {"\xFBr", "az "}, {"uj", "az "},
      {"\xC9les", "a "},  {"Alma", "a "},  {"kard", "a "},    {"", "a "},       {"\xC1", "a "},
  };
  for (const Row& row : rows)
    EXPECT_EQ(articleFor(row.name), row.article) << row.name;
}

class TextTest : public DecoderTest {
 protected:
  TextTest() {
    setGroupBase(0, "Kard", 11);
    setStdItem(1, "Nagy ", 11);
    setGroupBase(15, "Pajzs", 3);
    addType(5, {});  // no amount lines
    setPrefix(1, "tomp", 5, {});
    setPrefix(3, "", 5, {});
    setPrefix(4, "\xE9les", 5, {});
  }
};

TEST_F(TextTest, NameLinesAndHeaders) {
  struct Row {
    int32_t number;
    std::string nameLine, header;
  };
  const Row rows[] = {
      {1015, "Pajzs", kShortHeader},          // plain group base: its name alone
      {1016, "? Pajzs", kLongHeader},         // empty grade slot
      {1030, "?", kLongHeader},               // empty group base
      {1031, "? ?", kLongHeader},             // both empty
      {1465, "a tomp PPajzs", kShortHeader},  // with a prefix: the prefixed form
      {1451, "a tomp Nagy PKard", kShortHeader},
      {2365, "a PPajzs", kShortHeader},  // an empty prefix name takes "a "
      {2815, "az \xE9les PPajzs", kShortHeader},
  };
  for (const Row& row : rows) {
    const std::string text = describe(row.number);
    EXPECT_EQ(text.substr(0, text.find('\n')), row.nameLine) << row.number;
    EXPECT_NE(text.find(row.header), std::string::npos) << row.number;
  }
}

TEST_F(TextTest, EmptyPrefixSlotWithTypeZero) {
  addType(0, {});
  EXPECT_EQ(describe(1915), "? PPajzs" + kShortHeader);
}

TEST_F(TextTest, BonusListForms) {
  setSkill(3, "S3");
  setSkill(7, "S7");
  setSkill(8, "S8");
  struct Row {
    int32_t slot;  // 0 = Kard (weapon), 15 = Pajzs
    int32_t skill, sum;
    std::string list;
  };
  const Row rows[] = {
      {15, 3, -3, "-3 S3"},  // non-weapon: no trailing blank at the end
      {15, 3, 4, "+4 S3"},
      {15, 7, 5, "+5% S7"},
      {15, 8, 5, "+5% S8"},
      {15, 9, 1, "+1 ?"},  // empty skill slot
      {0, 7, 5, "+5% S7 " + kRemark + "\n" + kDamageAlone},
      {0, 8, 5, "+5% S8 \n" + kDamageAlone},
  };
  for (const Row& row : rows) {
    addType(6, {row.sum});
    setPrefix(2, "x", 6, {row.skill});
    const std::string text = describe(1900 + row.slot);
    EXPECT_EQ(afterHeader(text), row.list) << row.skill;
    db.types.pop_back();
  }
}

TEST_F(TextTest, DamageLineForms) {
  struct Row {
    int32_t dice, sides, bonus;
    std::string damage;
  };
  const Row rows[] = {
      {2, 6, 3, "2d6+3"}, {0, 6, 0, "d6"},   {2, 0, 0, "2"},
      {2, 6, 0, "2d6"},   {0, 0, -1, "+-1"}, {0, 0, 0, ""},
  };
  for (const Row& row : rows) {
    auto& base = db.stdItems[0];
    base.damageDice = row.dice;
    base.damageSides = row.sides;
    base.damageBonus = row.bonus;
    // An empty bonus list: the damage line follows the header directly, and
    // a label with no figure loses its final blank.
    const std::string label = row.damage.empty() ? "sebz\xE9s :" : "sebz\xE9s : ";
    EXPECT_EQ(describe(1000), "Kard" + kShortHeader + label + row.damage) << row.damage;
  }
  // Other kinds never show damage, whatever the damage slots hold.
  db.stdItems[15].damageBonus = 4;
  EXPECT_EQ(describe(1015), "Pajzs" + kShortHeader);
}

TEST_F(TextTest, NormalisationOfTheWholeText) {
  // Runs of blanks from the data collapse, a blank before a line feed stays,
  // and an empty name line keeps its single line feed at the start.
  db.stdItems[15].name = "  Nagy   Pajzs ";
  EXPECT_EQ(describe(1015), "Nagy Pajzs " + kShortHeader);
  db.stdItems[15].name = "";
  EXPECT_EQ(describe(1015), kShortHeader);
}

// Decision: prefix skill indices address the whole bonus vector (skills,
// then sides, dice, bonus); only a skill of the table is ever doubled.
TEST_F(TextTest, PrefixSkillIndexReachesEverySlotOfTheVector) {
  setSkill(0, "S0", 1);
  struct Row {
    int32_t index;
    std::string tail;
  };
  const Row rows[] = {
      {0, "+6 S0 \n" + kDamageAlone},  // doubled
      {110, kDamageLine + "d3"},
      {111, kDamageLine + "3"},
      {112, kDamageLine + "+3"},
      {113, kDamageAlone},  // beyond the vector: nothing
      {-1, kDamageAlone},
  };
  for (const Row& row : rows) {
    addType(7, {3});
    setPrefix(2, "x", 7, {row.index});
    const std::string text = describe(1900);
    EXPECT_EQ(afterHeader(text), row.tail) << row.index;
    db.types.pop_back();
  }
}

// Decision: change targets -N..N-1 count from the end when negative; -1 is
// the damage bonus; only targets 0..K-1 are doubled.
TEST_F(TextTest, ChangeTargetsWrapAroundTheVector) {
  setSkill(0, "S0", 1);
  struct Row {
    int32_t target;
    std::string tail;
  };
  const Row rows[] = {
      {0, "+12 S0 \n" + kDamageAlone},    // 2 x 3, doubled
      {-113, "+6 S0 \n" + kDamageAlone},  // slot 0, but not skill 0: single
      {-1, kDamageLine + "+6"},           // never doubled
      {-2, kDamageLine + "6"},            // dice
      {-3, kDamageLine + "d6"},           // sides
      {112, kDamageLine + "+6"},          // the same slot as -1, not a skill
      {113, kDamageAlone},                // beyond: nothing
      {-114, kDamageAlone},               // below: nothing
  };
  addType(7, {3});
  setPrefix(2, "x", 7, {0});
  for (const Row& row : rows) {
    addChange(2, 11, row.target, 2);
    const std::string text = describe(1900);
    EXPECT_EQ(afterHeader(text), row.tail) << row.target;
    db.changes.clear();
    db.changeCount = 0;
  }
}

// Decisions: sums wrap around in 32 bits, and every number is written in
// full, the most negative one included.
TEST_F(TextTest, SumsWrapAndNumbersAreWrittenInFull) {
  setSkill(3, "S3");
  struct Row {
    int32_t amount, second;
    std::string tail;
  };
  const Row rows[] = {
      {INT32_MAX, 1, "-2147483648 S3"},
      {INT32_MIN, 0, "-2147483648 S3"},
      {INT32_MIN, -1, "+2147483647 S3"},
      {1234567890, 0, "+1234567890 S3"},
  };
  for (const Row& row : rows) {
    addType(7, {row.amount, row.second});
    setPrefix(2, "x", 7, {3, 3});
    const std::string text = describe(1915);
    EXPECT_EQ(afterHeader(text), row.tail) << row.amount;
    db.types.pop_back();
  }
  // A multiplier that overflows the product: 3 x 0x40000000 wraps to -2^30.
  addType(7, {0x40000000});
  setPrefix(2, "x", 7, {3});
  addChange(2, 3, 3, 3);
  const std::string text = describe(1915);
  EXPECT_EQ(afterHeader(text), "-1073741824 S3");
}

// Decision: a text longer than the historical 1000-byte buffer is returned whole.
TEST_F(TextTest, LongTextsAreNeverCut) {
  const std::string longName(200, 'n');
  for (int32_t i = 0; i < 110; ++i)
    setSkill(i, longName + std::to_string(i));
  addType(7, {1, 1, 1, 1, 1, 1});
  setPrefix(2, "x", 7, {0, 20, 40, 60, 80, 109});
  const std::string text = describe(1915);
  EXPECT_GT(text.size(), 999u);
  EXPECT_EQ(text.substr(text.size() - 206), "+1 " + longName + "109");
}

}  // namespace
}  // namespace tamrix::test
