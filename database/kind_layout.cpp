#include "database/kind_layout.h"

#include <algorithm>

namespace tamrix {

const StdNumberField* KindLayout::find(StdNumberField field) const {
  const auto at =
      std::find(fields.begin(), fields.begin() + static_cast<std::ptrdiff_t>(count), field);
  return at == fields.begin() + static_cast<std::ptrdiff_t>(count) ? nullptr : &*at;
}

KindLayout layoutOf(int32_t kind) {
  if (isWeaponKind(kind))
    return {{&StdItemEntry::damageSides, &StdItemEntry::damageDice, &StdItemEntry::damageBonus,
             &StdItemEntry::hitChanceBonus, &StdItemEntry::durabilityBonus},
            5};
  switch (kind) {
    case 1:
    case 4:
    case 5:
    case 9:
    case 10:
      return {{&StdItemEntry::defenceBonus, &StdItemEntry::durabilityBonus}, 2};
    case 13:
      return {{&StdItemEntry::defenceBonus, &StdItemEntry::durabilityBonus,
               &StdItemEntry::hitChanceBonus},
              3};
    default:
      return {};
  }
}

const OwnNumber& ownNumberOf(StdNumberField field) {
  const auto at = std::find_if(kOwnNumbers.begin(), kOwnNumbers.end(),
                               [field](const OwnNumber& own) { return own.field == field; });
  return at != kOwnNumbers.end() ? *at : kOwnNumbers.front();
}

}  // namespace tamrix
