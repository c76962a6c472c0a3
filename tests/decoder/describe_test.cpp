// The description text, byte for byte, from tables filled in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/item_database.h"
#include "decoder/description_text.h"

namespace tamrix::test {
namespace {

const std::string kShort = "\nA t\xE1rgy t\xE1pjai :\n";
const std::string kLong = "\nA t\xE1rgy t\xE1pjai (az alapt\xE1rgy b\xF3nuszain fel\xFCl) :\n";
const std::string kRemark = "ezzel a fegyverrel!";
const std::string kDamage = "sebz\xE9s :";
const std::string kEnd = " \n" + kDamage;  // a bonus list, then the damage line

// A type whose amount lines give the same at every grade.
TypeEntry type(int32_t id, std::initializer_list<int32_t> amounts) {
  TypeEntry entry{id, 0, {}};
  for (const int32_t a : amounts)
    entry.amounts[static_cast<size_t>(entry.lineCount++)].fill(a);
  return entry;
}

// Group 0 is the weapon "Kard", group 15 "Pajzs" with grade 16; group 30 and
// slot 35 are those of item 2385. Prefixes: 1 "tomp", 3 "éles", 4 with an
// empty name, 6 with a missing type, 2 empty; 5 and type 7 are the tests' own.
struct Tables {
  explicit Tables(const std::vector<ChangeEntry>& records = {}) {
    db.specItemCount = 1000, db.stdItemCount = 450, db.groupSize = 15, db.skillCount = 110;
    db.rndItemCount = 64, db.stdItems.resize(450), db.skills.resize(110), db.rndItems.resize(64);
    db.stdItemPresent.resize(450), db.skillPresent.resize(110), db.rndItemPresent.resize(64);
    db.changes = records, db.changeCount = static_cast<int32_t>(records.size());
    stdItem(0, "Kard", 11), stdItem(16, "Nagy  ", 3), stdItem(30, "N30", 11).prefixedName = "W30";
    stdItem(15, "Pajzs", 3, {0, 0, 4});  // a damage bonus, never shown: no weapon
    stdItem(35, "G35 ", 2, {4, 1, 1, 0, 2, 1});
    prefix(1, "tomp", 0), prefix(3, "\xE9les", 9, {3, 7}), prefix(4, "", 0), prefix(6, "y", 77);
    db.types = {type(9, {4, 2}), type(0, {}), type(7, {})}, db.typeCount = 3;
    for (const size_t s : {0u, 3u, 6u, 7u, 8u})
      db.skills[s] = {std::string("S").append(std::to_string(s)), s == 0 || s == 7},
      db.skillPresent[s] = 1;
  }
  // `n`: damage sides, dice, bonus, skill 8, 7, 6 bonus; prefixed form "P" + name.
  StdItemEntry& stdItem(size_t slot, const std::string& name, int32_t kind,
                        std::array<int32_t, 6> n = {}) {
    db.stdItemPresent[slot] = 1;
    return db.stdItems[slot] = {name, "P" + name, kind, n[0], n[1], n[2], n[3], n[4], n[5]};
  }
  void prefix(size_t slot, const std::string& name, int32_t typeId,
              std::array<int32_t, kTypeMaxLines> skills = {}) {
    db.rndItems[slot] = {name, typeId, skills}, db.rndItemPresent[slot] = 1;
  }

