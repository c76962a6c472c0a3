// The catalogue builder: the one place where the search reads the database.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "decoder/decode_item.h"
#include "search/fold.h"
#include "search/search.h"

namespace tamrix {

namespace {

// The first item number and one past the last, as the loaded tables give them.
struct NumberRange {
  int64_t first = 0;
  int64_t end = 0;
};

NumberRange itemNumbers(const ItemDatabase& db) {
  const int64_t first = db.specItemCount;
  const int64_t end = first + int64_t{db.rndItemCount} * db.stdItemCount;
  return {first, std::min<int64_t>(end, int64_t{INT32_MAX} + 1)};
}

std::vector<CatalogueSkill> presentSkills(const ItemDatabase& db) {
  std::vector<CatalogueSkill> skills;
  const auto count = std::min({static_cast<std::size_t>(std::max(db.skillCount, 0)),
                               db.skills.size(), db.skillPresent.size()});
  for (std::size_t i = 0; i < count; ++i) {
    if (db.skillPresent[i] != 1)
      continue;
    const std::string& name = db.skills[i].name;
    skills.push_back({static_cast<int32_t>(i), name, foldText(name)});
  }
  return skills;
}

// Only the skills' sums; the damage figures that follow them are no bonus.
std::size_t skillSlots(const ItemDatabase& db) {
  return static_cast<std::size_t>(std::max(db.skillCount, 0));
}

}  // namespace

std::string_view CatalogueItem::nameLine() const {
  const std::string_view text = description;
  return text.substr(0, text.find('\n'));
}

int32_t CatalogueItem::sum(int32_t skill) const {
  for (const SkillSum& bonus : bonuses) {
    if (bonus.skill == skill)
      return bonus.sum;
  }
  return 0;
}

Catalogue::Catalogue(ItemDatabase& db) : skills_(presentSkills(db)) {
  const NumberRange numbers = itemNumbers(db);
  const std::size_t slots = skillSlots(db);
  std::vector<SkillSum> found;
  items_.reserve(static_cast<std::size_t>(std::max<int64_t>(numbers.end - numbers.first, 0)));
  for (int64_t n = numbers.first; n < numbers.end; ++n) {
    const auto number = static_cast<int32_t>(n);
    const std::string_view text = db.describe(number);
    if (text.empty())
      continue;
    const std::optional<ItemDecoding> decoding = decodeItem(db, number);
    if (!decoding)
      continue;
    CatalogueItem item;
    item.number = number;
    item.description = text;
    item.foldedName = foldText(item.nameLine());
    item.kind = decoding->kind;
    item.grade = decoding->item.grade;
    item.prefix = decoding->item.prefix;
    item.chaos = decoding->chaos;
    // Collected in a vector that keeps its storage, so that each item's list
    // is allocated once, at its size.
    found.clear();
    const std::size_t end = std::min(slots, decoding->sums.size());
    for (std::size_t k = 0; k < end; ++k) {
      if (decoding->sums[k] != 0)
        found.push_back({static_cast<int32_t>(k), decoding->sums[k]});
    }
    item.bonuses.assign(found.begin(), found.end());
    items_.push_back(std::move(item));
  }
}

}  // namespace tamrix
