#include "decoder/item_record.h"

#include "database/data_line_reader.h"
#include "decoder/decode_item.h"
#include "decoder/describe.h"

namespace tamrix {

ItemRecord itemRecord(const ItemDatabase& db, int32_t number) {
  ItemRecord record;
  record.number = number;
  const std::optional<ItemDecoding> decoding = decodeItem(db, number);
  composeDescription(db, decoding, record.text);
  if (!decoding)
    return record;
  const ItemNumber& item = decoding->item;
  record.item = true;
  record.kind = decoding->kind;
  record.grade = item.grade;
  record.groupBase = item.groupBase;
  record.chaos = decoding->chaos;
  if (item.prefix >= 1) {
    const std::optional<RndItemEntry>& prefix =
        db.rndItems()[static_cast<std::size_t>(item.prefix)];
    record.prefix = PrefixRecord{item.prefix, prefix ? std::optional(prefix->name) : std::nullopt};
  }
  if (decoding->chaos)
    return record;
  const bool weapon = isWeaponKind(decoding->kind);
  forEachListedBonus(*decoding, [&](int32_t skill, int32_t sum) {
    BonusRecord bonus;
    bonus.skill = skill;
    bonus.value = sum;
    if (const auto& entry = db.skills()[static_cast<std::size_t>(skill)])
      bonus.name = entry->name;
    appendBonusText(bonus.text, db, skill, sum, weapon);
    normalizeLine(bonus.text);
    record.bonuses.push_back(std::move(bonus));
  });
  if (weapon) {
    DamageRecord damage;
    damage.figure = damageOf(decoding->sums);
    appendDamageText(damage.text, damage.figure);
    record.damage = std::move(damage);
  }
  return record;
}

}  // namespace tamrix
