#include "search/compare.h"

#include <algorithm>

namespace tamrix {

namespace {

// The items whose value is the highest, unless every item has it; an item
// without a value has no part in it.
template <typename Value>
std::vector<bool> bestOf(const std::vector<std::optional<Value>>& values) {
  std::optional<Value> highest;
  for (const std::optional<Value>& value : values) {
    if (value && (!highest || *value > *highest))
      highest = value;
  }
  std::vector<bool> best(values.size());
  for (std::size_t i = 0; i < values.size(); ++i)
    best[i] = values[i] && *values[i] == *highest;
  if (std::all_of(best.begin(), best.end(), [](bool b) { return b; }))
    std::fill(best.begin(), best.end(), false);
  return best;
}

}  // namespace

Comparison compareItems(const Catalogue& catalogue, std::span<const int32_t> numbers) {
  Comparison comparison;
  std::vector<const CatalogueItem*> items;
  std::vector<int32_t> skills;
  for (const int32_t number : numbers) {
    const CatalogueItem* item = catalogue.find(number);
    items.push_back(item);
    comparison.numbers.push_back(number);
    comparison.names.emplace_back(item ? item->nameLine() : std::string_view());
    if (item) {
      for (const SkillSum& bonus : item->bonuses())
        skills.push_back(bonus.skill);
    }
  }
  std::sort(skills.begin(), skills.end());
  skills.erase(std::unique(skills.begin(), skills.end()), skills.end());
  for (const int32_t skill : skills) {
    ComparisonRow& row = comparison.rows.emplace_back();
    row.skill = skill;
    const CatalogueSkill* entry = catalogue.skill(skill);
    row.name = entry ? entry->name : "?";
    std::vector<std::optional<int32_t>> values;
    for (const CatalogueItem* item : items) {
      row.values.push_back(item ? item->sum(skill) : 0);
      values.push_back(item ? std::optional(row.values.back()) : std::nullopt);
    }
    row.best = bestOf(values);
  }
  if (std::any_of(items.begin(), items.end(),
                  [](const auto* item) { return item && item->damage; })) {
    std::vector<std::optional<int64_t>> averages;
    for (const CatalogueItem* item : items) {
      comparison.damage.push_back(item ? item->damage : std::nullopt);
      averages.push_back(comparison.damage.back()
                             ? std::optional(comparison.damage.back()->twiceAverage())
                             : std::nullopt);
    }
    comparison.damageBest = bestOf(averages);
  }
  return comparison;
}

}  // namespace tamrix
