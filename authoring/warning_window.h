// Which of a data set's warnings one run of the warnings' pass keeps: the
// first so many in report order after a given place.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "database/data_file_set.h"

namespace tamrix {

// A warning's place in the report: its file in load order, its line and
// column, then the order the pass raised it in, which makes every rank one
// warning's own and the same in every run over the same files.
struct WarningRank {
  DataFile file = DataFile::kSpecItems;
  int32_t line = 0;
  int32_t column = 0;
  uint64_t raised = 0;

  // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 misreads a defaulted <=>
  auto operator<=>(const WarningRank&) const = default;
};

// The texts of a warning and its notes that its reader shows: the programs
// and the editors show the English, the page the Hungarian.
enum class WarningLanguage : uint8_t { kBoth, kEnglish, kHungarian };

struct WarningWindow {
  // The most warnings kept, in all and of each file.
  std::size_t capacity = std::numeric_limits<std::size_t>::max();
  std::size_t perFile = std::numeric_limits<std::size_t>::max();
  // Only the warnings ranked after this one are kept; none: from the first.
  std::optional<WarningRank> after;
  // The texts kept of each warning it keeps; the others read empty.
  WarningLanguage language = WarningLanguage::kBoth;
};

}  // namespace tamrix
