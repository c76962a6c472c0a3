#include "authoring/data_warnings.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "authoring/change_checks.h"
#include "authoring/hungarian.h"
#include "authoring/line_accounting.h"
#include "authoring/name_checks.h"
#include "authoring/rnd_item_checks.h"
#include "authoring/skill_checks.h"
#include "authoring/std_item_checks.h"
#include "authoring/text_checks.h"
#include "authoring/type_checks.h"
#include "authoring/value_meaning.h"
#include "authoring/warning_context.h"

namespace tamrix {

namespace {

// The files of the pass, each read at most once however many rounds there
// are, and what every round finds the same in them.
struct PassSources {
  explicit PassSources(FileReader readFile) : files(std::move(readFile)) {}

  SourceFiles files;
  // The type record read out of step, once the type file has been walked.
  std::optional<std::optional<TypeOutOfStep>> typesOutOfStep;
};

// One run of the pass over the files of `sources`.
FoundWarnings findIn(PassSources& sources, const ItemDatabase& db, const DataFileSet& files,
                     const WarningWindow& window) {
  const SourceFile unreadable;
  WarningContext context(db, files, window);
  for (const DataFile file : kReadFiles) {
    const SourceFile*& text = context.texts[static_cast<std::size_t>(file)];
    text = sources.files.file(files[file]);
    if (text == nullptr) {
      // It loaded, but is gone or locked now: what it would warn of is unknown.
      context.add({files[file]}, WarningCode::kFileUnreadable, [&] {
        return WarningTexts{
            "the file cannot be read again to look for warnings: check it once more",
            hu("a fájl nem olvasható újra a figyelmeztetésekhez: ellenőrizzük még egyszer")};
      });
      text = &unreadable;
    }
    checkText(context, file);
    for (auto* check : {findUnreadBytes, findMeaninglessValues, findNameSlips})
      check(*text, file, files[file], db, context.warnings);
  }
  if (!sources.typesOutOfStep)
    sources.typesOutOfStep = findTypeOutOfStep(context.text(DataFile::kTypes));
  context.typesOutOfStep = *sources.typesOutOfStep;
  checkSkills(context);
  checkStdItems(context);
  checkTypes(context);
  checkRndItems(context);
  checkChanges(context);
  return std::move(context.warnings).take();
}

}  // namespace

FoundWarnings findDataWarnings(const ItemDatabase& db, const DataFileSet& files,
                               const FileReader& readFile, const WarningWindow& window) {
  PassSources sources(readFile);
  return findIn(sources, db, files, window);
}

std::size_t roundCapacityFor(int64_t setBytes) {
  // A kept warning takes 150 to 400 bytes with its texts and notes in one
  // language, so a round of one per kBytesPerKept bytes of the set holds
  // under a byte per byte of it. A set with a warning on every line of a
  // dozen bytes needs about forty rounds, each a whole pass; a pass builds
  // the texts of only the warnings it keeps, and forEachDataWarning reads
  // the files once.
  constexpr int64_t kBytesPerKept = 512;
  constexpr std::size_t kLeast = 4096;
  return std::max(kLeast, static_cast<std::size_t>(std::max<int64_t>(setBytes, 0) / kBytesPerKept));
}

std::optional<WarningWindow> nextRound(const WarningWindow& window, const FoundWarnings& found) {
  if (found.kept.empty() || found.kept.size() >= found.countAfter)
    return std::nullopt;
  WarningWindow next = window;
  next.after = found.kept.back().rank();
  return next;
}

uint64_t forEachDataWarning(const ItemDatabase& db, const DataFileSet& files,
                            const FileReader& readFile,
                            const std::function<void(const DataWarning&)>& each,
                            std::size_t roundCapacity, WarningLanguage language) {
  std::optional<WarningWindow> window = WarningWindow{};
  window->language = language;
  window->capacity = roundCapacity > 0 ? roundCapacity : roundCapacityFor(db.dataSetBytes());
  // Every round holds the files' lines while it runs, so keeping them for
  // the next costs no more at the peak, and each file is read once.
  PassSources sources(readFile);
  for (;;) {
    const FoundWarnings round = findIn(sources, db, files, *window);
    for (const DataWarning& w : round.kept)
      each(w);
    window = nextRound(*window, round);
    if (!window)
      return round.count;
  }
}

}  // namespace tamrix
