#include "decoder/decode_item.h"

#include <algorithm>

namespace tamrix {

namespace {

// A grade-14 item with a random prefix is the chaos item, whatever the group
// size; it has no bonuses and no name of its own.
constexpr int32_t kChaosGrade = 14;

// Two's-complement wrap-around instead of signed overflow: data files may
// hold any 32-bit amount, and an overflowing sum must stay defined.
int32_t wrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t wrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// Slots outside the sums add nothing.
void add(std::vector<int32_t>& sums, int32_t slot, int32_t amount) {
  if (slot >= 0 && static_cast<std::size_t>(slot) < sums.size())
    sums[static_cast<std::size_t>(slot)] = wrapAdd(sums[static_cast<std::size_t>(slot)], amount);
}

// Only prefix amounts are doubled, and only for a skill of the table whose
// flag is exactly 1; the damage slots behind the skills never are.
int32_t doubledFor(const ItemDatabase& db, int32_t skill, int32_t amount) {
  if (skill < 0 || skill >= db.skillCount())
    return amount;
  const std::optional<SkillEntry>& entry = db.skills()[static_cast<std::size_t>(skill)];
  return entry && entry->doublingFlag == 1 ? wrapMul(amount, 2) : amount;
}

// What random prefix `prefix` gives at `grade` to an item of kind `kind`:
// every amount line of `type`, to the prefix's own skills or, when a change
// record matches, all to the record's target.
void addPrefixAmounts(const ItemDatabase& db, const TypeEntry& type, const ItemNumber& item,
                      int32_t kind, std::vector<int32_t>& sums) {
  const std::optional<RndItemEntry>& prefix = db.rndItems()[static_cast<std::size_t>(item.prefix)];
  const ChangeEntry* change = db.findChange(item.prefix, kind);
  const auto size = static_cast<int32_t>(sums.size());
  for (int32_t i = 0; i < type.lineCount; ++i) {
    const int32_t amount =
        type.amounts[static_cast<std::size_t>(i)][static_cast<std::size_t>(item.grade)];
    if (change == nullptr) {
      const int32_t skill = prefix ? prefix->skillIndex[static_cast<std::size_t>(i)] : 0;
      add(sums, skill, doubledFor(db, skill, amount));
    } else if (const int32_t target = change->skillIndex; target == -1) {
      add(sums, size - 1, wrapMul(change->multiplier, amount));  // the damage bonus
    } else if (target >= -size && target < size) {
      // Negative targets count from the end of the sums; they are no skill.
      add(sums, (target + size) % size,
          doubledFor(db, target, wrapMul(change->multiplier, amount)));
    }
  }
}

}  // namespace

std::optional<ItemDecoding> decodeItem(const ItemDatabase& db, int32_t number) {
  const std::optional<ItemNumber> item = decomposeItemNumber(db, number);
  if (!item)
    return std::nullopt;
  ItemDecoding decoding;
  decoding.item = *item;
  decoding.kind = db.stdItems()[static_cast<std::size_t>(item->groupBase)].kind;
  decoding.sums.assign(static_cast<std::size_t>(std::max(db.skillCount(), 0)) + 3, 0);
  if (item->prefix >= 1) {
    const std::optional<RndItemEntry>& prefix =
        db.rndItems()[static_cast<std::size_t>(item->prefix)];
    const TypeEntry* type = db.findType(prefix ? prefix->typeId : 0);
    if (item->grade == kChaosGrade) {
      decoding.chaos = true;
      return decoding;
    }
    if (type == nullptr)
      return std::nullopt;
    addPrefixAmounts(db, *type, *item, decoding.kind, decoding.sums);
  }
  // The item's own slot, filled or not, gives its numbers once.
  const StdItemEntry& own = db.stdItems()[static_cast<std::size_t>(item->slot)];
  const auto size = static_cast<int32_t>(decoding.sums.size());
  add(decoding.sums, 6, own.skill6Bonus);
  add(decoding.sums, 7, own.skill7Bonus);
  add(decoding.sums, 8, own.skill8Bonus);
  add(decoding.sums, size - 3, own.damageSides);
  add(decoding.sums, size - 2, own.damageDice);
  add(decoding.sums, size - 1, own.damageBonus);
  return decoding;
}

}  // namespace tamrix
