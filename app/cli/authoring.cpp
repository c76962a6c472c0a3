#include "app/cli/authoring.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "app/json.h"
#include "authoring/catalogue_diff.h"
#include "authoring/data_warnings.h"
#include "authoring/explain_item.h"
#include "authoring/load_error.h"
#include "decoder/item_number.h"
#include "disk/data_path.h"
#include "disk/disk_reader.h"
#include "search/query.h"
#include "text/encoding.h"

namespace tamrix::cli {

namespace {

// Every text below is UTF-8: what comes from the data files is converted
// where it is put in, and paths are written as utf8Path gives them.
std::string utf8(std::string_view cp1250) {
  return cp1250ToUtf8(cp1250);
}

std::string shownFile(const DataSetPlace& place, const SourceLine& where) {
  return utf8Path(dataFilePath(place.shown, where.fileName));
}

// "FILE:LINE:COLUMN", "FILE:LINE" for column 0, or "FILE" for line 0.
std::string location(const DataSetPlace& place, const SourceLine& where) {
  std::string text = shownFile(place, where);
  if (where.line > 0)
    text += ":" + std::to_string(where.line);
  if (where.line > 0 && where.column > 0)
    text += ":" + std::to_string(where.column);
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
    text += diagnostic(place, note.where, "note", note.message, format);
  return text;
}

// [{"file":...,"line":...,"message":...}, ...]
Json jsonNotes(const DataSetPlace& place, const std::vector<DataNote>& notes) {
  Json list = Json::array();
  for (const DataNote& note : notes) {
    Json record = jsonPlace(place, note.where);
    record["message"] = utf8(note.message);
    list.push_back(std::move(record));
  }
  return list;
}

// A bonus sum: a skill, or one of the three damage numbers behind them.
std::string sumName(const ItemDatabase& db, int32_t sum) {
  const int32_t skills = db.skillCount();
  if (sum >= skills)
    return sum == skills ? "damage sides" : sum == skills + 1 ? "damage dice" : "damage bonus";
  const std::optional<SkillEntry>& skill = db.skills()[static_cast<std::size_t>(sum)];
  return "skill " + std::to_string(sum) + " \"" + (skill ? utf8(skill->name) : "?") + "\"";
}

std::string signedNumber(int32_t value) {
  return (value >= 0 ? "+" : "") + std::to_string(value);
}

// A prefix's amount leads with its own place in the type file and cites the
// line that chose where it goes; an own number leads with the item's slot.
std::string contributionText(const ItemDatabase& db, const DataSetPlace& place, int32_t grade,
                             const Contribution& c) {
  std::string text;
  if (c.source == Contribution::Source::kOwnNumber) {
    text = location(place, c.from) + ": the item's own number";
  } else {
    text = location(place, c.amountAt.value_or(c.from)) + ": amount line " +
           std::to_string(c.amountLine) + " gives " + std::to_string(c.amount) + " at grade " +
           std::to_string(grade);
    if (c.source == Contribution::Source::kChange)
      text += ", times " + std::to_string(c.multiplier) + ", to target " +
              std::to_string(c.target) + " (the change record, " + location(place, c.from) + ")";
    else
      text += " to skill index " + std::to_string(c.target) + " (the prefix's own, " +
              location(place, c.from) + ")";
  }
  if (c.doubledBy)
    text += ", doubled by the skill's flag at " + location(place, *c.doubledBy);
  if (!c.sum)
    return text + ": outside the bonus table, adds nothing";
  return text + ": " + signedNumber(c.added) + " to " + sumName(db, *c.sum);
}

std::string explanationText(const ItemDatabase& db, const DataSetPlace& place,
                            const ItemExplanation& e) {
  const DataFileSet& files = dialogDataFiles();
  std::string out = std::to_string(e.number) + ": ";
  if (!e.item) {
    const ItemNumberRange range = itemNumberRange(db);
    out += "no item number (items are " + std::to_string(range.first) + " to " +
           std::to_string(range.end - 1) + ")\n";
  } else {
    const ItemNumber& item = *e.item;
    const int32_t base = db.specItemCount();
    out += "random prefix " + std::to_string(item.prefix) + ", slot " + std::to_string(item.slot) +
           ", group base " + std::to_string(item.groupBase) + ", grade " +
           std::to_string(item.grade) + "\n";
    out += "  " + location(place, e.groupBase) + ": group base (item number " +
           std::to_string(base + item.groupBase) + ")" +
           (e.groupBase.line > 0 ? ", kind " + std::to_string(e.kind) : " has no line") + "\n";
    out += "  " + location(place, e.ownSlot) + ": the item's own slot (item number " +
           std::to_string(base + item.slot) + ")" + (e.ownSlot.line > 0 ? "" : " has no line") +
           "\n";
    if (item.prefix >= 1) {
      if (e.prefix)
        out += "  " + location(place, {files[DataFile::kRndItems], e.prefix->line}) +
               ": random prefix " + std::to_string(item.prefix) + " \"" + utf8(e.prefix->name) +
               "\", type " + std::to_string(e.prefix->typeId) + "\n";
      else
        out += "  " + location(place, {files[DataFile::kRndItems], 0}) + ": random prefix " +
               std::to_string(item.prefix) + " has no entry\n";
    }
    if (e.chaos)
      out += "  grade " + std::to_string(item.grade) +
             " with a random prefix: the chaos item, no bonuses\n";
    else if (item.prefix >= 1 && !e.type)
      out += e.prefix ? "  the prefix's type does not exist: the item has no description\n"
                      : "  without an entry the prefix has no type: the item has no description\n";
    if (e.type && !e.chaos)
      out += "  " + location(place, {files[DataFile::kTypes], e.type->line}) + ": type " +
             std::to_string(e.type->id) + ", " + std::to_string(e.type->lineCount) +
             " amount lines, read at grade " + std::to_string(item.grade) + "\n";
    if (e.change)
      out += "  " + location(place, {files[DataFile::kChanges], e.change->line}) +
             ": change record for prefix " + std::to_string(item.prefix) + " and kind " +
             std::to_string(e.kind) + ": every amount to target " +
             std::to_string(e.change->skillIndex) + ", multiplier " +
             std::to_string(e.change->multiplier) + "\n";
    for (const Contribution& c : e.contributions)
      out += "  " + contributionText(db, place, item.grade, c) + "\n";
    std::string sums;
    for (std::size_t sum = 0; sum < e.sums.size(); ++sum)
      if (e.sums[sum] != 0)
        sums += (sums.empty() ? "" : ", ") + sumName(db, static_cast<int32_t>(sum)) + " " +
                std::to_string(e.sums[sum]);
    out += "  bonus sums: " + (sums.empty() ? "none" : sums) + "\n";
  }
  out += "  text:\n";
  std::string_view text = e.text;
  while (!text.empty()) {
    const std::size_t feed = text.find('\n');
    out += "    " + utf8(text.substr(0, feed)) + "\n";
    text = feed == std::string_view::npos ? std::string_view() : text.substr(feed + 1);
  }
  return out + "\n";
}

// {"file":...,"line":...} followed by `more`'s keys.
Json jsonRecord(const DataSetPlace& place, const std::string& fileName, int32_t line,
                const Json& more = Json::object()) {
  Json record = jsonPlace(place, {fileName, line});
  record.update(more);
  return record;
}

Json explanationJson(const ItemDatabase& db, const DataSetPlace& place, const ItemExplanation& e) {
  const DataFileSet& files = dialogDataFiles();
  Json out;
  out["number"] = e.number;
  if (!e.item) {
    out["item"] = nullptr;
    out["description"] = utf8(e.text);
    return out;
  }
  const ItemNumber& item = *e.item;
  out["item"] = {{"prefix", item.prefix},
                 {"slot", item.slot},
                 {"groupBase", item.groupBase},
                 {"grade", item.grade}};
  out["kind"] = e.kind;
  out["chaos"] = e.chaos;
  out["groupBaseLine"] = jsonRecord(place, files[DataFile::kStdItems], e.groupBase.line);
  out["ownSlotLine"] = jsonRecord(place, files[DataFile::kStdItems], e.ownSlot.line);
  out["prefixRecord"] =
      e.prefix ? jsonRecord(place, files[DataFile::kRndItems], e.prefix->line,
                            {{"name", utf8(e.prefix->name)}, {"type", e.prefix->typeId}})
               : Json(nullptr);
  out["typeRecord"] = e.type ? jsonRecord(place, files[DataFile::kTypes], e.type->line,
                                          {{"id", e.type->id}, {"lineCount", e.type->lineCount}})
                             : Json(nullptr);
  out["changeRecord"] =
      e.change
          ? jsonRecord(place, files[DataFile::kChanges], e.change->line,
                       {{"target", e.change->skillIndex}, {"multiplier", e.change->multiplier}})
          : Json(nullptr);
  Json contributions = Json::array();
  for (const Contribution& c : e.contributions) {
    Json step;
    step["source"] = c.source == Contribution::Source::kPrefixSkill ? "prefix"
                     : c.source == Contribution::Source::kChange    ? "change"
                                                                    : "item";
    step.update(jsonPlace(place, c.from));
    step["amountLine"] = c.amountLine;
    if (c.amountAt) {
      Json at = jsonPlace(place, *c.amountAt);
      at["column"] = c.amountAt->column > 0 ? Json(c.amountAt->column) : Json(nullptr);
      step["amountAt"] = std::move(at);
    } else {
      step["amountAt"] = nullptr;
    }
    step["amount"] = c.amount;
    step["multiplier"] = c.multiplier;
    step["target"] = c.target;
    step["sum"] = c.sum ? Json(*c.sum) : Json(nullptr);
    step["doubledBy"] = c.doubledBy ? jsonPlace(place, *c.doubledBy) : Json(nullptr);
    step["added"] = c.added;
    contributions.push_back(std::move(step));
  }
  out["contributions"] = std::move(contributions);
  Json sums = Json::array();
  for (std::size_t sum = 0; sum < e.sums.size(); ++sum) {
    if (e.sums[sum] != 0)
      sums.push_back(
          {{"sum", sum}, {"name", sumName(db, static_cast<int32_t>(sum))}, {"value", e.sums[sum]}});
  }
  out["sums"] = std::move(sums);
  out["description"] = utf8(e.text);
  return out;
}

// The lines of a description, each behind `mark`.
std::string markedLines(std::string_view mark, std::string_view text) {
  std::string out;
  for (;;) {
    const std::size_t feed = text.find('\n');
    out.append(mark).append(utf8(text.substr(0, feed))).append("\n");
    if (feed == std::string_view::npos)
      return out;
    text = text.substr(feed + 1);
  }
}

Json jsonDescription(const std::string& cp1250) {
  return cp1250.empty() ? Json(nullptr) : Json(utf8(cp1250));
}

// What a change group's numbers are: "grade 5", "prefixes 1 to 3, 9".
std::string listedRuns(const char* one, const char* many, const std::vector<int32_t>& values) {
  std::string text = values.size() == 1 ? one : many;
  for (std::size_t i = 0; i < values.size();) {
    std::size_t end = i + 1;
    while (end < values.size() && values[end] == values[end - 1] + 1)
      ++end;
    text += (i == 0 ? " " : ", ") + std::to_string(values[i]);
    if (end - i > 1)
      text += " to " + std::to_string(values[end - 1]);
    i = end;
  }
  return text;
}

// The parts a group lost or gained, UTF-8.
std::string partsText(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty())
      text += ' ';
    text += utf8(part);
  }
  return text.empty() ? "(nothing)" : text;
}

