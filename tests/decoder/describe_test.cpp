// The description text, byte for byte, from tables filled in memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "decoder/decoder_fixture.h"
#include "decoder/description_text.h"

namespace tamrix::test {
namespace {

const std::string kShort = "\nA t\xE1rgy t\xE1pjai :\n";
const std::string kLong = "\nA t\xE1rgy t\xE1pjai (az alapt\xE1rgy b\xF3nuszain fel\xFCl) :\n";
const std::string kRemark = "ezzel a fegyverrel! ";
const std::string kDamage = "sebz\xE9s : ";  // right after the header or "\n"
const std::string kNoDamage = "sebz\xE9s :";
const std::string kChaos = "K\xE1osz t\xE1rgy!";

// Everything after the short header: the bonus list and the damage line.
std::string afterHeader(const std::string& text) {
  const size_t at = text.find(kShort);
  return at == std::string::npos ? "(no short header) " + text : text.substr(at + kShort.size());
}

// Item 2385: prefix 3 "éles" on slot 35 "G35 " of the weapon group 30.
class WorkedExampleTest : public DecoderTest {
 protected:
  WorkedExampleTest() {
    setStdItem(30, "N30", 11).prefixedName = "W30";
    StdItemEntry& item = setStdItem(35, "G35 ", 2);
    item.damageSides = 4, item.damageDice = 1, item.damageBonus = 1;
    item.skill7Bonus = 2, item.skill6Bonus = 1;
    setPrefix(3, "\xE9les", 9, {3, 7});
    setType(9, {4, 2});
    setSkill(3, "S3"), setSkill(6, "S6"), setSkill(7, "S7", 1);
  }
};

TEST_F(WorkedExampleTest, ByteForByte) {
  struct Row {
    std::vector<ChangeEntry> changes;
    std::string list, damage;
  };
  const Row rows[] = {
      {{}, "+4 S3 +1 S6 +6% S7 ", "1d4+1"},
      {{{3, 11, -1, 1}}, "+1 S6 +2% S7 ", "1d4+7"},
      {{{3, 11, 7, 3}}, "+1 S6 +38% S7 ", "1d4+1"},  // 3x4x2 + 3x2x2 + 2
      // Only the first record for the prefix and the group base's kind.
      {{{3, 2, -1, 1}, {4, 11, -1, 1}, {3, 11, 6, 1}, {3, 11, -1, 1}}, "+7 S6 +2% S7 ", "1d4+1"}};
  for (const Row& row : rows) {
    db.changes = row.changes;
    db.changeCount = static_cast<int32_t>(row.changes.size());
    EXPECT_EQ(describe(2385),
              "az \xE9les G35 W30" + kShort + row.list + kRemark + "\n" + kDamage + row.damage)
        << row.list;
  }
}

TEST_F(WorkedExampleTest, EarlyAnswers) {
  // No item, and an empty prefix slot (2), whose type id 0 names no type.
  for (const int32_t number : {999, 0, -5, INT32_MIN, 29800, INT32_MAX, 1900}) {
    EXPECT_EQ(describe(number), "") << number;
  }
  // Grade 14 with a prefix, present (2364) or not (1464, 29799).
  for (const int32_t number : {1464, 2364, 29799})
    EXPECT_EQ(describe(number), kChaos) << number;
  // Without a prefix, grade 14 is an ordinary item.
  EXPECT_EQ(describe(1449), "? ?" + kLong);
  // Before the standard items are loaded no number is an item.
  db.groupSize = 0;
  EXPECT_EQ(describe(1000), "");
}

TEST(ArticleTest, LowerCaseVowelsTakeAz) {
  const std::pair<std::string, std::string> rows[] = {
      {"\xE9les", "az "}, {"alma", "az "}, {"\xF5si", "az "}, {"\xFBr", "az "},
      {"\xC9les", "a "},  {"Alma", "a "},  {"kard", "a "},    {"", "a "}};
  for (const auto& [name, article] : rows)
    EXPECT_EQ(articleFor(name), article) << name;
}

// Slot 0 "Kard" (a weapon) with grade 1 "Nagy ", slot 15 "Pajzs"; prefix 5
// "x" for the bonus tests.
class TextTest : public DecoderTest {
 protected:
  TextTest() {
    setStdItem(0, "Kard", 11), setStdItem(1, "Nagy ", 11), setStdItem(15, "Pajzs", 3);
    setType(5, {}), setType(0, {});
    setPrefix(1, "tomp", 5, {}), setPrefix(3, "", 5, {}), setPrefix(4, "\xE9les", 5, {});
    setSkill(0, "S0", 1), setSkill(3, "S3"), setSkill(7, "S7"), setSkill(8, "S8");
  }
  // The text after the header for prefix 5 on `slot`, one amount line per
  // (amount, skill index) pair.
  std::string bonusText(int32_t slot, std::initializer_list<int32_t> amounts,
                        std::initializer_list<int32_t> skills) {
    setType(7, amounts);
    setPrefix(5, "x", 7, skills);
    return afterHeader(describe(3250 + slot));
  }
};

TEST_F(TextTest, NameLinesAndHeaders) {
  const std::tuple<int32_t, std::string, std::string> rows[] = {
      {1015, "Pajzs", kShort},  // no prefix, grade 0: the base's name alone
      {1016, "? Pajzs", kLong},
      {1030, "?", kLong},
      {1031, "? ?", kLong},
      {1465, "a tomp PPajzs", kShort},
      {1451, "a tomp Nagy PKard", kShort},
      {2365, "a PPajzs", kShort},  // an empty prefix name takes "a "
      {2815, "az \xE9les PPajzs", kShort},
      {3715, "? PPajzs", kShort},  // empty prefix slot 6, type 0 found
  };
  for (const auto& [number, nameLine, header] : rows) {
    EXPECT_EQ(describe(number).substr(0, nameLine.size() + header.size()), nameLine + header)
        << number;
  }
}

TEST_F(TextTest, BonusListForms) {
  const std::tuple<int32_t, int32_t, int32_t, std::string> rows[] = {
      {15, 3, -3, "-3 S3"},  // a non-weapon loses its final blank
      {15, 3, 4, "+4 S3"},
      {15, 7, 5, "+5% S7"},
      {15, 8, 5, "+5% S8"},
      {15, 9, 1, "+1 ?"},  // empty skill slot
      {0, 7, 5, "+5% S7 " + kRemark + "\n" + kNoDamage},
      {0, 8, 5, "+5% S8 \n" + kNoDamage}};
  for (const auto& [slot, skill, sum, list] : rows) {
    EXPECT_EQ(bonusText(slot, {sum}, {skill}), list) << skill << " " << sum;
  }
}

TEST_F(TextTest, DamageLineForms) {
  const std::tuple<int32_t, int32_t, int32_t, std::string> rows[] = {
      {2, 6, 3, kDamage + "2d6+3"}, {0, 6, 0, kDamage + "d6"},   {2, 0, 0, kDamage + "2"},
      {2, 6, 0, kDamage + "2d6"},   {0, 0, -1, kDamage + "+-1"}, {0, 0, 0, kNoDamage}};
  for (const auto& [dice, sides, bonus, line] : rows) {
    StdItemEntry& base = db.stdItems[0];
    base.damageDice = dice, base.damageSides = sides, base.damageBonus = bonus;
    EXPECT_EQ(describe(1000), "Kard" + kShort + line) << line;
  }
  db.stdItems[15].damageBonus = 4;  // other kinds never show damage
  EXPECT_EQ(describe(1015), "Pajzs" + kShort);
}

TEST_F(TextTest, NormalisesTheWholeText) {
  db.stdItems[15].name = "  Nagy   Pajzs ";  // a blank before a line feed stays
  EXPECT_EQ(describe(1015), "Nagy Pajzs " + kShort);
  db.stdItems[15].name = "";
  EXPECT_EQ(describe(1015), kShort);
}

// Prefix skill indices address the whole vector: skills, then sides, dice,
// bonus. Change targets -1 and -N..-2 count from its end. Only skills are
// doubled (skill 0 here), and nothing outside the vector is touched.
TEST_F(TextTest, SlotsOfPrefixIndicesAndChangeTargets) {
  const std::tuple<bool, int32_t, std::string> rows[] = {{false, 0, "+6 S0 \n" + kNoDamage},
                                                         {false, 110, kDamage + "d3"},
                                                         {false, 111, kDamage + "3"},
                                                         {false, 112, kDamage + "+3"},
                                                         {false, 113, kNoDamage},
                                                         {false, -1, kNoDamage},
                                                         {true, 0, "+12 S0 \n" + kNoDamage},
                                                         {true, -113, "+6 S0 \n" + kNoDamage},
                                                         {true, -1, kDamage + "+6"},
                                                         {true, -2, kDamage + "6"},
                                                         {true, -3, kDamage + "d6"},
                                                         {true, 112, kDamage + "+6"},
                                                         {true, 113, kNoDamage},
                                                         {true, -114, kNoDamage}};
  for (const auto& [viaChange, index, tail] : rows) {
    if (viaChange)
      setChanges({{5, 11, index, 2}});
    EXPECT_EQ(bonusText(0, {3}, {viaChange ? 0 : index}), tail) << viaChange << " " << index;
    setChanges({});
  }
}

// Sums and products wrap around in 32 bits; every number is written in full.
TEST_F(TextTest, SumsWrapAndNumbersAreWrittenInFull) {
  const std::tuple<int32_t, int32_t, int32_t, std::string> rows[] = {
      {INT32_MAX, 1, 0, "-2147483648 S3"},
      {INT32_MIN, -1, 0, "+2147483647 S3"},
      {1234567890, 0, 0, "+1234567890 S3"},
      {0x40000000, 0, 3, "-1073741824 S3"},  // multiplier 3
  };
  for (const auto& [first, second, multiplier, list] : rows) {
    if (multiplier != 0)
      setChanges({{5, 3, 3, multiplier}});
    EXPECT_EQ(bonusText(15, {first, second}, {3, 3}), list) << first;
  }
}

TEST_F(TextTest, LongTextsAreNeverCut) {
  const std::string name(200, 'n');
  for (size_t i = 0; i < 110; ++i)
    setSkill(i, name + std::to_string(i));
  const std::string text = bonusText(15, {1, 1, 1, 1, 1, 1}, {0, 20, 40, 60, 80, 109});
  EXPECT_GT(text.size(), 1000u);
  EXPECT_EQ(text.substr(text.size() - 206), "+1 " + name + "109");
}

}  // namespace
}  // namespace tamrix::test
