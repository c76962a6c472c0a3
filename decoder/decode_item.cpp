#include "decoder/decode_item.h"

#include "decoder/bonus_vector.h"

namespace tamrix {

std::optional<ItemDecoding> decodeItem(const ItemDatabase& db, int32_t number) {
  const std::optional<ItemNumber> item = decomposeItemNumber(db, number);
  if (!item)
    return std::nullopt;
  ItemDecoding decoding;
  decoding.item = *item;
  if (static_cast<size_t>(item->groupBase) < db.stdItems.size())
    decoding.kind = db.stdItems[static_cast<size_t>(item->groupBase)].kind;
  BonusVector bonus(db.skillCount);
  if (item->prefix >= 1) {
    const bool known = static_cast<size_t>(item->prefix) < db.rndItems.size();
    const TypeEntry* type =
        db.findType(known ? db.rndItems[static_cast<size_t>(item->prefix)].typeId : 0);
    if (item->grade == 14) {
      decoding.chaos = true;
      decoding.sums.assign(static_cast<size_t>(bonus.size()), 0);
      return decoding;
    }
    if (type == nullptr)
      return std::nullopt;
    addPrefixAmounts(db, *type, item->prefix, item->grade, decoding.kind, bonus);
  }
  if (static_cast<size_t>(item->slot) < db.stdItems.size())
    addStdItemNumbers(db.stdItems[static_cast<size_t>(item->slot)], bonus);
  for (int32_t slot = 0; slot < bonus.size(); ++slot)
    decoding.sums.push_back(bonus.at(slot));
  return decoding;
}

}  // namespace tamrix