Json jsonParts(const std::vector<std::string>& parts) {
  Json list = Json::array();
  for (const std::string& part : parts)
    list.push_back(utf8(part));
  return list;
}

const char* kindName(ChangeGroup::Kind kind) {
  return kind == ChangeGroup::Kind::kAppeared      ? "appeared"
         : kind == ChangeGroup::Kind::kDisappeared ? "disappeared"
                                                   : "changed";
}

void writeChanges(Format format, const std::vector<CatalogueChange>& changes) {
  for (const CatalogueChange& c : changes) {
    const char* what = c.before.empty() ? "appeared" : c.after.empty() ? "disappeared" : "changed";
    if (format == Format::kJson) {
      Json record;
      record["number"] = c.number;
      record["change"] = what;
      record["old"] = jsonDescription(c.before);
      record["new"] = jsonDescription(c.after);
      writeOutput(stdout, jsonLine(record));
      continue;
    }
    std::string text = std::to_string(c.number) + " " + what + "\n";
    if (!c.before.empty())
      text += markedLines("- ", c.before);
    if (!c.after.empty())
      text += markedLines("+ ", c.after);
    writeOutput(stdout, text);
  }
}

// One line per group, "OLD → NEW: N items, grades ..., prefixes ..."; an
// empty line first sets them off from a list of numbers before them.
void writeChangeGroups(Format format, const std::vector<ChangeGroup>& groups, bool afterList) {
  std::string text = afterList && !groups.empty() ? "\n" : "";
  for (const ChangeGroup& g : groups) {
    if (format == Format::kJson) {
      Json record;
      record["group"] = kindName(g.kind);
      record["old"] = jsonParts(g.removed);
      record["new"] = jsonParts(g.added);
      record["count"] = g.numbers.size();
      record["numbers"] = g.numbers;
      record["grades"] = g.grades;
      record["prefixes"] = g.prefixes;
      writeOutput(stdout, jsonLine(record));
      continue;
    }
    text += g.kind != ChangeGroup::Kind::kChanged ? kindName(g.kind)
            : g.removed.empty() && g.added.empty()
                ? "the same parts in another order"
                : partsText(g.removed) + " \u2192 " + partsText(g.added);
    text += ": " + std::to_string(g.numbers.size()) +
            (g.numbers.size() == 1 ? " item, " : " items, ") +
            listedRuns("grade", "grades", g.grades) + ", " +
            listedRuns("prefix", "prefixes", g.prefixes) + "\n";
  }
  writeOutput(stdout, text);
}

