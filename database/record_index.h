// A hash index from a 64-bit key to the position of the first record in a
// table that has the key, so that a lookup costs the same however many
// records the table holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace tamrix {

class RecordIndex {
 public:
  void clear() {
    slots_.clear();
    count_ = 0;
  }

  // Makes room for `count` keys in all, so that adding them rehashes nothing.
  void reserve(std::size_t count) {
    std::size_t size = slots_.empty() ? 16 : slots_.size();
    while (count * 2 > size)
      size *= 2;
    if (size != slots_.size())
      rehash(size);
  }

  // Records `position` under `key`, unless an earlier record has the key.
  void addFirst(uint64_t key, std::size_t position) {
    if ((count_ + 1) * 2 > slots_.size())
      rehash(slots_.empty() ? 16 : slots_.size() * 2);
    std::size_t i = home(key);
    while (slots_[i].positionPlusOne != 0) {
      if (slots_[i].key == key)
        return;
      i = (i + 1) & (slots_.size() - 1);
    }
    slots_[i] = Slot{key, position + 1};
    ++count_;
  }

  // The position recorded under `key`, or nothing.
  std::optional<std::size_t> find(uint64_t key) const {
    if (slots_.empty())
      return std::nullopt;
    for (std::size_t i = home(key);; i = (i + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[i];
      if (slot.positionPlusOne == 0)
        return std::nullopt;
      if (slot.key == key)
        return slot.positionPlusOne - 1;
    }
  }

 private:
  // Open addressing with linear probing in a table of a power-of-two size
  // that is at most half full, so every probe sequence ends at a free slot.
  struct Slot {
    uint64_t key = 0;
    std::size_t positionPlusOne = 0;  // 0: free
  };

  std::size_t home(uint64_t key) const {
    // Fibonacci hashing spreads consecutive ids over the whole table.
    const uint64_t mixed = key * 0x9E3779B97F4A7C15u;
    return static_cast<std::size_t>(mixed ^ (mixed >> 32)) & (slots_.size() - 1);
  }

  void rehash(std::size_t size) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(size, Slot{});
    for (const Slot& slot : old) {
      if (slot.positionPlusOne == 0)
        continue;
      std::size_t i = home(slot.key);
      while (slots_[i].positionPlusOne != 0)
        i = (i + 1) & (slots_.size() - 1);
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
};

}  // namespace tamrix
