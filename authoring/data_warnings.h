// What loads without an error but is probably not what the author meant.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "authoring/source_line.h"
#include "authoring/warning_window.h"
#include "authoring/wording.h"
#include "database/data_file_set.h"
#include "database/file_reader.h"
#include "database/item_database.h"

namespace tamrix {

// An earlier line that a warning or a failed load follows from, with both
// its texts in one string, as a kept warning has them.
struct DataNote {
  DataNote() = default;
  DataNote(SourceLine at, std::string_view english, std::string_view inHungarian)
      : where(std::move(at)), englishSize(static_cast<uint32_t>(english.size())) {
    texts.reserve(english.size() + inHungarian.size());
    texts.append(english).append(inHungarian);
  }

  SourceLine where;
  std::string texts;  // the English, then the Hungarian
  uint32_t englishSize = 0;

  // English; names from the data stay Windows-1250.
  std::string_view message() const { return std::string_view(texts).substr(0, englishSize); }
  // The same in Hungarian, for the page, all of it Windows-1250: the same
  // numbers, names and places.
  std::string_view hungarian() const { return std::string_view(texts).substr(englishSize); }
};

// What a check says of a warning it raises: in English; names from the data
// stay Windows-1250. The same in Hungarian, for the page, all of it
// Windows-1250. And the earlier lines it follows from.
struct WarningTexts {
  std::string message;
  std::string hungarian;
  std::vector<DataNote> notes = {};
};

// A warning as the pass keeps it: its place by file, its code, and the texts
// its window keeps in one string. A set can raise a warning per line, so each
// is small.
struct DataWarning {
  // The line that holds the cause, and its column where one field is to blame.
  DataFile file = DataFile::kSkills;
  int32_t line = 0;
  int32_t column = 0;
  WarningCode code = WarningCode::kFileUnreadable;
  uint64_t raised = 0;  // how many warnings the pass raised before this one
  std::string texts;    // the English message, then the Hungarian, as the window keeps them
  uint32_t englishSize = 0;
  std::vector<DataNote> notes;

  // English; names from the data stay Windows-1250.
  std::string_view message() const { return std::string_view(texts).substr(0, englishSize); }
  std::string_view hungarian() const { return std::string_view(texts).substr(englishSize); }
  // Stable, for scripts: the names of authoring/wording.h's codes.
  std::string_view codeName() const { return codeWording(code).name; }
  WarningRank rank() const { return {file, line, column, raised}; }
  SourceLine where(const DataFileSet& files) const { return {files[file], line, column}; }
};

// What one run of the warnings' pass found: the warnings of its window in
// report order, and how many the set has in all.
struct FoundWarnings {
  std::vector<DataWarning> kept;
  uint64_t count = 0;
  std::array<uint64_t, kDataFileCount> countOf{};  // by file
  uint64_t countAfter = 0;  // of all, those ranked after the window's `after`
};

// The warnings for a data set that `db` loaded without error from `files`,
// in the order the files are loaded and by line and column within a file,
// then in the order raised: those of `window`, and the count of all.
// `readFile` gives the files' bytes again, for what the tables do not keep.
FoundWarnings findDataWarnings(const ItemDatabase& db, const DataFileSet& files,
                               const FileReader& readFile, const WarningWindow& window = {});

// How many warnings a round of forEachDataWarning keeps for a set of
// `setBytes` bytes: in proportion, so that a round's memory is a small part
// of the set's own.
std::size_t roundCapacityFor(int64_t setBytes);

// The window of the round after `window`, which found `found`; nothing when
// that round held the last of the warnings.
std::optional<WarningWindow> nextRound(const WarningWindow& window, const FoundWarnings& found);

// Gives `each` every warning of the set in report order, running the pass
// once per round of at most `roundCapacity` warnings (0: roundCapacityFor
// the set's bytes), so that no more than a round is held at once, with the
// texts of `language`. Returns the count.
uint64_t forEachDataWarning(const ItemDatabase& db, const DataFileSet& files,
                            const FileReader& readFile,
                            const std::function<void(const DataWarning&)>& each,
                            std::size_t roundCapacity = 0,
                            WarningLanguage language = WarningLanguage::kBoth);

// After a failed load of `db` from `files`: the earlier lines that the
// failure follows from, such as the line count of a type record that made
// the records after it read out of step.
std::vector<DataNote> findLoadFailureNotes(const ItemDatabase& db, const DataFileSet& files,
                                           const FileReader& readFile);

}  // namespace tamrix
