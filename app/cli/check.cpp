#include "app/cli/check.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "app/cli/diagnostic.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "authoring/data_warnings.h"

namespace tamrix::cli {

namespace {

void writeWarning(const DataSetPlace& place, const DataWarning& w, Format format) {
  const SourceLine where = w.where(dialogDataFiles());
  if (format == Format::kJson) {
    Json record;
    record["warning"] = w.codeName();
    record.update(jsonPlace(place, where));
    record["column"] = w.column > 0 ? Json(w.column) : Json(nullptr);
    record["message"] = utf8(w.message());
    record["notes"] = jsonNotes(place, w.notes);
    writeOutput(stdout, jsonLine(record));
  } else {
    std::string message(w.message());
    message.append(" [").append(w.codeName()).append("]");
    writeOutput(stdout, diagnostic(place, where, "warning", message, format) +
                            noteLines(place, w.notes, format));
  }
}

}  // namespace

Outcome checkDataSet(const Options& options, const ItemDatabase& db, const DataSetPlaces& places) {
  const DataSetPlace& place = places.here;
  writeOutput(stdout, loadSummary(db, options.format));
  const auto write = [&](const DataWarning& w) { writeWarning(place, w, options.format); };
  uint64_t count = 0;
  if (!options.maxWarnings) {
    // In rounds, so that a set with a warning on every line is never held
    // as a list of warnings.
    count = forEachDataWarning(db, dialogDataFiles(), dataSetReader(place), write, 0,
                               WarningLanguage::kEnglish);
  } else {
    // The window holds at most the warnings shown.
    WarningWindow window;
    window.language = WarningLanguage::kEnglish;
    window.capacity = static_cast<std::size_t>(
        std::min<uint64_t>(*options.maxWarnings, std::numeric_limits<std::size_t>::max()));
    const FoundWarnings found =
        findDataWarnings(db, dialogDataFiles(), dataSetReader(place), window);
    for (const DataWarning& w : found.kept)
      write(w);
    count = found.count;
    if (const uint64_t hidden = count - found.kept.size(); hidden > 0) {
      // As a compiler that stops at its error limit says so.
      if (options.format == Format::kJson)
        writeOutput(stdout, jsonLine(Json{{"warnings_not_shown", hidden}}));
      else
        writeOutput(stdout,
                    std::to_string(hidden) + (hidden == 1 ? " more warning" : " more warnings") +
                        " not shown (--max-warnings " + std::to_string(found.kept.size()) + ")\n");
    }
  }
  return count > 0 && options.strict ? Outcome::kWarnings : Outcome::kDone;
}

}  // namespace tamrix::cli
