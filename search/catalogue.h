// The catalogue: every item of a loaded database as the search reads it,
// its description, folded name line, kind, grade, prefix and bonuses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/bonus_layout.h"
#include "database/item_database.h"

namespace tamrix {

// A bonus that an item's description shows: the skill's index and its sum.
struct SkillSum {
  int32_t skill = 0;
  int32_t sum = 0;
};

struct CatalogueItem {
  int32_t number = 0;
  int32_t kind = 0;       // the group base's kind
  int32_t grade = 0;      // 0 to kGroupSlots - 1
  int32_t prefix = 0;     // the random prefix index; 0 for none
  int32_t groupBase = 0;  // the item number of the group base without a prefix
  bool chaos = false;     // the chaos item: no name of its own, no bonuses
  // Set for the items whose description has a damage line: weapons, but not
  // their chaos items.
  std::optional<DamageFigure> damage;

  // Windows-1250, exactly as describe gives it.
  std::string_view description() const { return description_; }
  // The name line, folded.
  std::string_view foldedName() const { return foldedName_; }
  // Every sum that is not 0, by increasing skill.
  std::span<const SkillSum> bonuses() const { return {bonuses_.data(), bonusCount_}; }
  // The name line, in Windows-1250.
  std::string_view nameLine() const;
  // The sum the description shows for `skill`; 0 when it shows none.
  int32_t sum(int32_t skill) const;

 private:
  friend class Catalogue;
  // Views into the catalogue's texts.
  std::string_view description_;
  std::string_view foldedName_;
  // A prefix gives at most one skill per amount line, the standard item its
  // own skills: so many sums fit in the item itself.
  std::array<SkillSum, kTypeMaxLines + kOwnSkillCount> bonuses_{};
  std::size_t bonusCount_ = 0;
};

// A skill of the loaded skill table that has a data line.
struct CatalogueSkill {
  int32_t index = 0;
  std::string name;  // Windows-1250
  std::string foldedName;
};

// Everything a search reads, taken from a loaded database once. It does not
// refer to the database afterwards.
class Catalogue {
 public:
  // Every number from the first item number to the last one whose
  // description is not empty, in increasing order.
  explicit Catalogue(const ItemDatabase& db);
  // A move keeps the items' views valid; a copy would not.
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;
  Catalogue(Catalogue&&) = default;
  Catalogue& operator=(Catalogue&&) = default;

  const std::vector<CatalogueItem>& items() const { return items_; }
  // The present skills, by increasing index.
  const std::vector<CatalogueSkill>& skills() const { return skills_; }

  // The item with this number, or null when its description is empty.
  const CatalogueItem* find(int32_t number) const;
  // The present skill with this index, or null.
  const CatalogueSkill* skill(int32_t index) const;
  // The item numbers the tables describe, first to last.
  int32_t firstNumber() const { return firstNumber_; }
  int32_t lastNumber() const { return lastNumber_; }
  // The group base's item number (without a prefix) of any number from the
  // first to the last, as CatalogueItem::groupBase gives it for an item.
  int32_t groupBaseOf(int32_t number) const;

 private:
  // Every item's description and folded name line, one after the other, in
  // one buffer rather than two small ones an item: building the catalogue
  // then costs little more than describing every item.
  std::vector<char> texts_;
  std::vector<CatalogueItem> items_;
  std::vector<CatalogueSkill> skills_;
  // The tables' shape, for numbers that are no item: none when the database
  // has no items, so that lastNumber < firstNumber.
  int32_t firstNumber_ = 0;
  int32_t lastNumber_ = -1;
  int32_t stdItemCount_ = 1;
  int32_t groupSize_ = 1;
};

}  // namespace tamrix
