// The bonus sums of one description: one per skill, then the three damage
// figures.
#pragma once

#include <array>
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
// written and read as 0. Holds no pointer into itself, so copies are safe.
class BonusVector {
 public:
  explicit BonusVector(int32_t skillCount)
      : size_(static_cast<size_t>(skillCount > 0 ? skillCount : 0) + 3) {
    if (size_ > kInlineSlots)
      heap_.assign(size_, 0);
  }

  int32_t size() const { return static_cast<int32_t>(size_); }
  int32_t at(int32_t slot) const { return contains(slot) ? sums()[slot] : 0; }
  void add(int32_t slot, int32_t amount) {
    if (contains(slot) && amount != 0) {
      auto& sum = sums()[slot];
      sum = wrapAdd(sum, amount);
      if (static_cast<size_t>(slot) < kTrackedSlots)
        added_[static_cast<size_t>(slot) / 64] |= uint64_t{1} << (static_cast<size_t>(slot) % 64);
    }
  }

  // The first slot from `from` up to `end` - 1 whose sum is not 0, or `end`
  // (clamped to the vector) when there is none.
  int32_t nextNonZero(int32_t from, int32_t end) const;

  int32_t damageSides() const { return at(size() - 3); }
  int32_t damageDice() const { return at(size() - 2); }
  int32_t damageBonus() const { return at(size() - 1); }

 private:
  bool contains(int32_t slot) const { return slot >= 0 && slot < size(); }

  // One bit for each of the first kTrackedSlots slots that something other
  // than 0 was added to, so that the few sums a description has are found
  // without testing every slot; slots beyond them are tested one by one.
  static constexpr size_t kTrackedSlots = 256;
  // A description is made on every keystroke: the sums of up to
  // kInlineSlots slots (the skill table has 110) live in the object itself,
  // and only a larger vector is allocated.
  static constexpr size_t kInlineSlots = 128;

  int32_t* sums() { return heap_.empty() ? inline_.data() : heap_.data(); }
  const int32_t* sums() const { return heap_.empty() ? inline_.data() : heap_.data(); }

  size_t size_;
  std::array<int32_t, kInlineSlots> inline_{};
  std::vector<int32_t> heap_;
  std::array<uint64_t, kTrackedSlots / 64> added_{};
};

// Adds what the random prefix `prefix` gives an item of grade `grade` whose
// group base has kind `kind`: every amount line of `type`, to the prefix's
// own skills or, when a change record matches, to the record's target.
void addPrefixAmounts(const ItemDatabase& db, const TypeEntry& type, int32_t prefix, int32_t grade,
                      int32_t kind, BonusVector& bonus);

// Adds the standard item's own bonuses and damage figures, once.
void addStdItemNumbers(const StdItemEntry& item, BonusVector& bonus);

}  // namespace tamrix
