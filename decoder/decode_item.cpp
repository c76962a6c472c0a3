#include "decoder/decode_item.h"

#include <algorithm>
#include <array>
#include <utility>

#include "database/kind_layout.h"

namespace tamrix {

namespace {

// Two's-complement wrap-around instead of signed overflow: data files may
// hold any 32-bit amount, and an overflowing sum must stay defined.
int32_t wrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t wrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// Only prefix amounts are doubled, and only for a skill of the table whose
// flag is exactly 1; the damage slots behind the skills never are.
bool isDoubled(const ItemDatabase& db, int32_t skill) {
  if (skill < 0 || skill >= db.skillCount())
    return false;
  const std::optional<SkillEntry>& entry = db.skills()[static_cast<std::size_t>(skill)];
  return entry && entry->doublingFlag == 1;
}

}  // namespace

// Adds up the steps of one item.
class BonusSummation {
 public:
  BonusSummation(ItemDecoding& decoding, BonusLayout layout,
                 const std::function<void(const BonusStep&)>& visit)
      : decoding_(decoding), sums_(decoding.sums), layout_(layout), visit_(visit) {}

  const BonusLayout& layout() const { return layout_; }
  int32_t size() const { return layout_.size(); }

  // Adds `step.added` to sum `sum` (nothing outside the sums), doubled first
  // when `step.doubled`.
  void add(BonusStep step, int32_t sum) {
    if (step.doubled)
      step.added = wrapMul(step.added, 2);
    if (sum >= 0 && sum < size()) {
      step.sum = sum;
      int32_t& total = sums_[static_cast<std::size_t>(sum)];
      total = wrapAdd(total, step.added);
      if (layout_.isSkill(sum) && step.added != 0)
        noteSkill(sum);
    } else {
      step.added = 0;
    }
    if (visit_)
      visit_(step);
  }

 private:
  // Keeps the skills added to sorted and each once.
  void noteSkill(int32_t skill) {
    auto& skills = decoding_.skillsAdded_;
    const auto end = skills.begin() + static_cast<std::ptrdiff_t>(decoding_.skillsAddedCount_);
    const auto at = std::lower_bound(skills.begin(), end, skill);
    if ((at != end && *at == skill) || end == skills.end())
      return;
    std::move_backward(at, end, end + 1);
    *at = skill;
    ++decoding_.skillsAddedCount_;
  }

  ItemDecoding& decoding_;
  std::vector<int32_t>& sums_;
  BonusLayout layout_;
  const std::function<void(const BonusStep&)>& visit_;
};

namespace {

// What random prefix `item.prefix` gives at the item's grade to an item of
// kind `kind`: every amount line of `type`, to the prefix's own skills or,
// when a change record matches, all to the record's target.
void addPrefixAmounts(const ItemDatabase& db, const TypeEntry& type, const ItemNumber& item,
                      int32_t kind, BonusSummation& sums) {
  const std::optional<RndItemEntry>& prefix = db.rndItems()[static_cast<std::size_t>(item.prefix)];
  const ChangeEntry* change = db.findChange(item.prefix, kind);
  for (int32_t i = 0; i < type.lineCount; ++i) {
    BonusStep step;
    step.amountLine = i;
    step.amount = db.amountLine(type, i).amount(item.grade);
    step.added = step.amount;
    if (change == nullptr) {
      step.source = BonusStep::Source::kPrefixSkill;
      step.target = prefix ? prefix->skillIndex[static_cast<std::size_t>(i)] : 0;
      step.doubled = isDoubled(db, step.target);
      sums.add(step, step.target);
      continue;
    }
    step.source = BonusStep::Source::kChange;
    step.target = change->skillIndex;
    step.multiplier = change->multiplier;
    step.added = wrapMul(step.multiplier, step.amount);
    if (step.target == -1) {
      sums.add(step, sums.layout().damage(DamageSum::kBonus));  // never doubled
    } else if (step.target >= -sums.size() && step.target < sums.size()) {
      // Negative targets count from the end of the sums; they are no skill.
      step.doubled = isDoubled(db, step.target);
      sums.add(step, (step.target + sums.size()) % sums.size());
    } else {
      sums.add(step, -1);  // outside the sums
    }
  }
}

// The item's own slot, filled or not, gives its numbers once; a 0 is no step.
void addOwnNumbers(const StdItemEntry& own, BonusSummation& sums) {
  for (const OwnNumber& number : kOwnNumbers) {
    const int32_t amount = own.*number.field;
    if (amount == 0)
      continue;  // adds nothing
    BonusStep step;
    step.amount = amount;
    step.target = number.sumIn(sums.layout());
    step.added = amount;
    sums.add(step, step.target);
  }
}

}  // namespace

std::optional<ItemDecoding> decodeItem(const ItemDatabase& db, int32_t number,
                                       const std::function<void(const BonusStep&)>& step) {
  const std::optional<ItemNumber> item = decomposeItemNumber(db, number);
  if (!item)
    return std::nullopt;
  ItemDecoding decoding;
  decoding.item = *item;
  decoding.kind = db.stdItems()[static_cast<std::size_t>(item->groupBase)].kind;
  const BonusLayout layout{std::max(db.skillCount(), 0)};
  decoding.sums.assign(static_cast<std::size_t>(layout.size()), 0);
  BonusSummation sums(decoding, layout, step);
  if (item->prefix >= 1) {
    const std::optional<RndItemEntry>& prefix =
        db.rndItems()[static_cast<std::size_t>(item->prefix)];
    const TypeEntry* type = db.findType(prefix ? prefix->typeId : 0);
    // The chaos item, whatever the group size: no bonuses, no name of its own.
    if (item->grade == kChaosGrade) {
      decoding.chaos = true;
      return decoding;
    }
    if (type == nullptr)
      return std::nullopt;
    addPrefixAmounts(db, *type, *item, decoding.kind, sums);
  }
  addOwnNumbers(db.stdItems()[static_cast<std::size_t>(item->slot)], sums);
  return decoding;
}

}  // namespace tamrix
