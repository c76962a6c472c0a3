// What every group of the warnings' checks works with: the loaded tables,
// the files' names and texts, and the keeper the warnings go to; and the
// helpers that several groups share.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "authoring/data_warnings.h"
#include "authoring/source_file.h"
#include "authoring/warning_keeper.h"
#include "authoring/wording.h"

namespace tamrix {

// A part of a warning that the helpers below build their message around, in
// English and in Hungarian (Windows-1250). The Hungarian is a noun phrase with
// its article, such as "a tárgyszám".
struct Phrase {
  std::string english;
  std::string hungarian;
};

struct WarningContext {
  WarningContext(const ItemDatabase& loaded, const DataFileSet& names, WarningWindow window)
      : db(loaded), files(names), warnings(names, window) {}

  const ItemDatabase& db;
  const DataFileSet& files;
  // Each read file's text as the warnings' pass read it again (empty when
  // it cannot be), and the type file's record read out of step.
  std::array<const SourceFile*, kDataFileCount> texts{};
  std::optional<TypeOutOfStep> typesOutOfStep;
  WarningKeeper warnings;

  const std::string& name(DataFile file) const { return files[file]; }
  const SourceFile& text(DataFile file) const { return *texts[static_cast<std::size_t>(file)]; }

  // A warning in English, for tamrix-cli, and in Hungarian (Windows-1250),
  // for the page; the two hold the same numbers, names and places. `build`
  // gives its WarningTexts, and is called only when the round keeps it.
  template <typename BuildTexts>
  void add(const SourceLine& where, WarningCode code, BuildTexts&& build) {
    warnings.add(where, code, std::forward<BuildTexts>(build));
  }

  bool hasSkill(int32_t index) const;
  bool skillTableEmpty() const;
  // The bonus vector's length: the skills, then the damage sums.
  int32_t sumCount() const;
  Phrase skillLabel(int32_t skill) const;
  // The damage sum that bonus index `sum` (at or past the skills) adds to.
  Phrase damageName(int32_t sum) const;

  // A bonus that lands on a skill without a line; reported only while the
  // skill table has lines at all (an empty one is reported once).
  void checkTargetSkill(const SourceLine& where, int32_t skill,
                        const std::function<Phrase()>& what);

  // Warns of the number field of `line` that starts at byte `at` of its text
  // when it is missing or does not read as written. Returns false when it is
  // missing.
  // `what` names the field, and is called only for a warning the round keeps.
  bool checkNumberField(DataFile file, const DataLine& line, std::size_t at,
                        const std::function<Phrase()>& what);

  // A key (skill index, slot) and the line that gives it.
  struct Keyed {
    int64_t key;
    const DataLine* line;
    int32_t column;
  };
  // Warns of every line whose key an earlier line gave; the last line for a
  // key counts.
  void warnRepeats(DataFile file, const std::vector<Keyed>& lines, WarningCode code,
                   const std::function<Phrase(int64_t)>& what);
};

// A note at `line` of `fileName`.
DataNote noteAt(const std::string& fileName, int32_t line, std::string message,
                std::string_view hungarian);

// The note for the type record whose line count, or the lack of it, makes
// the records after it read out of step.
DataNote outOfStepNote(const std::string& typeFile, const TypeOutOfStep& record);

// The note for the count line that decides how many skill index lines an
// entry of that type reads.
DataNote skillLinesNote(const std::string& typeFile, const TypeEntry& type);

// Whether an entry's type is read out of step: it is the type whose count
// seems wrong or one after it.
bool readOutOfStep(const std::optional<TypeOutOfStep>& outOfStep, const TypeEntry* type);

}  // namespace tamrix
