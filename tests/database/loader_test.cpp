// Each loader on file texts written here: the records it stores and the
// error text of the line it rejects.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "database/item_database.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

using Loader = bool (ItemDatabase::*)(const std::string&);

// A file text for one loader: the records it stores, and the error text after
// "f : " when it rejects a line (kLoads when it succeeds).
template <class Record>
struct Row {
  std::string data;
  std::vector<Record> records;
  std::optional<std::string> error;
};
constexpr std::nullopt_t kLoads = std::nullopt;

// Runs `loader` on the file "f" holding each row's data after its header,
// with the capacities in place that earlier loaders set: empty standard items
// (unless those are the ones loaded) and, for random items, types 5 (two
// amount lines), 9 and 0 (one each). `records` takes the records from the
// tables.
template <class Record, class Records>
void expectRows(Loader loader, const std::vector<Row<Record>>& rows, Records records) {
  for (const Row<Record>& row : rows) {
    ItemDatabase db(memoryFiles({{"t", "-start-\n5\n2\n1\n2\n9\n0\n1\n0\n1\n1\n"},
                                 {"s", "-start-\n"},
                                 {"f", "-start-\n" + row.data}}));
    ASSERT_TRUE(db.loadSpecItems("") &&
                (loader == &ItemDatabase::loadStdItems || db.loadStdItems("s")) &&
                (loader != &ItemDatabase::loadRndItems || db.loadTypes("t")));
    std::optional<std::string> error;
    if (!(db.*loader)("f"))
      error = db.lastError().value_or("no error text").substr(4);
    EXPECT_EQ(records(db), row.records) << row.data;
    EXPECT_EQ(error, row.error) << row.data;
  }
}

// Slot, name and doubling flag.
using Skill = std::tuple<std::size_t, std::string, int32_t>;

TEST(LoaderTest, Skills) {
  const std::vector<Row<Skill>> rows = {
      {"0 1 \"Er\xF5\"\n  3  0   \"a    b\" ", {{0, "Er\xF5", 1}, {3, "a b", 0}}, kLoads},
      {"109 2 \"a\"b\"\n7 -1 x \"n\" c\n8abc 0 \"\"",
       {{7, "n", -1}, {8, "", 0}, {109, "a\"b", 2}},
       kLoads},
      {"1 1 \"a\"\nx 1 \"a\"\n2 1 \"b\"", {{1, "a", 1}}, "x 1 \"a\""},
      {"5", {}, "5"},
      {"5 \"a\"", {}, "5 \"a\""},  // the flag is no number
      {"5\" 1 a", {}, "5\" 1 a"},  // no quote after the blank
      {"5 1 a \"b c", {}, "5 1 a "},
      {"110 1 \"a\"", {}, "110 1 \"a\""},
      {"-1 1 \"a\"", {}, "-1 1 \"a\""},
  };
  expectRows(&ItemDatabase::loadSkills, rows, [](const ItemDatabase& db) {
    std::vector<Skill> skills;
    for (std::size_t slot = 0; slot < db.skills().size(); ++slot)
      if (const auto& skill = db.skills()[slot])
        skills.emplace_back(slot, skill->name, skill->doublingFlag);
    return skills;
  });
}

// Slot, name, prefixed name, kind, and the numbers: damage sides, dice and
// bonus, skill 8, 7 and 6 bonus.
using StdItem = std::tuple<std::size_t, std::optional<std::string>, std::optional<std::string>,
                           int32_t, std::array<int32_t, 6>>;

