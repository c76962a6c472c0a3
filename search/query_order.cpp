#include "search/query_order.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace tamrix {

namespace {

// One sort term's key for each item to order, computed once: ordered
// ascending, so that a descending key is stored negated. Names are compared
// as they are.
struct SortColumn {
  bool byName = false;
  bool descending = false;
  std::vector<int64_t> keys;
};

int64_t sortValue(const Term& term, const CatalogueItem& item) {
  switch (term.sortKey) {
    case SortKey::kSkills: {
      int32_t largest = item.sum(term.skills.front());
      for (const int32_t skill : term.skills)
        largest = std::max(largest, item.sum(skill));
      return largest;
    }
    case SortKey::kNumber:
      return item.number;
    case SortKey::kGrade:
      return item.grade;
    case SortKey::kDamage:
    case SortKey::kName:
      break;
  }
  return 0;
}

}  // namespace

void orderItems(std::vector<const CatalogueItem*>& items, const std::vector<Term>& terms) {
  std::vector<SortColumn> columns;
  for (const Term& term : terms) {
    if (term.kind != TermKind::kSort)
      continue;
    SortColumn& column = columns.emplace_back();
    column.byName = term.sortKey == SortKey::kName;
    column.descending = term.descending;
    if (column.byName)
      continue;
    column.keys.reserve(items.size());
    for (const CatalogueItem* item : items) {
      if (term.sortKey == SortKey::kDamage && !item->damage) {
        // After every item with a damage line, in either direction; no
        // twice-average comes near the largest 64-bit number.
        column.keys.push_back(std::numeric_limits<int64_t>::max());
        continue;
      }
      const int64_t value =
          term.sortKey == SortKey::kDamage ? item->damage->twiceAverage() : sortValue(term, *item);
      column.keys.push_back(term.descending ? -value : value);
    }
  }
  if (columns.empty())
    return;
  // The first key sits beside its item's position, so that the comparisons
  // it decides, most of them, read one array. Positions follow increasing
  // numbers, so the last tie-break needs no item.
  struct Entry {
    int64_t key;
    uint32_t position;
  };
  const bool firstByName = columns.front().byName;
  std::vector<Entry> entries(items.size());
  for (uint32_t i = 0; i < entries.size(); ++i)
    entries[i] = {firstByName ? 0 : columns.front().keys[i], i};
  const auto later = columns.begin() + (firstByName ? 0 : 1);
  std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    if (a.key != b.key)
      return a.key < b.key;
    for (auto column = later; column != columns.end(); ++column) {
      if (column->byName) {
        const int byName = items[a.position]->foldedName().compare(items[b.position]->foldedName());
        if (byName != 0)
          return column->descending ? byName > 0 : byName < 0;
      } else if (column->keys[a.position] != column->keys[b.position]) {
        return column->keys[a.position] < column->keys[b.position];
      }
    }
    return a.position < b.position;
  });
  std::vector<const CatalogueItem*> ordered;
  ordered.reserve(items.size());
  for (const Entry& entry : entries)
    ordered.push_back(items[entry.position]);
  items = std::move(ordered);
}

}  // namespace tamrix