  ItemDatabase db;
};

TEST(DescribeTest, WorkedExampleByteForByte) {
  // The last row: only the first record for the prefix and the base's kind counts.
  const std::tuple<std::vector<ChangeEntry>, std::string, std::string> rows[] = {
      {{}, "+4 S3 +1 S6 +6% S7 ", "1"},
      {{{3, 11, -1, 1}}, "+1 S6 +2% S7 ", "7"},
      {{{3, 11, 7, 3}}, "+1 S6 +38% S7 ", "1"},
      {{{3, 2, -1, 1}, {4, 11, -1, 1}, {3, 11, 6, 1}, {3, 11, -1, 1}}, "+7 S6 +2% S7 ", "1"}};
  for (const auto& [records, list, bonus] : rows) {
    EXPECT_EQ(Tables(records).db.describe(2385),
              "az \xE9les G35 W30" + kShort + list + kRemark + kEnd + " 1d4+" + bonus)
        << list;
  }
}

// No item, a missing type, the chaos item, and name lines with placeholders.
TEST(DescribeTest, EarlyAnswersNameLinesAndHeaders) {
  Tables t;
  for (const int32_t number : {999, 0, -5, INT32_MIN, 29800, INT32_MAX, 3715})
    EXPECT_STREQ(t.db.describe(number), "") << number;
  for (const int32_t number : {1464, 1914, 2364, 3714, 29799})
    EXPECT_STREQ(t.db.describe(number), "K\xE1osz t\xE1rgy!") << number;
  const std::tuple<int32_t, std::string, std::string> rows[] = {
      {1449, "? ?", kLong},      {1466, "a tomp Nagy PPajzs", kShort},
      {1015, "Pajzs", kShort},   {1017, "? Pajzs", kLong},
      {1045, "?", kLong},        {2815, "a PPajzs", kShort},
      {1915, "? PPajzs", kShort}};
  for (const auto& [number, name, header] : rows)
    EXPECT_EQ(t.db.describe(number), name + header) << number;
  t.db.groupSize = 0;  // before the standard items are loaded no number is an item
  EXPECT_STREQ(t.db.describe(1000), "");
}

TEST(ArticleTest, LowerCaseVowelsTakeAz) {
  for (const char* name : {"\xE9les", "alma", "\xF5si", "\xFBr"})
    EXPECT_EQ(articleFor(name), "az ") << name;
  for (const char* name : {"\xC9les", "Alma", "kard", ""})
    EXPECT_EQ(articleFor(name), "a ") << name;
}

// Prefix 5 on `slot` gives `first` and `second` to skill index `skill` or, with
// a change `multiplier`, to target `skill`: slots of skills (0 and 7 doubled),
// damage sides, dice and bonus. Sums wrap around and are written in full.
TEST(DescribeTest, BonusListSlotsAndSums) {
  struct Row {
    size_t slot;
    int32_t skill, first, second, multiplier;
    std::string tail;
  };
  const Row rows[] = {
      {15, 3, -3, 0, 0, "-3 S3"},        {15, 7, 5, 0, 0, "+10% S7"},
      {15, 9, 1, 0, 0, "+1 ?"},          {15, 3, INT32_MAX, 1, 3, "-2147483648 S3"},
      {0, 8, 5, 0, 0, "+5% S8" + kEnd},  {0, 7, 5, 0, 0, "+10% S7 " + kRemark + kEnd},
      {0, 0, 3, 0, 0, "+6 S0" + kEnd},   {0, 110, 3, 0, 0, kDamage + " d3"},
      {0, 111, 2, 0, 0, kDamage + " 2"}, {0, 112, -1, 0, 0, kDamage + " +-1"},
      {0, 113, 3, 0, 0, kDamage},        {0, -1, 3, 0, 0, kDamage},
      {0, 0, 3, 0, 2, "+12 S0" + kEnd},  {0, -113, 3, 0, 2, "+6 S0" + kEnd},
      {0, -1, 3, 0, 2, kDamage + " +6"}, {0, -2, 3, 0, 2, kDamage + " 6"},
      {0, 113, 3, 0, 2, kDamage},        {0, -114, 3, 0, 2, kDamage}};
  for (const Row& row : rows) {
    // Without a multiplier the record is another prefix's and must not apply.
    Tables t({{row.multiplier != 0 ? 5 : 6, row.slot == 0 ? 11 : 3, row.skill, row.multiplier}});
    t.db.types[2] = type(7, {row.first, row.second});
    t.prefix(5, "x", 7, {row.skill, row.skill});
    EXPECT_EQ(t.db.describe(3250 + static_cast<int32_t>(row.slot)),
              "a x P" + t.db.stdItems[row.slot].name + kShort + row.tail)
        << row.tail;
  }
}

TEST(DescribeTest, LongTextsAreNeverCut) {
  Tables t;
  for (size_t i = 0; i < 110; ++i)
    t.db.skills[i] = {std::string(200, 'n') + std::to_string(i), 0}, t.db.skillPresent[i] = 1;
  t.db.types[2] = type(7, {1, 1, 1, 1, 1, 1});
  t.prefix(5, "x", 7, {0, 20, 40, 60, 80, 109});
  const std::string text = t.db.describe(3265);
  EXPECT_EQ(text.substr(text.size() - 206), "+1 " + std::string(200, 'n') + "109");
}

}  // namespace
}  // namespace tamrix::test