TEST(LoaderTest, StandardItems) {
  // The slots a line has touched.
  const std::vector<Row<StdItem>> rows = {
      {"1000 11 1 2 3 4 5 \"K\" \"Kj\"", {{0, "K", "Kj", 11, {1, 2, 3, 0, 4, 5}}}, kLoads},
      // Kind 13 reads skill 6 before skill 7; kinds 1, 4, 5, 9, 10 skill 8 and 6.
      {"1001 13 1 2 3 \"a\"\n1002 1 1 2 \"a\" \"b\"",
       {{1, "a", {}, 13, {0, 0, 0, 1, 3, 2}}, {2, "a", {}, 1, {0, 0, 0, 1, 0, 2}}},
       kLoads},
      // Kinds without numbers; a number that is no number stores 0.
      {"1003 2 7 8 \"a  b\"\n1004 007 \"\"\n1005 1 x -3y \"a\"",
       {{3, "a b", {}, 2, {}}, {4, "", {}, 7, {}}, {5, "a", {}, 1, {0, 0, 0, 0, 0, -3}}},
       kLoads},
      {"1435 3 \"a\" \"b\" \"c\"\n1449 3 \"z\"",
       {{435, "a", "b", 3, {}}, {449, "z", {}, 3, {}}},
       kLoads},
      // A kind outside 1 to 13 leaves only itself.
      {"1015 14 \"a\"\n1016 0 \"b\"", {{15, {}, {}, 14, {}}}, kLoads},
      {"1001 5 1 2 \"a\"\n1001 x", {{1, "a", {}, 0, {0, 0, 0, 1, 0, 2}}}, "1001 x"},
      {"x 1 \"a\"", {}, "x 1 \"a\""},
      {"1001", {}, "1001"},
      {"1001 11 1 2 \"a\"", {{1, {}, {}, 11, {1, 2}}}, "1001 11 1 2 \"a\""},  // too few numbers
      {"1001 2 \"a", {{1, {}, {}, 2, {}}}, "1001 2 \"a"},
      {"1015 2 \"a\"", {{15, "a", {}, 2, {}}}, "1015 2 \"a\""},  // a group base needs two names
      {"1450 2 \"a\"", {}, "1450 2 \"a\""},
      {"-2147483648 2 \"a\"", {}, "-2147483648 2 \"a\""},
  };
  expectRows(&ItemDatabase::loadStdItems, rows, [](const ItemDatabase& db) {
    std::vector<StdItem> items;
    for (std::size_t slot = 0; slot < db.stdItems().size(); ++slot) {
      const StdItemEntry& e = db.stdItems()[slot];
      if (e.name || e.kind != 0)
        items.emplace_back(slot, e.name, e.prefixedName, e.kind,
                           std::array{e.damageSides, e.damageDice, e.damageBonus, e.defenceBonus,
                                      e.hitChanceBonus, e.durabilityBonus});
    }
    return items;
  });
}

// Id, line count, and each amount line up to its last non-zero amount.
using Type = std::tuple<int32_t, int32_t, std::vector<std::vector<int32_t>>>;

TEST(LoaderTest, Types) {
  std::vector<Row<Type>> rows = {
      // Fifteen amounts at most; empty lines are skipped inside a record too; a
      // word reads as 0, and a count below 1 still takes one amount line.
      {"7\n2\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n\n  4   5\n3\n-1\n\v+6 x 7\n",
       {{7, 2, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {4, 5}}},
        {3, -1, {{6, 0, 7}}}},
       kLoads},
      {"x\n1abc\n9\n2\n2\n6", {{0, 1, {{9}}}}, kLoads},  // a record cut off in its amounts goes
      {"1\n1\n5\n2", {{1, 1, {{5}}}}, ""},  // the file ends after an id: no line was read
      {"1\n6\n1\n2\n3\n4\n5\n6\n1\n7 x\n5", {{1, 6, {{1}, {2}, {3}, {4}, {5}, {6}}}}, "7 x"},
  };
  // Forty records of one to three lines, one with a count below 1: each
  // keeps its own amounts however far into the file it lies.
  Row<Type> many{"", {}, kLoads};
  for (int32_t id = 1; id <= 40; ++id) {
    const int32_t count = id == 30 ? -4 : 1 + id % 3;
    many.data += std::to_string(id) + "\n" + std::to_string(count) + "\n";
    std::vector<std::vector<int32_t>> lines;
    for (int32_t i = 1; i <= std::max(count, 1); ++i) {
      lines.push_back({id, i});
      many.data += std::to_string(id) + " " + std::to_string(i) + "\n";
    }
    many.records.emplace_back(id, count, lines);
  }
  rows.push_back(many);
  expectRows(&ItemDatabase::loadTypes, rows, [](const ItemDatabase& db) {
    std::vector<Type> types;
    for (const TypeEntry& t : db.types()) {
      std::vector<std::vector<int32_t>> lines;
      for (int32_t i = 0; i < std::max(t.lineCount, 1); ++i) {
        const std::span<const int32_t> given = db.amountLine(t, i).given;
        if (!given.empty())
          lines.emplace_back(given.begin(), given.end());
      }
      types.emplace_back(t.id, t.lineCount, lines);
    }
    return types;
  });
}

