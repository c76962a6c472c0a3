#include "search/name_words.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <tuple>
#include <unordered_map>

namespace tamrix {

namespace {

constexpr std::size_t kMaxEdits = 2;

// The Levenshtein distance of `a` and `b`, or more than `limit` when it
// exceeds it.
std::size_t editDistance(std::string_view a, std::string_view b, std::size_t limit) {
  if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit)
    return limit + 1;
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    std::size_t best = row[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
      best = std::min(best, row[j]);
    }
    if (best > limit)
      return limit + 1;
  }
  return row.back();
}

}  // namespace

NameWords::NameWords(const Catalogue& catalogue) {
  std::unordered_map<std::string_view, std::size_t> index;
  // For each word, the last name line counted: a word that a line holds
  // twice counts once.
  std::vector<std::size_t> lastLine;
  const std::vector<CatalogueItem>& items = catalogue.items();
  for (std::size_t line = 0; line < items.size(); ++line) {
    const CatalogueItem& item = items[line];
    // Folding keeps every byte in its place, so both texts split alike.
    const std::string_view folded = item.foldedName();
    const std::string_view shown = item.nameLine();
    std::size_t start = 0;
    while (start < folded.size()) {
      std::size_t end = folded.find(' ', start);
      if (end == std::string_view::npos)
        end = folded.size();
      if (end > start) {
        const std::string_view word = folded.substr(start, end - start);
        const auto [at, added] = index.try_emplace(word, words_.size());
        if (added) {
          words_.push_back({word, shown.substr(start, end - start), 0});
          lastLine.push_back(items.size());
        }
        if (lastLine[at->second] != line) {
          lastLine[at->second] = line;
          ++words_[at->second].lines;
        }
      }
      start = end + 1;
    }
  }
}

std::optional<NameWord> NameWords::closest(std::string_view word) const {
  const std::size_t limit = std::min(kMaxEdits, word.empty() ? 0 : word.size() - 1);
  const Entry* best = nullptr;
  std::size_t bestDistance = limit + 1;
  for (const Entry& entry : words_) {
    const std::size_t distance = editDistance(word, entry.folded, limit);
    if (distance > limit)
      continue;
    if (best == nullptr || std::make_tuple(distance, -entry.lines, entry.folded) <
                               std::make_tuple(bestDistance, -best->lines, best->folded)) {
      best = &entry;
      bestDistance = distance;
    }
  }
  if (best == nullptr || bestDistance == 0)
    return std::nullopt;
  return NameWord{std::string(best->folded), std::string(best->shown)};
}

}  // namespace tamrix
