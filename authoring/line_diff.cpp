#include "authoring/line_diff.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace tamrix {

namespace {

// Marks the lines a shortest edit removes from `a` and adds from `b`
// (Myers' greedy walk over the diagonals, then back along the saved
// fronts); false when it needs more than `maxEdits` lines.
bool markEdit(std::span<const std::string_view> a, std::span<const std::string_view> b,
              int32_t maxEdits, std::vector<bool>& removed, std::vector<bool>& added) {
  const auto n = static_cast<int32_t>(a.size());
  const auto m = static_cast<int32_t>(b.size());
  const int32_t most = std::min(n + m, maxEdits);
  // front[d][k + d]: the furthest x on diagonal k = x - y after d edits.
  std::vector<std::vector<int32_t>> front;
  std::vector<int32_t> v(static_cast<std::size_t>(2 * most + 3), 0);
  const auto at = [&](int32_t k) -> int32_t& {
    const int32_t index = k + most + 1;
    return v[static_cast<std::size_t>(index)];
  };
  for (int32_t d = 0; d <= most; ++d) {
    for (int32_t k = -d; k <= d; k += 2) {
      int32_t x = k == -d || (k != d && at(k - 1) < at(k + 1)) ? at(k + 1) : at(k - 1) + 1;
      int32_t y = x - k;
      while (x < n && y < m && a[static_cast<std::size_t>(x)] == b[static_cast<std::size_t>(y)])
        ++x, ++y;
      at(k) = x;
    }
    front.emplace_back(v.begin() + (most + 1 - d), v.begin() + (most + 2 + d));
    // The end lies on diagonal n - m, which round d reaches only within
    // d and with d's parity.
    if (std::abs(n - m) > d || (n - m + d) % 2 != 0 || at(n - m) < n)
      continue;
    // Back from the end: each edit is the step before the snake that
    // reaches the point.
    int32_t x = n;
    int32_t y = m;
    for (int32_t e = d; e > 0; --e) {
      const int32_t k = x - y;
      const std::vector<int32_t>& before = front[static_cast<std::size_t>(e - 1)];
      const auto was = [&](int32_t kk) { return before[static_cast<std::size_t>(kk + e - 1)]; };
      const bool down = k == -e || (k != e && was(k - 1) < was(k + 1));
      const int32_t prevK = down ? k + 1 : k - 1;
      const int32_t prevX = was(prevK);
      const int32_t prevY = prevX - prevK;
      if (down)
        added[static_cast<std::size_t>(prevY)] = true;
      else
        removed[static_cast<std::size_t>(prevX)] = true;
      x = prevX;
      y = prevY;
    }
    return true;
  }
  return false;
}

}  // namespace

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end);
  }
  return lines;
}

std::vector<LineHunk> diffLines(std::span<const std::string_view> old,
                                std::span<const std::string_view> now, int32_t maxEdits) {
  std::size_t head = 0;
  while (head < old.size() && head < now.size() && old[head] == now[head])
    ++head;
  std::size_t tail = 0;
  while (tail < old.size() - head && tail < now.size() - head &&
         old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
    ++tail;
  const std::span<const std::string_view> a = old.subspan(head, old.size() - head - tail);
  const std::span<const std::string_view> b = now.subspan(head, now.size() - head - tail);
  const auto first = static_cast<int32_t>(head);
  if (a.empty() && b.empty())
    return {};
  std::vector<bool> removed(a.size());
  std::vector<bool> added(b.size());
  if (!markEdit(a, b, maxEdits, removed, added))
    return {{first, static_cast<int32_t>(a.size()), first, static_cast<int32_t>(b.size())}};
  std::vector<LineHunk> hunks;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && !removed[i] && !added[j]) {
      ++i, ++j;
      continue;
    }
    LineHunk hunk{first + static_cast<int32_t>(i), 0, first + static_cast<int32_t>(j), 0};
    for (bool more = true; more;) {
      more = false;
      for (; i < a.size() && removed[i]; ++i, more = true)
        ++hunk.oldCount;
      for (; j < b.size() && added[j]; ++j, more = true)
        ++hunk.newCount;
    }
    if (hunk.oldCount == 0 && hunk.newCount == 0)
      break;  // a walk that marked no line here; never so for a shortest edit
    hunks.push_back(hunk);
  }
  return hunks;
}

}  // namespace tamrix