// A type record keeps each amount line only up to its last amount that is
// not 0: every grade past it, an amount line the record does not have and a
// grade outside the table read 0, and each line keeps its place in the file.
TEST(LoaderTest, TypeAmountsNotGivenReadZero) {
  ItemDatabase db(memoryFiles({{"t",
                                "-start-\n4\n3\n0 7 0\n\n0\n-2 0 0 0 0 0 0 0 0 0 0 0 0 0 5 9\n"
                                "8\n0\n3\n"}}));
  ASSERT_TRUE(db.loadTypes("t"));
  ASSERT_EQ(db.typeCount(), 2);
  // Type id, amount line, its line in the file, and the amounts not 0 by grade;
  // a count of 0 still reads one line.
  const std::tuple<int32_t, int32_t, int32_t, std::map<int32_t, int32_t>> rows[] = {
      {4, 0, 4, {{1, 7}}},
      {4, 1, 6, {}},
      {4, 2, 7, {{0, -2}, {14, 5}}},  // a sixteenth amount is past the table
      {4, 3, 0, {}},                  // the record has three lines
      {4, -1, 0, {}},
      {8, 0, 10, {{0, 3}}},
  };
  for (const auto& [id, i, line, given] : rows) {
    const TypeAmountLine amounts = db.amountLine(*db.findType(id), i);
    std::map<int32_t, int32_t> got;
    for (int32_t grade = -1; grade <= kTypeGrades; ++grade)
      if (amounts.amount(grade) != 0)
        got[grade] = amounts.amount(grade);
    EXPECT_EQ(std::pair(amounts.line, got), std::pair(line, given)) << id << " " << i;
  }
}

// Slot, name, type id, and the skill indices up to the last non-zero one.
using Prefix = std::tuple<std::size_t, std::string, int32_t, std::vector<int32_t>>;

TEST(LoaderTest, RandomItems) {
  const std::vector<Row<Prefix>> rows = {
      // The marker is not read; the name runs between the first and the last quote;
      // a slot filled again keeps what the new entry does not give.
      {"#1450\n\"\xC9les\"\n5\n3\n\n7\n11899\n x\"A\" \n5\n0\n12 w",
       {{1, "A", 5, {0, 12}}},
       kLoads},
      {"#1000\n\"a\"b\"c\"\n5\n007\n-1\n#551\n\"\"\n9\n4", {{0, "", 9, {4, -1}}}, kLoads},
      {"#29350\n\"y\"\n9\n8\n#29799\n\"z\"", {{63, "z", 9, {8}}}, kLoads},
      {"#1450\n\"a\"\n5\n1\n2\n#1900\n\"b\"\n77", {{1, "a", 5, {1, 2}}, {2, "b", 77, {}}}, "77"},
      {"#1450\nno quote", {}, "no quote"},
      {"#1450\nab\"cd", {}, "ab"},
      {"#1450\n\"a\"\nx5", {{1, "a", 0, {}}}, "x5"},
      {"#1450\n\"a\"\n5\n1\n-0", {{1, "a", 5, {1}}}, "-0"},
      {"#29800\n\"a\"", {}, "#29800"},
  };
  expectRows(&ItemDatabase::loadRndItems, rows, [](const ItemDatabase& db) {
    std::vector<Prefix> prefixes;
    for (std::size_t slot = 0; slot < db.rndItems().size(); ++slot) {
      if (const auto& p = db.rndItems()[slot]) {
        std::vector<int32_t> skills(p->skillIndex.begin(), p->skillIndex.end());
        while (!skills.empty() && skills.back() == 0)
          skills.pop_back();
        prefixes.emplace_back(slot, p->name, p->typeId, skills);
      }
    }
    return prefixes;
  });
}

TEST(LoaderTest, Changes) {
  using Change = std::array<int32_t, 4>;  // prefix index, item kind, target, multiplier
  const std::vector<Row<Change>> rows = {
      {"1450 5 -1 2\n 1899  5 -1  2 x", {{1, 5, -1, 2}, {1, 5, -1, 2}}, kLoads},
      {"0 0 0 0\n551 1 2 3 4\n12abc 3x 4 5", {{-2, 0, 0, 0}, {0, 1, 2, 3}, {-2, 3, 4, 5}}, kLoads},
      {"29800 1 1 1\n-2147483648 1 1 1", {{64, 1, 1, 1}, {-4772188, 1, 1, 1}}, kLoads},
      // Saturated, whatever the digit count.
      {"2147483648 -18446744073709551621 -00000000000000000000001 +7",
       {{4772183, INT32_MIN, -1, 7}},
       kLoads},
      {"1450 5 -1 2\nx 1 2 3", {{1, 5, -1, 2}}, "x 1 2 3"},
      {"1450 x 5 2", {}, "x 5 2"},  // the line from the rejected token on
      {"1450 x", {}, "x"},
      {"1450 \t0 1 1", {}, "\t0 1 1"},           // a 0 must be the field's first byte
      {"1450\t5\t-1\t2", {}, "1450\t5\t-1\t2"},  // too few tokens
  };
  expectRows(&ItemDatabase::loadChanges, rows, [](const ItemDatabase& db) {
    std::vector<Change> changes;
    for (const ChangeEntry& c : db.changes())
      changes.push_back({c.prefixIndex, c.itemKind, c.skillIndex, c.multiplier});
    return changes;
  });
}

}  // namespace
}  // namespace tamrix::test
