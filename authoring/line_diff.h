// The places where two texts differ, line by line: the fewest lines removed
// and added that turn one into the other.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tamrix {

// Lines oldFirst to oldFirst + oldCount - 1 of the old text give way to
// lines newFirst to newFirst + newCount - 1 of the new one (from 0). A hunk
// that only adds lines has oldCount 0 and stands before old line oldFirst.
struct LineHunk {
  int32_t oldFirst = 0;
  int32_t oldCount = 0;
  int32_t newFirst = 0;
  int32_t newCount = 0;
};

// The lines of `text`, each with the line feed that ends it (the last may
// have none); views into `text`.
std::vector<std::string_view> linesOf(std::string_view text);

// A shortest edit is sought up to this many lines removed and added; past it
// everything between the lines the texts begin and end with is one hunk, so
// that time and memory stay bounded.
inline constexpr int32_t kMaxLineEdits = 2000;

// The hunks that turn `old` into `now`, in order; neighbouring hunks have at
// least one line in common between them.
std::vector<LineHunk> diffLines(std::span<const std::string_view> old,
                                std::span<const std::string_view> now,
                                int32_t maxEdits = kMaxLineEdits);

}  // namespace tamrix
