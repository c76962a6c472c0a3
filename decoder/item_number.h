// How an item number splits into a random prefix, a standard slot, its group
// base and its grade.
#pragma once

#include <cstdint>
#include <optional>

#include "database/item_database.h"

namespace tamrix {

struct ItemNumber {
  int32_t prefix = 0;     // random prefix index; 0 = none
  int32_t slot = 0;       // standard item slot
  int32_t groupBase = 0;  // first slot of the slot's group
  int32_t grade = 0;      // position within the group; 0 = the group base
};

// The parts of `number`, or nothing when it is no item: below
// `specItemCount`, at or beyond specItemCount + rndItemCount * stdItemCount,
// or when the tables that give the capacities have not been loaded.
inline std::optional<ItemNumber> decomposeItemNumber(const ItemDatabase& db, int32_t number) {
  if (db.stdItemCount <= 0 || db.rndItemCount <= 0 || db.groupSize <= 0)
    return std::nullopt;
  // 64-bit, so that no capacity and no number can overflow the range test.
  const int64_t relative = int64_t{number} - db.specItemCount;
  const int64_t blockCount = int64_t{db.rndItemCount} * db.stdItemCount;
  if (relative < 0 || relative >= blockCount)
    return std::nullopt;
  // A number in range lies less than 2^32 above specItemCount, so the
  // divisions (made on every keystroke) need only 32 bits.
  const auto offset = static_cast<uint32_t>(relative);
  const auto slots = static_cast<uint32_t>(db.stdItemCount);
  const auto slot = offset % slots;
  const auto grade = slot % static_cast<uint32_t>(db.groupSize);
  ItemNumber item;
  item.prefix = static_cast<int32_t>(offset / slots);
  item.slot = static_cast<int32_t>(slot);
  item.groupBase = static_cast<int32_t>(slot - grade);
  item.grade = static_cast<int32_t>(grade);
  return item;
}

}  // namespace tamrix
