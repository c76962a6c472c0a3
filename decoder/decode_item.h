// What an item number decodes to before it is written as text: its parts,
// its kind and its bonus sums.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "database/item_database.h"
#include "decoder/item_number.h"

namespace tamrix {

struct ItemDecoding {
  ItemNumber item;
  // The group base's kind, whether or not that slot is filled (0 if untouched).
  int32_t kind = 0;
  // Grade 14 with a random prefix: the fixed chaos text, no bonuses.
  bool chaos = false;
  // skillCount + 3 sums: one per skill, then damage sides, damage dice and
  // damage bonus. All 0 for the chaos item.
  std::vector<int32_t> sums;
};

// The decoding of `number`, or nothing when its description is the empty
// text (no item, or a random prefix whose type does not exist).
std::optional<ItemDecoding> decodeItem(const ItemDatabase& db, int32_t number);

}  // namespace tamrix
