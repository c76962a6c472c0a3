// The engine behind the web page, as a C ABI for the page's script. Every
// answer is one JSON object in UTF-8 (see web_answers.h), left in the output
// buffer (tamrix_output, tamrix_output_size) until the next call. A call
// takes numbers as its arguments and a text (UTF-8: a query, the number
// field; for tamrix_add_file a data file's bytes) in the buffer that
// tamrix_input returns. A call without a loaded set answers
// {"error":...} and returns 0; the others return 1.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/dialog_logic.h"
#include "app/item_json.h"
#include "app/json.h"
#include "app/web/web_answers.h"
#include "app/web/web_data_set.h"
#include "search/csv.h"

#define TAMRIX_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace tamrix::web {
namespace {

struct Session {
  std::string input;
  std::string output;
  FileSet staged;
  // The set that answers; replaced only by a load that succeeds.
  LoadedSet set;
  Found found;  // the last search
};

Session& session() {
  static Session s;
  return s;
}

Json noSet() {
  return {{"error", "Nincs betöltött Data."}};
}

// Writes `answer` as the call's output; returns whether a set answered.
int give(const Json& answer) {
  session().output = jsonLine(answer);
  return 1;
}

// Gives the answer of `make` (a function of the set that answers), or that
// no set answers yet.
template <typename Make>
int withSet(Make make) {
  Session& s = session();
  if (!s.set.catalogue) {
    session().output = jsonLine(noSet());
    return 0;
  }
  return give(make(s));
}

}  // namespace
}  // namespace tamrix::web

using tamrix::web::session;
using namespace tamrix::web;

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

// Adds one file of the next data set: the input holds its name (without a
// folder) in its first `nameSize` bytes, then its content. Of two files
// with the same name in any letter case, the first added counts.
TAMRIX_EXPORT(tamrix_add_file) void tamrixAddFile(size_t nameSize) {
  tamrix::web::Session& s = session();
  if (nameSize > s.input.size())
    return;
  std::string name = tamrix::web::lowerCase(s.input.substr(0, nameSize));
  // The content stays where the page wrote it: a copy would hold a large
  // file twice in a memory that never shrinks.
  std::string content = std::exchange(s.input, {});
  content.erase(0, nameSize);
  s.staged.try_emplace(std::move(name), std::move(content));
}

// {"files":[the data file names in load order, lower case]}.
TAMRIX_EXPORT(tamrix_files) int tamrixFiles() {
  using namespace tamrix;
  Json names = Json::array();
  for (const DataFile file : kLoadOrder)
    names.push_back(std::string(dataFileName(file)));
  return tamrix::web::give({{"files", std::move(names)}});
}

// Loads the files added since the last load (see loadSet). On failure the
// set loaded before keeps answering.
TAMRIX_EXPORT(tamrix_load) int tamrixLoad() {
  tamrix::web::Session& s = session();
  const tamrix::Json answer = tamrix::web::loadSet(std::exchange(s.staged, {}), s.set);
  if (answer["ok"].get<bool>())
    s.found = {};
  return tamrix::web::give(answer);
}

TAMRIX_EXPORT(tamrix_warnings) int tamrixWarnings(size_t limit) {
  return tamrix::web::withSet([&](auto& s) { return warningsAnswer(s.set, limit); });
}

// {"text","done"}: the next round of the warnings as tamrix-cli --check
// writes them, or with `fromStart` 1 the first (see checkRound).
TAMRIX_EXPORT(tamrix_check) int tamrixCheck(int32_t fromStart) {
  return tamrix::web::withSet([&](auto& s) { return checkRound(s.set, fromStart != 0); });
}

// The dialog's answer to the number field's text in the input.
TAMRIX_EXPORT(tamrix_answer) int tamrixAnswer() {
  return tamrix::web::withSet(
      [](auto& s) { return dialogAnswer(*s.set.db, *s.set.catalogue, s.input); });
}

TAMRIX_EXPORT(tamrix_describe) int tamrixDescribe(int32_t number) {
  return tamrix::web::withSet([&](auto& s) { return describe(*s.set.catalogue, number); });
}

// The item record, as tamrix-cli --json writes it.
TAMRIX_EXPORT(tamrix_record) int tamrixRecord(int32_t number) {
  return tamrix::web::withSet([&](auto& s) { return tamrix::itemRecordJson(*s.set.db, number); });
}

// Searches for the query in the input; its rows come from tamrix_rows.
TAMRIX_EXPORT(tamrix_search) int tamrixSearch() {
  return tamrix::web::withSet(
      [](auto& s) { return searchAnswer(*s.set.catalogue, s.input, s.found); });
}

// {"rows":[...]}: rows `from` to `from + count` of the last search.
TAMRIX_EXPORT(tamrix_rows) int tamrixRows(size_t from, size_t count) {
  return tamrix::web::withSet([&](auto& s) {
    return tamrix::Json{{"rows", rowsAnswer(*s.set.catalogue, s.found, from, count)}};
  });
}

TAMRIX_EXPORT(tamrix_row_index) int tamrixRowIndex(int32_t number) {
  return tamrix::web::withSet([&](auto& s) { return rowIndex(s.found, number); });
}

TAMRIX_EXPORT(tamrix_grades) int tamrixGrades(int32_t number) {
  return tamrix::web::withSet([&](auto& s) { return gradesAnswer(*s.set.catalogue, number); });
}

// The comparison of the numbers in the input (decimal, separated by commas;
// the first eight, as many as tamrix-cli compares).
TAMRIX_EXPORT(tamrix_compare) int tamrixCompare() {
  return tamrix::web::withSet([](auto& s) {
    constexpr std::size_t kMaxCompared = 8;
    std::vector<int32_t> numbers;
    for (std::size_t start = 0; start < s.input.size() && numbers.size() < kMaxCompared;) {
      const std::size_t comma = std::min(s.input.find(',', start), s.input.size());
      numbers.push_back(tamrix::readNumberField(s.input.substr(start, comma - start)));
      start = comma + 1;
    }
    return compareAnswer(*s.set.catalogue, numbers);
  });
}

// {"text":the last search's results as tamrix-cli --csv writes them}.
TAMRIX_EXPORT(tamrix_csv) int tamrixCsv() {
  return tamrix::web::withSet([](auto& s) {
    return tamrix::Json{{"text", tamrix::csvTable(*s.set.catalogue, s.found.numbers)}};
  });
}

// A suggestion for the query in the input that found nothing.
TAMRIX_EXPORT(tamrix_suggest) int tamrixSuggest() {
  return tamrix::web::withSet([](auto& s) { return suggestionAnswer(*s.set.catalogue, s.input); });
}
