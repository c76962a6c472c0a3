// The catalogue builder: the one place where the search reads the database.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "decoder/decode_item.h"
#include "decoder/describe.h"
#include "decoder/item_number.h"
#include "search/catalogue.h"
#include "search/fold.h"

namespace tamrix {

namespace {

std::vector<CatalogueSkill> presentSkills(const ItemDatabase& db) {
  std::vector<CatalogueSkill> skills;
  for (std::size_t i = 0; i < db.skills().size(); ++i) {
    if (const std::optional<SkillEntry>& skill = db.skills()[i])
      skills.push_back({static_cast<int32_t>(i), skill->name, foldText(skill->name)});
  }
  return skills;
}

}  // namespace

std::string_view CatalogueItem::nameLine() const {
  const std::string_view text = description();
  return text.substr(0, text.find('\n'));
}

const CatalogueItem* Catalogue::find(int32_t number) const {
  const auto at =
      std::lower_bound(items_.begin(), items_.end(), number,
                       [](const CatalogueItem& item, int32_t n) { return item.number < n; });
  return at != items_.end() && at->number == number ? &*at : nullptr;
}

const CatalogueSkill* Catalogue::skill(int32_t index) const {
  const auto at =
      std::lower_bound(skills_.begin(), skills_.end(), index,
                       [](const CatalogueSkill& skill, int32_t i) { return skill.index < i; });
  return at != skills_.end() && at->index == index ? &*at : nullptr;
}

int32_t Catalogue::groupBaseOf(int32_t number) const {
  const int32_t slot = (number - firstNumber_) % stdItemCount_;
  return firstNumber_ + slot - slot % groupSize_;
}

int32_t CatalogueItem::sum(int32_t skill) const {
  for (const SkillSum& bonus : bonuses()) {
    if (bonus.skill == skill)
      return bonus.sum;
  }
  return 0;
}

Catalogue::Catalogue(const ItemDatabase& db) : skills_(presentSkills(db)) {
  const ItemNumberRange numbers = itemNumberRange(db);
  if (numbers.end > numbers.first) {
    firstNumber_ = static_cast<int32_t>(numbers.first);
    lastNumber_ = static_cast<int32_t>(numbers.end - 1);
    stdItemCount_ = db.stdItemCount();
    groupSize_ = db.groupSize();
  }
  const auto itemBound =
      static_cast<std::size_t>(std::max<int64_t>(numbers.end - numbers.first, 0));
  items_.reserve(itemBound);
  // Room for the usual texts; longer ones grow the buffer. Where each item's
  // texts lie is kept as offsets until the buffer has stopped growing.
  constexpr std::size_t kUsualTextSize = 256;
  texts_.reserve(itemBound * kUsualTextSize);
  struct Place {
    std::size_t offset;
    std::size_t descriptionSize;
    std::size_t nameSize;
  };
  std::vector<Place> places;
  places.reserve(itemBound);
  std::string description;
  for (int64_t n = numbers.first; n < numbers.end; ++n) {
    const auto number = static_cast<int32_t>(n);
    // One decoding gives both the text and the numbers searched.
    const std::optional<ItemDecoding> decoding = decodeItem(db, number);
    if (!decoding)
      continue;
    CatalogueItem& item = items_.emplace_back();
    item.number = number;
    composeDescription(db, decoding, description);
    const std::string_view nameLine =
        std::string_view(description).substr(0, description.find('\n'));
    places.push_back({texts_.size(), description.size(), nameLine.size()});
    texts_.insert(texts_.end(), description.begin(), description.end());
    appendFolded(texts_, nameLine);
    item.kind = decoding->kind;
    item.grade = decoding->item.grade;
    item.prefix = decoding->item.prefix;
    item.groupBase = firstNumber_ + decoding->item.groupBase;
    item.chaos = decoding->chaos;
    if (isWeaponKind(item.kind) && !item.chaos) {
      const std::vector<int32_t>& sums = decoding->sums;
      item.damage = damageOf(sums);
    }
    for (const int32_t skill : decoding->skillsAdded())
      if (const int32_t sum = decoding->sums[static_cast<std::size_t>(skill)]; sum != 0)
        item.bonuses_[item.bonusCount_++] = {skill, sum};
  }
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const Place& place = places[i];
    const char* const text = texts_.data() + place.offset;
    items_[i].description_ = std::string_view(text, place.descriptionSize);
    items_[i].foldedName_ = std::string_view(text + place.descriptionSize, place.nameSize);
  }
}

}  // namespace tamrix
