#include "database/record_index.h"

#include "database/item_database.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace tamrix {
namespace {

// Thousands of keys, each several times, many of them equal in their low
// bits, and the extremes: every key must keep the position it was first
// given while the table grows around it.
TEST(RecordIndexTest, KeepsTheFirstPositionOfEveryKeyWhileItGrows) {
  std::vector<uint64_t> keys = {0, UINT64_MAX, uint64_t{1} << 32, 0xFFFFFFFFu};
  for (uint64_t i = 0; i < 6000; ++i)
    keys.push_back((i % 1700) << 20);
  RecordIndex index;
  std::map<uint64_t, std::size_t> first;
  for (std::size_t position = 0; position < keys.size(); ++position) {
    index.addFirst(keys[position], position);
    first.try_emplace(keys[position], position);
  }
  for (const auto& [key, position] : first)
    EXPECT_EQ(index.find(key), position) << key;
  EXPECT_EQ(index.find(12345), std::nullopt);

  index.clear();
  EXPECT_EQ(index.find(0), std::nullopt);
  index.addFirst(7, 3);
  EXPECT_EQ(index.find(7), 3u);
}

// Pairs an item can have are kept in a grid, all others in the hash index;
// both must answer with the first record in file order, also after the
// table was refilled.
TEST(RecordIndexTest, FindChangeGivesTheFirstMatchInsideAndOutsideTheGrid) {
  ItemDatabase db;
  EXPECT_EQ(db.findChange(1, 11), nullptr);  // nothing loaded yet
  db.changes = {{1, 11, 7, 1}, {64, 11, 7, 2}, {-1, 3, 7, 3},  {1, 16, 7, 4},
                {1, 11, 7, 5}, {64, 11, 7, 6}, {63, 15, 7, 7}, {1, -2, 7, 8}};
  db.changeCount = static_cast<int32_t>(db.changes.size());
  struct Row {
    int32_t prefixIndex;
    int32_t itemKind;
    int32_t multiplier;  // which record answers; 0 for none
  };
  const Row rows[] = {{1, 11, 1}, {64, 11, 2}, {-1, 3, 3},  {1, 16, 4}, {63, 15, 7},
                      {1, -2, 8}, {2, 11, 0},  {64, 12, 0}, {0, 0, 0}};
  for (const Row& row : rows) {
    const ChangeEntry* found = db.findChange(row.prefixIndex, row.itemKind);
    EXPECT_EQ(found ? found->multiplier : 0, row.multiplier)
        << row.prefixIndex << " " << row.itemKind;
  }
  db.changes = {{2, 11, 7, 9}};
  db.changeCount = 1;
  EXPECT_EQ(db.findChange(1, 11), nullptr);
  ASSERT_NE(db.findChange(2, 11), nullptr);
  EXPECT_EQ(db.findChange(2, 11)->multiplier, 9);
}

}  // namespace
}  // namespace tamrix
