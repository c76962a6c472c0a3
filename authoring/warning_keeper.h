// Where the warnings' pass puts what it raises: each is counted, and only
// those of the window are kept, so that the memory follows the window
// rather than the number of warnings a set raises.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "authoring/data_warnings.h"

namespace tamrix {

class WarningKeeper {
 public:
  WarningKeeper(const DataFileSet& files, WarningWindow window);

  // A warning at `where`, which names one of the files. `build` gives its
  // WarningTexts and is called only when the window keeps it: a set can
  // raise a warning per line, and a round keeps few of them.
  template <typename BuildTexts>
  void add(const SourceLine& where, WarningCode code, BuildTexts&& build) {
    if (admit(where, code))
      keep(std::forward<BuildTexts>(build)());
  }

  // While set, each warning added at a line past `afterLine` gets `note` as
  // its last note: what the warnings of a stretch of records follow from.
  struct TrailingNote {
    int32_t afterLine = 0;
    DataNote note;
  };
  std::optional<TrailingNote> trailingNote;

  // The kept warnings in report order, and the counts.
  FoundWarnings take() &&;

 private:
  // Counts the warning, and makes room for it when the window keeps it.
  bool admit(const SourceLine& where, WarningCode code);
  // Keeps the warning that admit() last made room for.
  void keep(WarningTexts texts);

  const DataFileSet& files_;
  WarningWindow window_;
  // The kept warnings of each file, a max-heap by rank: its top is the
  // first to go. Files rank in load order, so the last file that keeps any
  // holds the last kept warning of all.
  std::array<std::vector<DataWarning>, kDataFileCount> kept_;
  std::size_t keptCount_ = 0;
  uint64_t raised_ = 0;
  uint64_t countAfter_ = 0;
  std::array<uint64_t, kDataFileCount> countOf_{};
  // The place and code of the warning admit() made room for.
  WarningRank admitted_;
  WarningCode admittedCode_ = WarningCode::kFileUnreadable;
};

}  // namespace tamrix
