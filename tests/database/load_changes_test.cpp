#include <gtest/gtest.h>

#include <vector>

#include "database_fixture.h"

namespace tamrix::test {
namespace {

using ChangesTest = LoaderTest;

std::vector<std::vector<int32_t>> records(const ItemDatabase& db) {
  std::vector<std::vector<int32_t>> out;
  for (const ChangeEntry& c : db.changes)
    out.push_back({c.prefixIndex, c.itemKind, c.skillIndex, c.multiplier});
  return out;
}

TEST_F(ChangesTest, LinesBecomeRecords) {
  struct Row {
    const char* data;
    std::vector<std::vector<int32_t>> records;
  };
  const Row rows[] = {
      {"", {}},
      {"1450 5 -1 2\n 1899  5 -1  2 ", {{1, 5, -1, 2}, {1, 5, -1, 2}}},
      {"0 0 0 0\n551 1 2 3 4 5", {{-2, 0, 0, 0}, {0, 1, 2, 3}}},
      {"12abc 3x 4 5\n29800 1 1 1", {{-2, 3, 4, 5}, {64, 1, 1, 1}}},
      {"-2147483648 1 1 1\n2147483647 1 1 1", {{-4772188, 1, 1, 1}, {4772183, 1, 1, 1}}},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(load(&ItemDatabase::loadChanges, row.data)) << row.data << " " << error();
    EXPECT_EQ(records(db), row.records) << row.data;
    EXPECT_EQ(db.changeCount, static_cast<int32_t>(row.records.size())) << row.data;
  }
}

TEST_F(ChangesTest, Failures) {
  struct Row {
    const char* data;
    const char* error;
    int32_t changeCount;
  };
  const Row rows[] = {
      {"x 1 2 3", "x 1 2 3", 0},
      {"1450 x 5 2", "x 5 2", 0},
      {"1450 5 -1 -0", "-0", 0},
      {"1450 5 -1 2\n1450 +0 -1 2", "+0 -1 2", 1},
      // Too few tokens.
      {"1450 x", "x", 0},
      {"1450 5", "1450 5", 0},
      {"1450 5 -1", "1450 5 -1", 0},
      {"1450\t5\t-1\t2", "1450\t5\t-1\t2", 0},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(load(&ItemDatabase::loadChanges, row.data)) << row.data;
    EXPECT_EQ(error(), row.error) << row.data;
    EXPECT_EQ(db.changeCount, row.changeCount) << row.data;
  }
}

TEST_F(ChangesTest, FindChangeGivesTheFirstMatch) {
  ASSERT_TRUE(load(&ItemDatabase::loadChanges, "1450 5 1 1\n1460 5 2 2\n1460 6 3 3\n"));
  EXPECT_EQ(db.findChange(1, 5), &db.changes[0]);
  EXPECT_EQ(db.findChange(1, 6), &db.changes[2]);
  EXPECT_EQ(db.findChange(5, 1), nullptr);
  EXPECT_EQ(db.findChange(2, 5), nullptr);
  ASSERT_TRUE(load(&ItemDatabase::loadChanges, "1900 5 1 1\n"));
  EXPECT_EQ(db.findChange(1, 5), nullptr);
  EXPECT_EQ(db.findChange(2, 5), &db.changes[0]);
}

TEST(ChangesWithoutTables, FailsInsteadOfDividingByZero) {
  TempDir dir;
  ItemDatabase db;
  const std::string file = dir.write("c.txt", "-start-\n1450 5 -1 2\n");
  EXPECT_FALSE(db.loadChanges(file));
  EXPECT_EQ(db.lastError, file + " : 1450 5 -1 2");
}

}  // namespace
}  // namespace tamrix::test
