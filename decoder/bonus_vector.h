// The bonus sums of one description: one per skill, then the three damage
// figures.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "database/item_database.h"

namespace tamrix {

// Two's-complement wrap-around instead of signed overflow: data files may
// hold any 32-bit amount, and an overflowing sum must stay defined.
inline int32_t wrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// skillCount + 3 sums, all 0 at the start. Slots outside the vector are never
// written and read as 0.
//
// A description is made on every keystroke, so a new vector costs next to
// nothing: the first kInlineSlots sums (the skill table has 110, so every
// sum of the usual tables) live in the object itself and are not cleared;
// a bit per slot says which of them was added to, and a sum is only read
// when its bit is set. Only the slots beyond them are allocated and
// cleared. Not copyable, since the sums of untouched slots are undefined.
class BonusVector {
 public:
  explicit BonusVector(int32_t skillCount)
      : size_(static_cast<size_t>(skillCount > 0 ? skillCount : 0) + 3) {
    if (size_ > kInlineSlots)
      heap_.assign(size_ - kInlineSlots, 0);
  }
  BonusVector(const BonusVector&) = delete;
  BonusVector& operator=(const BonusVector&) = delete;

  int32_t size() const { return static_cast<int32_t>(size_); }
  int32_t at(int32_t slot) const {
    if (!contains(slot))
      return 0;
    const auto index = static_cast<size_t>(slot);
    if (index >= kInlineSlots)
      return heap_[index - kInlineSlots];
    return (added_[index / 64] & bitOf(index)) != 0 ? inline_[index] : 0;
  }
  void add(int32_t slot, int32_t amount) {
    if (!contains(slot) || amount == 0)
      return;
    const auto index = static_cast<size_t>(slot);
    if (index >= kInlineSlots) {
      heap_[index - kInlineSlots] = wrapAdd(heap_[index - kInlineSlots], amount);
    } else if ((added_[index / 64] & bitOf(index)) != 0) {
      inline_[index] = wrapAdd(inline_[index], amount);
    } else {
      inline_[index] = amount;
      added_[index / 64] |= bitOf(index);
    }
  }

  // Calls visit(slot, sum) for every slot below `end` whose sum is not 0,
  // in slot order.
  template <typename Visit>
  void forEachNonZero(int32_t end, Visit visit) const {
    const auto last = static_cast<size_t>(std::clamp(end, 0, size()));
    for (size_t word = 0; word < added_.size(); ++word) {
      for (uint64_t bits = added_[word]; bits != 0; bits &= bits - 1) {
        const size_t slot = word * 64 + static_cast<size_t>(std::countr_zero(bits));
        if (slot >= last)
          return;
        if (inline_[slot] != 0)
          visit(static_cast<int32_t>(slot), inline_[slot]);
      }
    }
    for (size_t slot = kInlineSlots; slot < last; ++slot)
      if (heap_[slot - kInlineSlots] != 0)
        visit(static_cast<int32_t>(slot), heap_[slot - kInlineSlots]);
  }

  int32_t damageSides() const { return at(size() - 3); }
  int32_t damageDice() const { return at(size() - 2); }
  int32_t damageBonus() const { return at(size() - 1); }

 private:
  static constexpr size_t kInlineSlots = 128;

  static uint64_t bitOf(size_t index) { return uint64_t{1} << (index % 64); }
  bool contains(int32_t slot) const { return slot >= 0 && slot < size(); }

  size_t size_;
  std::array<uint64_t, kInlineSlots / 64> added_{};
  std::array<int32_t, kInlineSlots> inline_;  // read only where added_ has the bit
  std::vector<int32_t> heap_;                 // slots from kInlineSlots on
};

// Adds what the random prefix `prefix` gives an item of grade `grade` whose
// group base has kind `kind`: every amount line of `type`, to the prefix's
// own skills or, when a change record matches, to the record's target.
void addPrefixAmounts(const ItemDatabase& db, const TypeEntry& type, int32_t prefix, int32_t grade,
                      int32_t kind, BonusVector& bonus);

// Adds the standard item's own bonuses and damage figures, once.
void addStdItemNumbers(const StdItemEntry& item, BonusVector& bonus);

}  // namespace tamrix