// The numbers, in increasing order, that `query` finds in either set; nothing
// after writing why the query cannot be read.
std::optional<std::vector<int32_t>> foundInEither(const std::string& query, const ItemDatabase& a,
                                                  const ItemDatabase& b) {
  std::vector<int32_t> numbers;
  for (const ItemDatabase* db : {&a, &b}) {
    const SearchResult found = search(Catalogue(*db), query);
    if (found.error) {
      writeOutput(stderr, "tamrix-cli: " + searchErrorEnglish(*found.error) +
                              "\nTry 'tamrix-cli --help'.\n");
      return std::nullopt;
    }
    std::vector<int32_t> both;
    std::set_union(numbers.begin(), numbers.end(), found.numbers.begin(), found.numbers.end(),
                   std::back_inserter(both));
    numbers = std::move(both);
  }
  return numbers;
}

}  // namespace

DataSetPlace dataSetPlace(const std::filesystem::path& dir) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(dir.empty() ? "." : dir, error);
  return {dir, error ? dir : absolute.lexically_normal()};
}

FileReader dataSetReader(const DataSetPlace& place) {
  return diskReader(place.absolute);
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
    line += ":" + std::to_string(failure.line);
  writeOutput(stderr, line + ": error: " + explanation + "\n" + noteLines(place, notes, format));
}

