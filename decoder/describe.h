// An item number's Hungarian description, composed from its decoding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "database/bonus_layout.h"
#include "database/item_database.h"
#include "decoder/decode_item.h"

namespace tamrix {

// Appends the damage line's figure, as the description writes it after its
// label: "2d6+2"; nothing for three zeros.
void appendDamageText(std::string& text, const DamageFigure& damage);

// Calls `visit(skill, sum)` for each line of the bonus list, in its order:
// every skill added to whose sum is not 0.
template <typename Visit>
void forEachListedBonus(const ItemDecoding& decoding, Visit&& visit) {
  for (const int32_t skill : decoding.skillsAdded()) {
    const int32_t sum = decoding.sums[static_cast<std::size_t>(skill)];
    if (sum != 0)
      visit(skill, sum);
  }
}

// Appends one line of the bonus list, before the description's blanks are
// normalised: "+4% S7 ezzel a fegyverrel! " (the remark for a weapon's hit
// chance).
void appendBonusText(std::string& text, const ItemDatabase& db, int32_t skill, int32_t sum,
                     bool weapon);

// Writes into `text`, which it clears first, the Windows-1250 description of
// an item decoded as `decoding`; the empty text for nothing.
void composeDescription(const ItemDatabase& db, const std::optional<ItemDecoding>& decoding,
                        std::string& text);

// Writes into `text`, which it clears first, the description of `number`:
// the empty text for a number that is no item, or whose random prefix has no
// type. A text reused from call to call keeps its storage.
void describeItem(const ItemDatabase& db, int32_t number, std::string& text);

// The same, as a new text.
std::string describeItem(const ItemDatabase& db, int32_t number);

}  // namespace tamrix
