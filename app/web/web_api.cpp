// The engine behind the web page, as a C ABI for the page's script.
//
// Texts cross as Windows-1250 bytes, as every front end gets them; only a
// search query and a search error are UTF-8, as the search module takes and
// gives them, and the load report, which is JSON. The script writes its input into the buffer that
// tamrix_input returns; a function that gives text leaves it in one output buffer, read through
// tamrix_output and tamrix_output_size until the next call.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/dialog_logic.h"
#include "app/json.h"
#include "authoring/data_warnings.h"
#include "authoring/wording.h"
#include "database/item_database.h"
#include "search/search.h"
#include "text/encoding.h"

#define TAMRIX_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace tamrix {
namespace {

// The user's files by lower-case file name, as the page's picker and drop
// give them.
using FileSet = std::map<std::string, std::string>;

std::string lowerCase(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The file name without its folder ("Data\skill.txt" -> "skill.txt").
std::string baseName(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Reads the dialog's data files from a file set: "Data\skill.txt" is the
// file named skill.txt in any letter case; a file the set lacks cannot be
// opened, as on disk.
FileReader readerOf(std::shared_ptr<const FileSet> files) {
  return [files = std::move(files)](const std::string& fileName) -> std::optional<std::string> {
    const auto found = files->find(lowerCase(baseName(fileName)));
    if (found == files->end())
      return std::nullopt;
    return found->second;
  };
}

struct Session {
  std::string input;
  std::string output;
  FileSet staged;
  // The tables that answer and their catalogue; replaced only by a load
  // that succeeds.
  std::unique_ptr<ItemDatabase> db;
  std::unique_ptr<Catalogue> catalogue;
  std::vector<int32_t> matches;
  std::string loadReport;  // of the last load, JSON
};

Session& session() {
  static Session s;
  return s;
}

// What the page shows about a load, in Hungarian, as JSON: for a failure
// {"ok":false,"file":...,"line":N or null,"reason":...}; for a success
// {"ok":true,"warnings":[{"file","line","column","code","text"}, ...]}, with
// null for no line or column. File names are the dialog's.
std::string loadReport(const ItemDatabase& db, bool loaded, const FileReader& readFile) {
  const auto number = [](int32_t n) { return n > 0 ? Json(n) : Json(nullptr); };
  Json report;
  report["ok"] = loaded;
  if (!loaded) {
    const std::optional<LoadFailure>& failure = db.lastFailure();
    report["file"] = failure ? cp1250ToUtf8(failure->fileName) : "";
    report["line"] = number(failure ? failure->line : 0);
    report["reason"] = failure ? loadFaultWording(failure->fault).hungarian : "";
    return jsonLine(report);
  }
  Json warnings = Json::array();
  for (const DataWarning& w : findDataWarnings(db, dialogFileNames(), readFile)) {
    const std::optional<CodeWording> wording = findCodeWording(w.code);
    warnings.push_back({{"file", cp1250ToUtf8(w.where.fileName)},
                        {"line", number(w.where.line)},
                        {"column", number(w.where.column)},
                        {"code", w.code},
                        {"text", wording ? wording->meaning.hungarian : ""}});
  }
  report["warnings"] = std::move(warnings);
  return jsonLine(report);
}

}  // namespace
}  // namespace tamrix

using tamrix::session;

// A buffer of `size` bytes for the next call's input.
TAMRIX_EXPORT(tamrix_input) char* tamrixInput(size_t size) {
  session().input.resize(size);
  return session().input.data();
}

TAMRIX_EXPORT(tamrix_output) const char* tamrixOutput() {
  return session().output.data();
}

TAMRIX_EXPORT(tamrix_output_size) size_t tamrixOutputSize() {
  return session().output.size();
}

// The Unicode code point of one Windows-1250 byte: the page builds its
// display conversion from this, the table every front end uses.
TAMRIX_EXPORT(tamrix_code_point) uint32_t tamrixCodePoint(uint32_t byte) {
  return tamrix::cp1250ToCodePoint(static_cast<unsigned char>(byte));
}

// The dialog's data file names, one a line, in the order loadAll takes them.
TAMRIX_EXPORT(tamrix_data_files) void tamrixDataFiles() {
  std::string& out = session().output;
  out.clear();
  for (const char* name : {tamrix::kStdItemFile, tamrix::kSpecItemFile, tamrix::kSkillFile,
                           tamrix::kRndItemFile, tamrix::kTypeFile, tamrix::kChangeFile}) {
    if (!out.empty())
      out += '\n';
    out += name;
  }
}

TAMRIX_EXPORT(tamrix_clear_files) void tamrixClearFiles() {
  session().staged.clear();
}

// Adds one file of the next data set: the input holds its name (without a
// folder) in its first `nameSize` bytes, then its content. Of two files
// with the same name in any letter case, the first added counts.
TAMRIX_EXPORT(tamrix_add_file) void tamrixAddFile(size_t nameSize) {
  tamrix::Session& s = session();
  if (nameSize > s.input.size())
    return;
  s.staged.try_emplace(tamrix::lowerCase(s.input.substr(0, nameSize)), s.input.substr(nameSize));
}

// Loads the files added since tamrix_clear_files, exactly as the dialog
// loads its Data folder. Returns 1 when they load, and they answer from
// then on; returns 0 when they do not, with the load error in the output,
// and the tables loaded before stay. Either way tamrix_load_report then
// tells where the load failed or what it warns of.
TAMRIX_EXPORT(tamrix_load_files) int tamrixLoadFiles() {
  tamrix::Session& s = session();
  const tamrix::FileReader readFile =
      tamrix::readerOf(std::make_shared<const tamrix::FileSet>(std::exchange(s.staged, {})));
  auto db = std::make_unique<tamrix::ItemDatabase>(readFile);
  const bool loaded = tamrix::loadDataFiles(*db);
  s.loadReport = tamrix::loadReport(*db, loaded, readFile);
  if (!loaded) {
    s.output = db->lastError().value_or(std::string());
    return 0;
  }
  auto catalogue = std::make_unique<tamrix::Catalogue>(*db);
  s.matches.clear();
  s.catalogue = std::move(catalogue);
  s.db = std::move(db);
  s.output.clear();
  return 1;
}

// What the last load left to show (see loadReport), UTF-8, in the output.
TAMRIX_EXPORT(tamrix_load_report) void tamrixLoadReport() {
  session().output = session().loadReport;
}

// The number field's text (the input) read as the dialog reads it.
TAMRIX_EXPORT(tamrix_read_number) int32_t tamrixReadNumber() {
  return tamrix::readNumberField(session().input);
}

// The dialog's two fields for `number`: the output holds the name field
// followed by the description field; returns the name field's size. For an
// item number, the name field is its whole description.
TAMRIX_EXPORT(tamrix_answer) size_t tamrixAnswer(int32_t number) {
  tamrix::Session& s = session();
  s.output.clear();
  if (!s.db)
    return 0;
  const tamrix::DialogAnswer answer = tamrix::answerCommand(*s.db, number);
  s.output = answer.nameField + answer.descriptionField;
  return answer.nameField.size();
}

// Searches the catalogue for the query in the input (UTF-8). Returns how
// many items match, their numbers in increasing order at tamrix_results;
// or -1 when the query cannot be read, with the error (UTF-8) in the output.
TAMRIX_EXPORT(tamrix_search) int32_t tamrixSearch() {
  tamrix::Session& s = session();
  s.matches.clear();
  if (!s.catalogue)
    return 0;
  tamrix::SearchResult result = tamrix::search(*s.catalogue, s.input);
  if (result.error) {
    s.output = std::move(*result.error);
    return -1;
  }
  s.matches = std::move(result.numbers);
  return static_cast<int32_t>(s.matches.size());
}

TAMRIX_EXPORT(tamrix_results) const int32_t* tamrixResults() {
  return session().matches.data();
}