Outcome checkDataSet(const Options& options, const ItemDatabase& db, const DataSetPlace& place) {
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

Outcome explainNumbers(const Options& options, const ItemDatabase& db, const DataSetPlace& place) {
  SourceFiles sources(dataSetReader(place));
  for (const std::string& arg : options.numbers) {
    const ItemExplanation explanation =
        explainItem(db, dialogDataFiles(), readNumberField(arg), &sources);
    writeOutput(stdout, options.format == Format::kJson
                            ? jsonLine(explanationJson(db, place, explanation))
                            : explanationText(db, place, explanation));
  }
  return Outcome::kDone;
}

Outcome diffDataSets(const Options& options, const ItemDatabase& db, const DataSetPlace& other) {
  ItemDatabase otherDb(dataSetReader(other));
  if (!loadDataFiles(otherDb)) {
    writeOutput(stderr, utf8(otherDb.lastError().value_or("")) + "\n");
    reportFailurePlace(otherDb, options.format, other);
    return Outcome::kFailed;
  }
  std::vector<CatalogueChange> changes;
  if (options.filtered) {
    std::optional<std::vector<int32_t>> numbers = foundInEither(options.query, db, otherDb);
    if (!numbers)
      return Outcome::kUsage;
    changes = diffCatalogues(db, otherDb, *numbers);
  } else {
    changes = diffCatalogues(db, otherDb);
  }
  if (!options.summary)
    writeChanges(options.format, changes);
  if (options.summary || options.format != Format::kJson)
    writeChangeGroups(options.format, groupChanges(db, changes),
                      !changes.empty() && !options.summary);
  if (options.format != Format::kJson) {
    const auto appeared = std::count_if(changes.begin(), changes.end(),
                                        [](const CatalogueChange& c) { return c.before.empty(); });
    const auto disappeared = std::count_if(
        changes.begin(), changes.end(), [](const CatalogueChange& c) { return c.after.empty(); });
    const auto changed = std::ssize(changes) - appeared - disappeared;
    writeOutput(stdout, std::to_string(changes.size()) + " numbers differ: " +
                            std::to_string(changed) + " changed, " + std::to_string(appeared) +
                            " appeared, " + std::to_string(disappeared) + " disappeared\n");
  }
  return changes.empty() ? Outcome::kDone : Outcome::kDifferent;
}

}  // namespace tamrix::cli
