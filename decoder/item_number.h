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
  if (db.stdItemCount() <= 0 || db.rndItemCount() <= 0 || db.groupSize() <= 0)
    return std::nullopt;
  // 64-bit, so that no number can overflow the range test.
  const int64_t relative = int64_t{number} - db.specItemCount();
  if (relative < 0 || relative >= int64_t{db.rndItemCount()} * db.stdItemCount())
    return std::nullopt;
  const auto offset = static_cast<int32_t>(relative);
  ItemNumber item;
  item.prefix = offset / db.stdItemCount();
  item.slot = offset % db.stdItemCount();
  item.grade = item.slot % db.groupSize();
  item.groupBase = item.slot - item.grade;
  return item;
}

}  // namespace tamrix
