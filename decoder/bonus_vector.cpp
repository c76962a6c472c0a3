#include "decoder/bonus_vector.h"

#include <algorithm>

namespace tamrix {

namespace {

// Only prefix amounts are doubled, and only for a skill of the table whose
// flag is exactly 1; the damage slots behind the skills never are.
bool isDoubled(const ItemDatabase& db, int32_t skill) {
  return skill >= 0 && skill < db.skillCount && static_cast<size_t>(skill) < db.skills.size() &&
         db.skills[static_cast<size_t>(skill)].doublingFlag == 1;
}

void addSkillAmount(const ItemDatabase& db, int32_t skill, int32_t amount, BonusVector& bonus) {
  bonus.add(skill, isDoubled(db, skill) ? wrapMul(amount, 2) : amount);
}

}  // namespace

void addPrefixAmounts(const ItemDatabase& db, const TypeEntry& type, int32_t prefix, int32_t grade,
                      int32_t kind, BonusVector& bonus) {
  if (grade < 0 || grade >= kTypeGrades)
    return;
  if (prefix < 0 || static_cast<size_t>(prefix) >= db.rndItems.size())
    return;
  const RndItemEntry& rndItem = db.rndItems[static_cast<size_t>(prefix)];
  const int32_t lineCount = std::min(type.lineCount, kTypeMaxLines);
  // The record depends on the item alone, so one lookup serves every line.
  const ChangeEntry* change = db.findChange(prefix, kind);
  const int32_t size = bonus.size();

  for (int32_t i = 0; i < lineCount; ++i) {
    const int32_t amount = type.amounts[static_cast<size_t>(i)][static_cast<size_t>(grade)];
    if (change == nullptr) {
      // An index outside the vector adds nothing; BonusVector::add ignores it.
      addSkillAmount(db, rndItem.skillIndex[static_cast<size_t>(i)], amount, bonus);
      continue;
    }
    const int32_t redirected = wrapMul(change->multiplier, amount);
    const int32_t target = change->skillIndex;
    if (target == -1) {
      bonus.add(size - 1, redirected);  // the damage bonus, never doubled
    } else if (target >= -size && target < size) {
      // Negative targets count from the end of the vector; they are no skill
      // and so are never doubled.
      const int32_t slot = (target + size) % size;
      bonus.add(slot, target >= 0 && isDoubled(db, target) ? wrapMul(redirected, 2) : redirected);
    }
  }
}

void addStdItemNumbers(const StdItemEntry& item, BonusVector& bonus) {
  bonus.add(6, item.skill6Bonus);
  bonus.add(7, item.skill7Bonus);
  bonus.add(8, item.skill8Bonus);
  bonus.add(bonus.size() - 3, item.damageSides);
  bonus.add(bonus.size() - 2, item.damageDice);
  bonus.add(bonus.size() - 1, item.damageBonus);
}

}  // namespace tamrix
