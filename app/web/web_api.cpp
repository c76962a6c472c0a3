// The engine behind the web page, as a C ABI for the page's script.
//
// Texts cross as Windows-1250 bytes, as every front end gets them; only a
// search query and a search error are UTF-8, as the search module takes and
// gives them, and the load report, which is JSON. The script writes its
// input into the buffer that tamrix_input returns; a function that gives text
// leaves it in one output buffer, read through tamrix_output and
// tamrix_output_size until the next call.
#include <algorithm>
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
#include "decoder/describe.h"
#include "search/compare.h"
#include "search/csv.h"
#include "search/query.h"
#include "search/suggestions.h"
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
  std::vector<int32_t> list;  // tamrix_grades's numbers, apart from the results
  std::string loadReport;     // of the last load, JSON
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
  for (const DataWarning& w : findDataWarnings(db, dialogDataFiles(), readFile)) {
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

// The dialog's data file names, one a line, in load order.
TAMRIX_EXPORT(tamrix_data_files) void tamrixDataFiles() {
  std::string& out = session().output;
  out.clear();
  for (const tamrix::DataFile file : tamrix::kLoadOrder) {
    if (!out.empty())
      out += '\n';
    out += tamrix::dialogDataFiles()[file];
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
// many items match, their numbers at tamrix_results in the order of the
// query's sort terms, then by increasing number; or -1 when the query
// cannot be read, with the error (UTF-8, in Hungarian as the page shows it)
// in the output.
TAMRIX_EXPORT(tamrix_search) int32_t tamrixSearch() {
  tamrix::Session& s = session();
  s.matches.clear();
  if (!s.catalogue)
    return 0;
  tamrix::SearchResult result = tamrix::search(*s.catalogue, s.input);
  if (result.error) {
    s.output = tamrix::searchErrorHungarian(*result.error);
    return -1;
  }
  s.matches = std::move(result.numbers);
  return static_cast<int32_t>(s.matches.size());
}

TAMRIX_EXPORT(tamrix_results) const int32_t* tamrixResults() {
  return session().matches.data();
}

// --- Choosing among items: every grade, comparison, CSV, suggestions --------

// The numbers of `number`'s group base with its prefix at every grade, in
// grade order, at tamrix_list; returns how many (0 when it is no item).
TAMRIX_EXPORT(tamrix_grades) int32_t tamrixGrades(int32_t number) {
  tamrix::Session& s = session();
  s.list.clear();
  const tamrix::CatalogueItem* item = s.catalogue ? s.catalogue->find(number) : nullptr;
  if (item == nullptr)
    return 0;
  // The query language says it: the group, the prefix, by increasing grade.
  s.list = tamrix::search(*s.catalogue, "group:" + std::to_string(number) + " prefix:" +
                                            std::to_string(item->prefix) + " sort:grade:asc")
               .numbers;
  return static_cast<int32_t>(s.list.size());
}

TAMRIX_EXPORT(tamrix_list) const int32_t* tamrixList() {
  return session().list.data();
}

// The comparison of the numbers in the input (decimal, separated by commas;
// the first eight), as tamrix-cli --compare computes it. Returns how many skill rows it has.
// At tamrix_list, per row: the skill, each item's value, and a mask of the
// items that hold the best value (bit i for item i); then a mask of the items
// with a damage line and a mask of the best damage. The output holds, a line
// each, the items' name lines, the rows' skill names and the items' damage
// figures (empty without a damage line).
TAMRIX_EXPORT(tamrix_compare) int32_t tamrixCompare() {
  tamrix::Session& s = session();
  s.output.clear();
  s.list.clear();
  if (!s.catalogue)
    return 0;
  std::vector<int32_t> numbers;
  // As many as tamrix-cli compares, and so that every item has a bit.
  constexpr std::size_t kMaxCompared = 8;
  for (std::size_t start = 0; start < s.input.size() && numbers.size() < kMaxCompared;) {
    const std::size_t comma = std::min(s.input.find(',', start), s.input.size());
    numbers.push_back(tamrix::readNumberField(s.input.substr(start, comma - start)));
    start = comma + 1;
  }
  const tamrix::Comparison comparison = tamrix::compareItems(*s.catalogue, numbers);
  const auto mask = [](const std::vector<bool>& marks) {
    int32_t bits = 0;
    for (std::size_t i = 0; i < marks.size(); ++i)
      bits |= marks[i] ? int32_t{1} << i : 0;
    return bits;
  };
  for (const tamrix::ComparisonRow& row : comparison.rows) {
    s.list.push_back(row.skill);
    s.list.insert(s.list.end(), row.values.begin(), row.values.end());
    s.list.push_back(mask(row.best));
  }
  std::vector<bool> damaged(numbers.size());
  for (std::size_t i = 0; i < comparison.damage.size(); ++i)
    damaged[i] = comparison.damage[i].has_value();
  s.list.push_back(mask(damaged));
  s.list.push_back(mask(comparison.damageBest));
  for (const std::string& name : comparison.names)
    s.output.append(name).append("\n");
  for (const tamrix::ComparisonRow& row : comparison.rows)
    s.output.append(row.name).append("\n");
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i < comparison.damage.size() && comparison.damage[i]) {
      const tamrix::DamageFigure& damage = *comparison.damage[i];
      tamrix::appendDamageText(s.output, damage);
    }
    s.output.append("\n");
  }
  return static_cast<int32_t>(comparison.rows.size());
}

// The results of the last search as tamrix-cli --csv writes them, in the
// output: UTF-8 bytes with a byte order mark.
TAMRIX_EXPORT(tamrix_csv) void tamrixCsv() {
  tamrix::Session& s = session();
  s.output = s.catalogue ? tamrix::csvTable(*s.catalogue, s.matches) : std::string();
}

// For the query in the input (UTF-8) that found nothing: returns 1 with the
// suggested query, a line feed and the new words as the names write them
// (UTF-8) in the output, or 0 when there is no suggestion.
TAMRIX_EXPORT(tamrix_suggest) int32_t tamrixSuggest() {
  tamrix::Session& s = session();
  s.output.clear();
  if (!s.catalogue)
    return 0;
  const std::optional<tamrix::QuerySuggestion> suggestion =
      tamrix::suggestQuery(*s.catalogue, s.input);
  if (!suggestion)
    return 0;
  s.output = suggestion->query + '\n' + suggestion->words;
  return 1;
}
