#include "database/record_index.h"

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

}  // namespace
}  // namespace tamrix
