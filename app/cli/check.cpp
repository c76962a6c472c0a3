#include "app/cli/check.h"

#include <cstdio>
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
  for (const DataWarning& w : warnings) {
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
  return !warnings.empty() && options.strict ? Outcome::kWarnings : Outcome::kDone;
}

}  // namespace tamrix::cli
