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

// The item numbers from `first` up to, not including, `end`.
struct ItemNumberRange {
  int64_t first = 0;
  int64_t end = 0;
};

// The item numbers that `db`'s tables describe: from `specItemCount` to one
// before specItemCount + rndItemCount * stdItemCount (kFirstItemNumber and
// kEndItemNumber once loaded); none while the tables that give these
// capacities have not been loaded.
inline ItemNumberRange itemNumberRange(const ItemDatabase& db) {
  if (db.stdItemCount() <= 0 || db.rndItemCount() <= 0 || db.groupSize() <= 0)
    return {};
  // 64-bit, so that no capacity can overflow.
  const int64_t first = db.specItemCount();
  return {first, first + int64_t{db.rndItemCount()} * db.stdItemCount()};
}

// The parts of `number`, or nothing when it is outside itemNumberRange(db).
inline std::optional<ItemNumber> decomposeItemNumber(const ItemDatabase& db, int32_t number) {
  const ItemNumberRange range = itemNumberRange(db);
  if (number < range.first || number >= range.end)
    return std::nullopt;
  const auto offset = static_cast<int32_t>(number - range.first);
  ItemNumber item;
  item.prefix = offset / db.stdItemCount();
  item.slot = offset % db.stdItemCount();
  item.grade = item.slot % db.groupSize();
  item.groupBase = item.slot - item.grade;
  return item;
}

}  // namespace tamrix
