#include "app/cli/diagnostic.h"

#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "authoring/load_error.h"
#include "disk/data_path.h"
#include "text/encoding.h"

namespace tamrix::cli {

std::string utf8(std::string_view cp1250) {
  return cp1250ToUtf8(cp1250);
}

namespace {

std::string shownFile(const DataSetPlace& place, const SourceLine& where) {
  return utf8Path(dataFilePath(place.shown, where.fileName));
}

}  // namespace

// "FILE:LINE:COLUMN", "FILE:LINE" for column 0, or "FILE" for line 0.
std::string location(const DataSetPlace& place, const SourceLine& where) {
  // Appended piece by piece: MinGW's GCC 12 warns falsely of an overlapping
  // copy in `text += ":" + ...`.
  std::string text = shownFile(place, where);
  if (where.line > 0)
    text.append(":").append(std::to_string(where.line));
  if (where.line > 0 && where.column > 0)
    text.append(":").append(std::to_string(where.column));
  return text;
}

Json jsonLineNumber(int32_t line) {
  return line > 0 ? Json(line) : Json(nullptr);
}

// {"file":...,"line":...} for `where`.
Json jsonPlace(const DataSetPlace& place, const SourceLine& where) {
  Json record;
  record["file"] = shownFile(place, where);
  record["line"] = jsonLineNumber(where.line);
  return record;
}

// A diagnostic line as compilers write them, so that editors jump to it:
// "FILE:LINE:COLUMN: KIND: message". `message` is Windows-1250 but with kRaw.
std::string diagnostic(const DataSetPlace& place, const SourceLine& where, std::string_view kind,
                       std::string_view message, Format format) {
  return location(place, where) + ": " + std::string(kind) + ": " +
         (format == Format::kRaw ? std::string(message) : utf8(message)) + "\n";
}

std::string noteLines(const DataSetPlace& place, const std::vector<DataNote>& notes,
                      Format format) {
  std::string text;
  for (const DataNote& note : notes)
    text += diagnostic(place, note.where, "note", note.message(), format);
  return text;
}

// [{"file":...,"line":...,"message":...}, ...]
Json jsonNotes(const DataSetPlace& place, const std::vector<DataNote>& notes) {
  Json list = Json::array();
  for (const DataNote& note : notes) {
    Json record = jsonPlace(place, note.where);
    record["message"] = utf8(note.message());
    list.push_back(std::move(record));
  }
  return list;
}

void reportFailurePlace(const ItemDatabase& db, Format format, const DataSetPlace& place) {
  if (!db.lastFailure())
    return;
  const LoadFailure& failure = *db.lastFailure();
  // A file that could not be used at all is named by the full path tried.
  const std::string file =
      utf8Path(dataFilePath(failure.line > 0 ? place.shown : place.absolute, failure.fileName));
  const std::string explanation = explainLoadFault(failure.fault);
  const std::vector<DataNote> notes =
      findLoadFailureNotes(db, dialogDataFiles(), dataSetReader(place));
  if (format == Format::kJson) {
    Json record;
    record["ok"] = false;
    record["file"] = file;
    record["line"] = jsonLineNumber(failure.line);
    record["error"] = utf8(db.lastError().value_or(""));
    record["explanation"] = explanation;
    record["notes"] = jsonNotes(place, notes);
    writeOutput(stdout, jsonLine(record));
    return;
  }
  std::string line = file;
  if (failure.line > 0)
    line.append(":").append(std::to_string(failure.line));
  writeOutput(stderr, line + ": error: " + explanation + "\n" + noteLines(place, notes, format));
}

}  // namespace tamrix::cli
