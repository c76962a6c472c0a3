#include "app/cli/check.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "app/cli/diagnostic.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "authoring/data_warnings.h"

namespace tamrix::cli {

Outcome checkDataSet(const Options& options, const ItemDatabase& db, const DataSetPlaces& places) {
  const DataSetPlace& place = places.here;
  writeOutput(stdout, loadSummary(db, options.format));
  const std::vector<DataWarning> warnings =
      findDataWarnings(db, dialogDataFiles(), dataSetReader(place));
  const std::size_t shown = static_cast<std::size_t>(
      std::min<uint64_t>(warnings.size(), options.maxWarnings.value_or(UINT64_MAX)));
  for (const DataWarning& w : std::span(warnings).first(shown)) {
    if (options.format == Format::kJson) {
      Json record;
      record["warning"] = w.code;
      record.update(jsonPlace(place, w.where));
      record["column"] = w.where.column > 0 ? Json(w.where.column) : Json(nullptr);
      record["message"] = utf8(w.message);
      record["notes"] = jsonNotes(place, w.notes);
      writeOutput(stdout, jsonLine(record));
    } else {
      writeOutput(stdout, diagnostic(place, w.where, "warning", w.message + " [" + w.code + "]",
                                     options.format) +
                              noteLines(place, w.notes, options.format));
    }
  }
  if (const std::size_t hidden = warnings.size() - shown; hidden > 0) {
    // As a compiler that stops at its error limit says so.
    if (options.format == Format::kJson)
      writeOutput(stdout, jsonLine(Json{{"warnings_not_shown", hidden}}));
    else
      writeOutput(stdout, std::to_string(hidden) +
                              (hidden == 1 ? " more warning" : " more warnings") +
                              " not shown (--max-warnings " + std::to_string(shown) + ")\n");
  }
  return !warnings.empty() && options.strict ? Outcome::kWarnings : Outcome::kDone;
}

}  // namespace tamrix::cli
