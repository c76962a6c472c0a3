#include <gtest/gtest.h>

#include <vector>

#include "database_fixture.h"

namespace tamrix::test {
namespace {

using TypesTest = LoaderTest;

// id, lineCount and the first amounts of each of the six rows.
struct Summary {
  int32_t id, lineCount;
  std::vector<std::vector<int32_t>> rows;
  bool operator==(const Summary&) const = default;
};

std::vector<Summary> summarize(const ItemDatabase& db, std::size_t width) {
  std::vector<Summary> out;
  for (const TypeEntry& t : db.types) {
    Summary s{t.id, t.lineCount, {}};
    for (const auto& row : t.amounts)
      s.rows.emplace_back(row.begin(), row.begin() + width);
    out.push_back(s);
  }
  return out;
}

TEST_F(TypesTest, RecordsInFileOrder) {
  using Rows = std::vector<std::vector<int32_t>>;
  const Rows zero(6, {0, 0, 0});
  auto rows = [&](std::vector<int32_t> a, std::vector<int32_t> b = {0, 0, 0}) {
    Rows r = zero;
    r[0] = a;
    r[1] = b;
    return r;
  };
  struct Row {
    const char* data;
    std::vector<Summary> types;
  };
  const Row rows_[] = {
      {"", {}},
      {"7\n2\n1 2 3\n\n  4   5\n", {{7, 2, rows({1, 2, 3}, {4, 5, 0})}}},
      // Two amount lines wanted, the third line is the next id.
      {"1\n2\n1\n2\n3\n1\n4", {{1, 2, rows({1, 0, 0}, {2, 0, 0})}, {3, 1, rows({4, 0, 0})}}},
      // A count of 0 or below still takes one amount line.
      {"1\n0\n5\n2\n-3\n6 x 7\n", {{1, 0, rows({5, 0, 0})}, {2, -3, rows({6, 0, 7})}}},
      {"x\n1abc\n9", {{0, 1, rows({9, 0, 0})}}},
      // An incomplete record at the end is dropped.
      {"1\n1\n5\n2\n2\n6\n", {{1, 1, rows({5, 0, 0})}}},
  };
  for (const Row& row : rows_) {
    ASSERT_TRUE(load(&ItemDatabase::loadTypes, row.data)) << row.data;
    EXPECT_EQ(summarize(db, 3), row.types) << row.data;
    EXPECT_EQ(db.typeCount, static_cast<int32_t>(row.types.size())) << row.data;
  }
}

TEST_F(TypesTest, AmountLineTakesFifteenNumbers) {
  ASSERT_TRUE(load(&ItemDatabase::loadTypes, "1\n1\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"));
  ASSERT_EQ(db.types.size(), 1u);
  for (std::size_t g = 0; g < 15; ++g)
    EXPECT_EQ(db.types[0].amounts[0][g], static_cast<int32_t>(g) + 1);
}

TEST_F(TypesTest, Failures) {
  struct Row {
    const char* data;
    const char* error;
    int32_t typeCount;
  };
  const Row rows[] = {
      {"1\n1\n5\n2\n", "", 1},  // the file ends between an id and its count
      {"1\n7\n5\n", "7", 0},    // more amount lines than a record holds
      {"1\n1\n5\n2\n 2147483647 x\n", "2147483647 x", 1},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(load(&ItemDatabase::loadTypes, row.data)) << row.data;
    EXPECT_EQ(error(), row.error) << row.data;
    EXPECT_EQ(db.typeCount, row.typeCount) << row.data;
  }
}

TEST_F(TypesTest, FindTypeGivesTheFirstRecordWithTheId) {
  EXPECT_EQ(db.findType(0), nullptr);
  ASSERT_TRUE(load(&ItemDatabase::loadTypes, "5\n1\n1\n6\n1\n2\n5\n1\n3\n"));
  ASSERT_EQ(db.findType(5), &db.types[0]);
  EXPECT_EQ(db.findType(6), &db.types[1]);
  EXPECT_EQ(db.findType(7), nullptr);
  // A reload answers from the new table only.
  ASSERT_TRUE(load(&ItemDatabase::loadTypes, "6\n1\n1\n"));
  EXPECT_EQ(db.findType(5), nullptr);
  EXPECT_EQ(db.findType(6), &db.types[0]);
  // Records added by hand are found as well, and the count bounds the search.
  db.types.push_back(TypeEntry{9, 1, {}});
  EXPECT_EQ(db.findType(9), nullptr);
  db.typeCount = 2;
  EXPECT_EQ(db.findType(9), &db.types[1]);
}

}  // namespace
}  // namespace tamrix::test
