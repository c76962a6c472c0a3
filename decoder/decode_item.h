// What an item number decodes to before it is written as text: its parts,
// its kind and its bonus sums, added up one step at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "database/bonus_layout.h"
#include "database/item_database.h"
#include "decoder/item_number.h"

namespace tamrix {

struct ItemDecoding {
  ItemNumber item;
  // The group base's kind, whether or not that slot is filled (0 if untouched).
  int32_t kind = 0;
  // Grade 14 with a random prefix: the fixed chaos text, no bonuses.
  bool chaos = false;
  // The sums of BonusLayout{skillCount}: one per skill, then the damage
  // sums. All 0 for the chaos item.
  std::vector<int32_t> sums;

  // The skills that were added something other than 0, in increasing order:
  // the only ones whose sums may be non-zero.
  std::span<const int32_t> skillsAdded() const { return {skillsAdded_.data(), skillsAddedCount_}; }

 private:
  friend class BonusSummation;
  // A prefix sends its amounts to at most one skill per amount line, the
  // standard item its own numbers to three.
  std::array<int32_t, kTypeMaxLines + kOwnSkillCount> skillsAdded_{};
  std::size_t skillsAddedCount_ = 0;
};

// One amount on its way into the bonus sums.
struct BonusStep {
  enum class Source {
    kPrefixSkill,  // an amount line of the prefix's type, to the prefix's own skill index
    kChange,       // the same amount, sent elsewhere by a change record
    kOwnNumber,    // one of the standard item's own numbers
  };
  Source source = Source::kOwnNumber;
  int32_t amountLine = -1;     // the type's amount line, from 0; -1 for own numbers
  int32_t amount = 0;          // as the data gives it
  int32_t multiplier = 1;      // the change record's; 1 otherwise
  int32_t target = 0;          // the skill index or change target as written; own numbers: the sum
  std::optional<int32_t> sum;  // the bonus sum it adds to; nothing outside the sums
  bool doubled = false;        // by the flag of the skill it goes to
  int32_t added = 0;           // what the sum gets; 0 outside the sums
};

// The decoding of `number`, or nothing when its description is the empty
// text (no item, or a random prefix whose type does not exist). `step`, when
// given, sees every amount as it is added: the prefix's amount lines in
// order, then those of the standard item's six numbers that are not 0.
std::optional<ItemDecoding> decodeItem(const ItemDatabase& db, int32_t number,
                                       const std::function<void(const BonusStep&)>& step = {});

}  // namespace tamrix
