// The description text, byte for byte, from data sets written in the tests.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "database/item_database.h"
#include "decoder/describe.h"
#include "decoder/item_record.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

const std::string kShort = "\nA t\xE1rgy t\xE1pjai :\n";
const std::string kLong = "\nA t\xE1rgy t\xE1pjai (az alapt\xE1rgy b\xF3nuszain fel\xFCl) :\n";
const std::string kRemark = "ezzel a fegyverrel!";
const std::string kDamage = "sebz\xE9s :";
const std::string kEnd = " \n" + kDamage;  // a bonus list, then the damage line

// An amount line that gives `amount` at every grade.
std::string amountLine(int32_t amount) {
  std::string line;
  for (int grade = 0; grade < 15; ++grade)
    line += std::to_string(amount) + " ";
  return line + "\n";
}

// Skills 0 and 7 are doubled. Group 0 is the weapon "Kard"; group 15 the
// shield "Pajzs", whose grade 16 is "Nagy " and which carries a damage bonus
// it never shows; group 30 and slot 35 are those of item 2385 (slots 15 and
// 35 keep the numbers of a weapon line that a later line overwrote).
// Prefixes: 1 "tomp", 3 "éles" on type 9, 4 with an empty name, 2 empty;
// prefix 5 gives type 7's `amounts` to `skills`. `changes` are the change
// file's lines.
std::unique_ptr<ItemDatabase> tables(const std::string& changes = "",
                                     std::vector<int32_t> amounts = {},
                                     std::vector<int32_t> skills = {}) {
  DataSetText text;
  text.skills = "0 1 \"S0\"\n3 0 \"S3\"\n6 0 \"S6\"\n7 1 \"S7\"\n8 0 \"S8\"\n";
  text.stdItems =
      "1000 11 0 0 0 0 0 \"Kard\" \"PKard\"\n"
      "1015 11 0 0 4 0 0 \"x\" \"x\"\n1015 3 \"Pajzs\" \"PPajzs\"\n1016 3 \"Nagy \"\n"
      "1030 11 0 0 0 0 0 \"N30\" \"W30\"\n1035 11 4 1 1 2 1 \"x\"\n1035 2 \"G35 \"\n";
  text.types = "9\n2\n" + amountLine(4) + amountLine(2) + "0\n0\n0\n1\n0\n0\n7\n" +
               std::to_string(amounts.size()) + "\n";
  for (const int32_t amount : amounts)
    text.types += amountLine(amount);
  if (amounts.empty())
    text.types += "0\n";
  text.rndItems = "#1450\n\"tomp\"\n1\n0\n#2350\n\"\xE9les\"\n9\n3\n7\n#2800\n\"\"\n1\n0\n";
  text.rndItems += "#3250\n\"x\"\n7\n";
  for (const int32_t skill : skills)
    text.rndItems += std::to_string(skill) + "\n";
  text.changes = changes;
  auto db = loadDataSet(text);
  EXPECT_EQ(db->lastError(), std::nullopt);
  return db;
}

TEST(DescribeTest, WorkedExampleByteForByte) {
  // The last row: only the first record for the prefix and the base's kind counts.
  const std::pair<std::string, std::string> rows[] = {
      {"", "+4 S3 +1 S6 +6% S7 "},
      {"2350 2 -1 1\n2800 11 -1 1\n2350 11 6 1\n2350 11 -1 1", "+7 S6 +2% S7 "}};
  for (const auto& [changes, list] : rows) {
    EXPECT_EQ(describeItem(*tables(changes), 2385),
              "az \xE9les G35 W30" + kShort + list + kRemark + kEnd + " 1d4+1")
        << changes;
  }
}

// No item, the chaos item, and name lines with placeholders.
TEST(DescribeTest, EarlyAnswersNameLinesAndHeaders) {
  const auto db = tables();
  for (const int32_t number : {999, 0, -5, INT32_MIN, 29800, INT32_MAX})
    EXPECT_EQ(describeItem(*db, number), "") << number;
  for (const int32_t number : {1464, 1914, 2364, 3714, 29799})
    EXPECT_EQ(describeItem(*db, number), "K\xE1osz t\xE1rgy!") << number;
  const std::tuple<int32_t, std::string, std::string> rows[] = {
      {1449, "? ?", kLong},      {1466, "a tomp Nagy PPajzs", kShort},
      {1015, "Pajzs", kShort},   {1017, "? Pajzs", kLong},
      {1045, "?", kLong},        {2815, "a PPajzs", kShort},  // an empty prefix name
      {1915, "? PPajzs", kShort}};                            // an empty prefix slot: type 0
  for (const auto& [number, name, header] : rows)
    EXPECT_EQ(describeItem(*db, number), name + header) << number;
}

