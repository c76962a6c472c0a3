// A standard item's own numbers: which of them a line gives after its kind,
// and which bonus sum each of them adds to. The loader reads them so, the
// decoder adds them so, and the authoring tools point at them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "database/bonus_layout.h"
#include "database/item_database.h"
#include "database/limits.h"

namespace tamrix {

using StdNumberField = int32_t StdItemEntry::*;

// The numbers that follow the kind, in file order. Kind 13 reads the
// durability before the hit chance, weapons the other way round.
struct KindLayout {
  std::array<StdNumberField, 5> fields{};
  std::size_t count = 0;

  std::span<const StdNumberField> numbers() const { return {fields.data(), count}; }
  // The position of `field` among the numbers, or nothing.
  const StdNumberField* find(StdNumberField field) const;
};

// The layout of `kind`; no numbers for a kind that has none or is out of range.
KindLayout layoutOf(int32_t kind);

// One of a standard item's own numbers and the sum it adds to: a skill's
// or, when `skill` is negative, the damage sum `damage`.
struct OwnNumber {
  StdNumberField field;
  int32_t skill;
  DamageSum damage;

  int32_t sumIn(const BonusLayout& layout) const {
    return skill >= 0 ? skill : layout.damage(damage);
  }
};

// Every own number, in the order the decoder adds them.
inline constexpr std::array<OwnNumber, 6> kOwnNumbers = {{
    {&StdItemEntry::durabilityBonus, kDurabilitySkill, DamageSum::kSides},
    {&StdItemEntry::hitChanceBonus, kHitChanceSkill, DamageSum::kSides},
    {&StdItemEntry::defenceBonus, kDefenceSkill, DamageSum::kSides},
    {&StdItemEntry::damageSides, -1, DamageSum::kSides},
    {&StdItemEntry::damageDice, -1, DamageSum::kDice},
    {&StdItemEntry::damageBonus, -1, DamageSum::kBonus},
}};

// The own number that `field` holds.
const OwnNumber& ownNumberOf(StdNumberField field);

}  // namespace tamrix
