// The decoder's bonus sums: one per slot of the skill table, then the three
// damage figures of a weapon.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tamrix {

// The sums behind the skills, in this order.
enum class DamageSum : int32_t { kSides, kDice, kBonus };
inline constexpr int32_t kDamageSumCount = 3;

// Where each sum stands, for a skill table of `skillCount` slots.
struct BonusLayout {
  int32_t skillCount = 0;

  constexpr int32_t size() const { return skillCount + kDamageSumCount; }
  constexpr int32_t damage(DamageSum which) const {
    return skillCount + static_cast<int32_t>(which);
  }
  constexpr bool isSkill(int32_t sum) const { return sum >= 0 && sum < skillCount; }
};

// A weapon's damage, as the sums give it.
struct DamageFigure {
  int32_t dice = 0;
  int32_t sides = 0;
  int32_t bonus = 0;

  // Twice the average roll, dice * (sides + 1) + 2 * bonus: exact, and
  // within 64 bits for any 32-bit sums.
  int64_t twiceAverage() const { return int64_t{dice} * (int64_t{sides} + 1) + 2 * int64_t{bonus}; }
  bool operator==(const DamageFigure&) const = default;
};

// The damage figure of sums laid out by BonusLayout; the damage sums are
// the last three.
inline DamageFigure damageOf(std::span<const int32_t> sums) {
  const std::span<const int32_t> damage = sums.last(static_cast<std::size_t>(kDamageSumCount));
  return {damage[static_cast<std::size_t>(DamageSum::kDice)],
          damage[static_cast<std::size_t>(DamageSum::kSides)],
          damage[static_cast<std::size_t>(DamageSum::kBonus)]};
}

}  // namespace tamrix
