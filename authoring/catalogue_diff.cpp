#include "authoring/catalogue_diff.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string_view>
#include <tuple>

#include "decoder/describe.h"
#include "decoder/item_number.h"

namespace tamrix {

namespace {

// The parts of a description: the name line's words, and each other line
// split before every blank that a sign and a digit follow (one bonus each).
std::vector<std::string> partsOf(std::string_view text) {
  std::vector<std::string> parts;
  for (bool nameLine = true; !text.empty(); nameLine = false) {
    const std::size_t feed = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, feed);
    text.remove_prefix(std::min(feed + 1, text.size()));
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
      const bool bonusStarts = i + 2 < line.size() && line[i] == ' ' &&
                               (line[i + 1] == '+' || line[i + 1] == '-') && line[i + 2] >= '0' &&
                               line[i + 2] <= '9';
      if (i == line.size() || (nameLine ? line[i] == ' ' : bonusStarts)) {
        // A bonus line before a damage line ends with a blank.
        std::string_view part = line.substr(start, i - start);
        while (!part.empty() && part.back() == ' ')
          part.remove_suffix(1);
        if (!part.empty())
          parts.emplace_back(part);
        start = i + 1;
      }
    }
  }
  return parts;
}

// The parts of `from` that `other` does not hold as often, in order.
std::vector<std::string> partsLeft(const std::vector<std::string>& from,
                                   const std::vector<std::string>& other) {
  std::map<std::string_view, int> count;
  for (const std::string& part : other)
    ++count[part];
  std::vector<std::string> left;
  for (const std::string& part : from)
    if (count[part]-- <= 0)
      left.push_back(part);
  return left;
}

void addOnce(std::vector<int32_t>& values, int32_t value) {
  const auto at = std::lower_bound(values.begin(), values.end(), value);
  if (at == values.end() || *at != value)
    values.insert(at, value);
}

}  // namespace

std::vector<CatalogueChange> diffCatalogues(const ItemDatabase& before, const ItemDatabase& after,
                                            const std::vector<int32_t>& numbers) {
  std::vector<CatalogueChange> changes;
  std::string old;
  std::string now;
  for (const int32_t number : numbers) {
    describeItem(before, number, old);
    describeItem(after, number, now);
    if (old != now)
      changes.push_back({number, old, now});
  }
  return changes;
}

std::vector<ChangeGroup> groupChanges(const ItemDatabase& db,
                                      const std::vector<CatalogueChange>& changes) {
  using Key = std::tuple<ChangeGroup::Kind, std::vector<std::string>, std::vector<std::string>>;
  std::map<Key, ChangeGroup> groups;
  for (const CatalogueChange& c : changes) {
    Key key{c.before.empty()  ? ChangeGroup::Kind::kAppeared
            : c.after.empty() ? ChangeGroup::Kind::kDisappeared
                              : ChangeGroup::Kind::kChanged,
            {},
            {}};
    if (std::get<0>(key) == ChangeGroup::Kind::kChanged) {
      const std::vector<std::string> old = partsOf(c.before);
      const std::vector<std::string> now = partsOf(c.after);
      std::get<1>(key) = partsLeft(old, now);
      std::get<2>(key) = partsLeft(now, old);
    }
    ChangeGroup& group = groups[key];
    group.kind = std::get<0>(key);
    group.removed = std::get<1>(key);
    group.added = std::get<2>(key);
    group.numbers.push_back(c.number);
    if (const std::optional<ItemNumber> item = decomposeItemNumber(db, c.number)) {
      addOnce(group.grades, item->grade);
      addOnce(group.prefixes, item->prefix);
    }
  }
  std::vector<ChangeGroup> sorted;
  for (auto& [key, group] : groups)
    sorted.push_back(std::move(group));
  std::sort(sorted.begin(), sorted.end(), [](const ChangeGroup& a, const ChangeGroup& b) {
    return std::pair(b.numbers.size(), a.numbers.front()) <
           std::pair(a.numbers.size(), b.numbers.front());
  });
  return sorted;
}

std::vector<CatalogueChange> diffCatalogues(const ItemDatabase& before, const ItemDatabase& after) {
  std::vector<CatalogueChange> changes;
  // Over the item numbers of both sets; a set that describes none adds none.
  const ItemNumberRange a = itemNumberRange(before);
  const ItemNumberRange b = itemNumberRange(after);
  const ItemNumberRange both =
      a.first == a.end   ? b
      : b.first == b.end ? a
                         : ItemNumberRange{std::min(a.first, b.first), std::max(a.end, b.end)};
  std::string old;
  std::string now;
  for (int64_t n = both.first; n < both.end; ++n) {
    const auto number = static_cast<int32_t>(n);
    describeItem(before, number, old);
    describeItem(after, number, now);
    if (old != now)
      changes.push_back({number, old, now});
  }
  return changes;
}

}  // namespace tamrix