TEST(DescribeTest, AnEmptyPrefixSlotWithoutATypeZeroGivesTheEmptyText) {
  DataSetText text;
  text.stdItems = "1000 3 \"a\" \"b\"\n";
  const auto db = loadDataSet(text);
  EXPECT_EQ(db->lastError(), std::nullopt);
  EXPECT_EQ(describeItem(*db, 1450), "");
}

// Prefix 5 on `slot` gives `first` and `second` to skill index `skill` or, with
// a change `multiplier`, to target `skill`: slots of skills (0 and 7 doubled),
// damage sides, dice and bonus. Sums wrap around and are written in full.
TEST(DescribeTest, BonusListSlotsAndSums) {
  struct Row {
    int32_t slot, skill, first, second, multiplier;
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
    const std::string change = std::to_string(row.multiplier != 0 ? 3250 : 3700) + " " +
                               (row.slot == 0 ? "11 " : "3 ") + std::to_string(row.skill) + " " +
                               std::to_string(row.multiplier);
    const auto db = tables(change, {row.first, row.second}, {row.skill, row.skill});
    const std::string base = row.slot == 0 ? "PKard" : "PPajzs";
    EXPECT_EQ(describeItem(*db, 3250 + row.slot), "a x " + base + kShort + row.tail) << row.tail;
  }
}

TEST(DescribeTest, LongTextsAreNeverCut) {
  DataSetText text;
  for (int i = 0; i < 110; ++i)
    text.skills += std::to_string(i) + " 0 \"" + std::string(200, 'n') + std::to_string(i) + "\"\n";
  text.stdItems = "1000 3 \"a\" \"b\"\n";
  text.types = "7\n6\n" + amountLine(1) + amountLine(1) + amountLine(1) + amountLine(1) +
               amountLine(1) + amountLine(1);
  text.rndItems = "#1450\n\"x\"\n7\n0\n20\n40\n60\n80\n109\n";
  const auto db = loadDataSet(text);
  const std::string description = describeItem(*db, 1450);
  EXPECT_EQ(description.substr(description.size() - 206), "+1 " + std::string(200, 'n') + "109");
}

// The record holds the description and, line by line in its order, the
// bonuses and the damage that it shows.
TEST(DescribeTest, RecordPartsAreThoseTheDescriptionShows) {
  const auto db = tables("", {1}, {9});
  const ItemRecord sword = itemRecord(*db, 2385);
  EXPECT_EQ(std::tie(sword.kind, sword.grade, sword.groupBase, sword.chaos),
            std::make_tuple(11, 5, 30, false));
  EXPECT_EQ(sword.prefix->index, 3);
  EXPECT_EQ(sword.prefix->name, "\xE9les");
  const std::vector<std::tuple<int32_t, std::string, int32_t, std::string>> bonuses = {
      {3, "S3", 4, "+4 S3"}, {6, "S6", 1, "+1 S6"}, {7, "S7", 6, "+6% S7 " + kRemark}};
  ASSERT_EQ(sword.bonuses.size(), bonuses.size());
  for (std::size_t i = 0; i < bonuses.size(); ++i) {
    const BonusRecord& b = sword.bonuses[i];
    EXPECT_EQ(std::make_tuple(b.skill, b.name.value_or("-"), b.value, b.text), bonuses[i]);
  }
  EXPECT_EQ(sword.damage->figure, (DamageFigure{1, 4, 1}));
  EXPECT_EQ(sword.damage->text, "1d4+1");

  // A shield's damage sums are no damage line; the chaos item lists nothing;
  // slots the tables lack have no name.
  EXPECT_FALSE(itemRecord(*db, 1466).damage);
  const ItemRecord chaos = itemRecord(*db, 1464);
  EXPECT_TRUE(chaos.item && chaos.chaos && chaos.bonuses.empty() && !chaos.damage);
  EXPECT_EQ(itemRecord(*db, 1915).prefix->name, std::nullopt);
  EXPECT_EQ(itemRecord(*db, 3265).bonuses.at(0).name, std::nullopt);
  EXPECT_FALSE(itemRecord(*db, 999).item);

  // Over every number: each bonus's text where the description lists it.
  for (int32_t number = 990; number < 30000; ++number) {
    const ItemRecord record = itemRecord(*db, number);
    ASSERT_EQ(record.item, !record.text.empty()) << number;
    std::size_t at = record.text.find(" :\n");  // the end of either header
    for (const BonusRecord& bonus : record.bonuses) {
      at = record.text.find(bonus.text, at);
      ASSERT_NE(at, std::string::npos) << number << " " << bonus.text;
    }
    if (record.damage) {
      ASSERT_TRUE(record.text.ends_with(kDamage + " " + record.damage->text) ||
                  record.text.ends_with(kDamage));
    }
  }
}

}  // namespace
}  // namespace tamrix::test
