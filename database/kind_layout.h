// Which numbers a standard item line gives after its kind: the loader reads
// them so, and the authoring tools point at them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "database/item_database.h"

namespace tamrix {

using StdNumberField = int32_t StdItemEntry::*;

// The numbers that follow the kind, in file order. Kind 13 reads skill 6
// before skill 7, weapons the other way round.
struct KindLayout {
  std::array<StdNumberField, 5> fields;
  std::size_t count;
};

// The layout of `kind`; no numbers for a kind that has none or is out of range.
KindLayout layoutOf(int32_t kind);

}  // namespace tamrix
