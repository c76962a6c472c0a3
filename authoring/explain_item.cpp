#include "authoring/explain_item.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace tamrix {

namespace {

// The decoder's arithmetic: 32-bit with wrap-around, the chaos grade, and
// doubling only for a skill of the table whose flag is 1. The explanation
// walks the same steps so that each amount can be shown on its own; a test
// holds its sums to the decoder's.
constexpr int32_t kChaosGrade = 14;

int32_t wrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t wrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

class Explainer {
 public:
  Explainer(const ItemDatabase& db, const DataFileNames& files, ItemExplanation& out)
      : db_(db), files_(files), out_(out) {}

  void run(const ItemNumber& item) {
    const StdItemEntry& base = db_.stdItems()[static_cast<std::size_t>(item.groupBase)];
    const StdItemEntry& own = db_.stdItems()[static_cast<std::size_t>(item.slot)];
    out_.kind = base.kind;
    out_.groupBase = {files_.stdItems, base.line};
    out_.ownSlot = {files_.stdItems, own.line};
    out_.sums.assign(static_cast<std::size_t>(std::max(db_.skillCount(), 0)) + 3, 0);
    if (item.prefix >= 1) {
      out_.prefix = db_.rndItems()[static_cast<std::size_t>(item.prefix)];
      if (const TypeEntry* type = db_.findType(out_.prefix ? out_.prefix->typeId : 0))
        out_.type = *type;
      if (item.grade == kChaosGrade) {
        out_.chaos = true;
        return;
      }
      if (!out_.type)
        return;
      if (const ChangeEntry* change = db_.findChange(item.prefix, out_.kind))
        out_.change = *change;
      for (int32_t i = 0; i < out_.type->lineCount; ++i)
        addPrefixAmount(item, i);
    }
    const int32_t size = sumCount();
    const std::array<std::pair<int32_t, int32_t>, 6> ownNumbers = {{{6, own.skill6Bonus},
                                                                    {7, own.skill7Bonus},
                                                                    {8, own.skill8Bonus},
                                                                    {size - 3, own.damageSides},
                                                                    {size - 2, own.damageDice},
                                                                    {size - 1, own.damageBonus}}};
    for (const auto& [sum, amount] : ownNumbers) {
      if (amount == 0)
        continue;
      Contribution c;
      c.from = out_.ownSlot;
      c.amount = amount;
      c.target = sum;
      c.added = amount;
      land(c, sum);
    }
  }

 private:
  int32_t sumCount() const { return static_cast<int32_t>(out_.sums.size()); }

  std::optional<SourceLine> doublingOf(int32_t skill) const {
    if (skill < 0 || skill >= db_.skillCount())
      return std::nullopt;
    const std::optional<SkillEntry>& entry = db_.skills()[static_cast<std::size_t>(skill)];
    if (!entry || entry->doublingFlag != 1)
      return std::nullopt;
    return SourceLine{files_.skills, entry->line};
  }

  void addPrefixAmount(const ItemNumber& item, int32_t i) {
    Contribution c;
    c.amountLine = i + 1;
    c.amount =
        out_.type->amounts[static_cast<std::size_t>(i)][static_cast<std::size_t>(item.grade)];
    c.added = c.amount;
    const int32_t size = sumCount();
    if (!out_.change) {
      c.source = Contribution::Source::kPrefixSkill;
      c.from = {files_.rndItems, out_.prefix ? out_.prefix->line : 0};
      c.target = out_.prefix ? out_.prefix->skillIndex[static_cast<std::size_t>(i)] : 0;
      if (c.target < 0 || c.target >= size)
        return land(c, std::nullopt);
      c.doubledBy = doublingOf(c.target);
      return land(c, c.target);
    }
    c.source = Contribution::Source::kChange;
    c.from = {files_.changes, out_.change->line};
    c.target = out_.change->skillIndex;
    c.multiplier = out_.change->multiplier;
    c.added = wrapMul(c.multiplier, c.amount);
    if (c.target == -1)
      return land(c, size - 1);
    if (c.target < -size || c.target >= size)
      return land(c, std::nullopt);
    // Negative targets count from the end of the sums; they are no skill.
    c.doubledBy = doublingOf(c.target);
    land(c, (c.target + size) % size);
  }

  void land(Contribution c, std::optional<int32_t> sum) {
    c.sum = sum;
    if (c.doubledBy)
      c.added = wrapMul(c.added, 2);
    if (sum) {
      int32_t& total = out_.sums[static_cast<std::size_t>(*sum)];
      total = wrapAdd(total, c.added);
    } else {
      c.added = 0;
    }
    out_.contributions.push_back(c);
  }

  const ItemDatabase& db_;
  const DataFileNames& files_;
  ItemExplanation& out_;
};

}  // namespace

ItemExplanation explainItem(ItemDatabase& db, const DataFileNames& files, int32_t number) {
  ItemExplanation out;
  out.number = number;
  out.text = db.describe(number);
  out.item = decomposeItemNumber(db, number);
  if (out.item)
    Explainer(db, files, out).run(*out.item);
  return out;
}

}  // namespace tamrix
