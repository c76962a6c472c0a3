#include "app/cli/authoring.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "authoring/catalogue_diff.h"
#include "authoring/data_warnings.h"
#include "authoring/explain_item.h"
#include "authoring/load_error.h"
#include "text/encoding.h"

namespace tamrix::cli {

namespace {

// Through the one output path: escaped on a terminal, and the first failed
// write ends the program.
void write(std::FILE* out, std::string_view bytes) {
  writeOutput(out, bytes);
}

// Windows-1250 text as the format shows it.
std::string shown(Format format, std::string_view text) {
  return format == Format::kRaw ? std::string(text) : cp1250ToUtf8(text);
}

std::string jsonString(std::string_view cp1250) {
  return std::string("\"").append(jsonEscape(cp1250ToUtf8(cp1250))).append("\"");
}

std::string jsonLine(int32_t line) {
  return line > 0 ? std::to_string(line) : "null";
}

// The names the dialog loads its files under.
DataFileNames dialogFileNames() {
  return {kStdItemFile, kSkillFile, kTypeFile, kRndItemFile, kChangeFile};
}

// "Data\skill.txt" under `dir`, with the platform's separators.
std::string filePath(const std::filesystem::path& dir, std::string_view fileName) {
  std::string relative(fileName);
  for (char& c : relative)
    if (c == '\\')
      c = '/';
  return (dir / relative).make_preferred().string();
}

// "FILE:LINE", or "FILE" for line 0.
std::string location(const DataSetPlace& place, const SourceLine& where) {
  std::string text = filePath(place.shown, where.fileName);
  if (where.line > 0)
    text += ":" + std::to_string(where.line);
  return text;
}

std::string jsonPlace(const DataSetPlace& place, const SourceLine& where) {
  return "\"file\":\"" + jsonEscape(filePath(place.shown, where.fileName)) +
         "\",\"line\":" + jsonLine(where.line);
}

// A bonus sum: a skill, or one of the three damage numbers behind them.
std::string sumName(const ItemDatabase& db, int32_t sum) {
  const int32_t skills = db.skillCount();
  if (sum >= skills)
    return sum == skills ? "damage sides" : sum == skills + 1 ? "damage dice" : "damage bonus";
  const std::optional<SkillEntry>& skill = db.skills()[static_cast<std::size_t>(sum)];
  return "skill " + std::to_string(sum) + " \"" + (skill ? skill->name : "?") + "\"";
}

std::string signedNumber(int32_t value) {
  return (value >= 0 ? "+" : "") + std::to_string(value);
}

std::string contributionText(const ItemDatabase& db, const DataSetPlace& place,
                             const Contribution& c) {
  std::string text = location(place, c.from) + ": ";
  if (c.source == Contribution::Source::kOwnNumber) {
    text += "the item's own number";
  } else {
    text += "amount line " + std::to_string(c.amountLine) + " gives " + std::to_string(c.amount);
    if (c.source == Contribution::Source::kChange)
      text += ", times " + std::to_string(c.multiplier) + ", to target " +
              std::to_string(c.target) + " (the change record)";
    else
      text += " to skill index " + std::to_string(c.target) + " (the prefix's own)";
  }
  if (c.doubledBy)
    text += ", doubled by the skill's flag at " + location(place, *c.doubledBy);
  if (!c.sum)
    return text + ": outside the bonus table, adds nothing";
  return text + ": " + signedNumber(c.added) + " to " + sumName(db, *c.sum);
}

void writeExplanationText(const ItemDatabase& db, const DataSetPlace& place,
                          const ItemExplanation& e, std::string& out) {
  const DataFileNames files = dialogFileNames();
  out += std::to_string(e.number) + ": ";
  if (!e.item) {
    out += "no item number (items are " + std::to_string(db.specItemCount()) + " to " +
           std::to_string(db.specItemCount() + db.rndItemCount() * db.stdItemCount() - 1) + ")\n";
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
        out += "  " + location(place, {files.rndItems, e.prefix->line}) + ": random prefix " +
               std::to_string(item.prefix) + " \"" + e.prefix->name + "\", type " +
               std::to_string(e.prefix->typeId) + "\n";
      else
        out += "  " + location(place, {files.rndItems, 0}) + ": random prefix " +
               std::to_string(item.prefix) + " has no entry\n";
    }
    if (e.chaos)
      out += "  grade 14 with a random prefix: the chaos item, no bonuses\n";
    else if (item.prefix >= 1 && !e.type)
      out += e.prefix ? "  the prefix's type does not exist: the item has no description\n"
                      : "  without an entry the prefix has no type: the item has no description\n";
    if (e.type && !e.chaos)
      out += "  " + location(place, {files.types, e.type->line}) + ": type " +
             std::to_string(e.type->id) + ", " + std::to_string(e.type->lineCount) +
             " amount lines, read at grade " + std::to_string(item.grade) + "\n";
    if (e.change)
      out += "  " + location(place, {files.changes, e.change->line}) +
             ": change record for prefix " + std::to_string(item.prefix) + " and kind " +
             std::to_string(e.kind) + ": every amount to target " +
             std::to_string(e.change->skillIndex) + ", multiplier " +
             std::to_string(e.change->multiplier) + "\n";
    for (const Contribution& c : e.contributions)
      out += "  " + contributionText(db, place, c) + "\n";
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
    out += "    " + std::string(text.substr(0, feed)) + "\n";
    text = feed == std::string_view::npos ? std::string_view() : text.substr(feed + 1);
  }
  out += "\n";
}

std::string jsonRecord(const DataSetPlace& place, const std::string& fileName, int32_t line) {
  return std::string("{").append(jsonPlace(place, {fileName, line}));
}

void writeExplanationJson(const ItemDatabase& db, const DataSetPlace& place,
                          const ItemExplanation& e, std::string& out) {
  const DataFileNames files = dialogFileNames();
  out += "{\"number\":" + std::to_string(e.number) + ",\"item\":";
  if (!e.item) {
    out += "null,\"description\":" + jsonString(e.text) + "}\n";
    return;
  }
  const ItemNumber& item = *e.item;
  out += "{\"prefix\":" + std::to_string(item.prefix) + ",\"slot\":" + std::to_string(item.slot) +
         ",\"groupBase\":" + std::to_string(item.groupBase) +
         ",\"grade\":" + std::to_string(item.grade) + "},\"kind\":" + std::to_string(e.kind) +
         ",\"chaos\":" + (e.chaos ? "true" : "false") +
         ",\"groupBaseLine\":" + jsonRecord(place, files.stdItems, e.groupBase.line) +
         "},\"ownSlotLine\":" + jsonRecord(place, files.stdItems, e.ownSlot.line) +
         "},\"prefixRecord\":";
  out += e.prefix ? jsonRecord(place, files.rndItems, e.prefix->line) +
                        ",\"name\":" + jsonString(e.prefix->name) +
                        ",\"type\":" + std::to_string(e.prefix->typeId) + "}"
                  : "null";
  out += ",\"typeRecord\":";
  out += e.type ? jsonRecord(place, files.types, e.type->line) +
                      ",\"id\":" + std::to_string(e.type->id) +
                      ",\"lineCount\":" + std::to_string(e.type->lineCount) + "}"
                : "null";
  out += ",\"changeRecord\":";
  out += e.change ? jsonRecord(place, files.changes, e.change->line) +
                        ",\"target\":" + std::to_string(e.change->skillIndex) +
                        ",\"multiplier\":" + std::to_string(e.change->multiplier) + "}"
                  : "null";
  out += ",\"contributions\":[";
  for (std::size_t i = 0; i < e.contributions.size(); ++i) {
    const Contribution& c = e.contributions[i];
    const char* source = c.source == Contribution::Source::kPrefixSkill ? "prefix"
                         : c.source == Contribution::Source::kChange    ? "change"
                                                                        : "item";
    out += std::string(i == 0 ? "" : ",") + "{\"source\":\"" + source + "\"," +
           jsonPlace(place, c.from) + ",\"amountLine\":" + std::to_string(c.amountLine) +
           ",\"amount\":" + std::to_string(c.amount) +
           ",\"multiplier\":" + std::to_string(c.multiplier) +
           ",\"target\":" + std::to_string(c.target) +
           ",\"sum\":" + (c.sum ? std::to_string(*c.sum) : "null") +
           ",\"doubledBy\":" + (c.doubledBy ? "{" + jsonPlace(place, *c.doubledBy) + "}" : "null") +
           ",\"added\":" + std::to_string(c.added) + "}";
  }
  out += "],\"sums\":[";
  bool first = true;
  for (std::size_t sum = 0; sum < e.sums.size(); ++sum) {
    if (e.sums[sum] == 0)
      continue;
    out += std::string(first ? "" : ",") + "{\"sum\":" + std::to_string(sum) +
           ",\"name\":" + jsonString(sumName(db, static_cast<int32_t>(sum))) +
           ",\"value\":" + std::to_string(e.sums[sum]) + "}";
    first = false;
  }
  out += "],\"description\":" + jsonString(e.text) + "}\n";
}

// The lines of a description, each behind `mark`.
std::string markedLines(std::string_view mark, std::string_view text) {
  std::string out;
  for (;;) {
    const std::size_t feed = text.find('\n');
    out.append(mark).append(text.substr(0, feed)).append("\n");
    if (feed == std::string_view::npos)
      return out;
    text = text.substr(feed + 1);
  }
}

}  // namespace

DataSetPlace dataSetPlace(const std::filesystem::path& dir) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(dir.empty() ? "." : dir, error);
  return {dir, error ? dir : absolute.lexically_normal()};
}

FileReader dataSetReader(const DataSetPlace& place) {
  return [dir = place.absolute](const std::string& fileName) {
    return readDataFile(filePath(dir, fileName));
  };
}

void reportFailurePlace(const ItemDatabase& db, Format format, const DataSetPlace& place) {
  if (!db.lastFailure())
    return;
  const LoadFailure& failure = *db.lastFailure();
  // A file that could not be used at all is named by the full path tried.
  const std::string file = failure.line > 0 ? filePath(place.shown, failure.fileName)
                                            : filePath(place.absolute, failure.fileName);
  const std::string_view explanation = explainLoadFault(failure.fault);
  if (format == Format::kJson) {
    write(stdout, "{\"ok\":false,\"file\":\"" + jsonEscape(file) +
                      "\",\"line\":" + jsonLine(failure.line) +
                      ",\"error\":" + jsonString(db.lastError().value_or("")) +
                      ",\"explanation\":\"" + jsonEscape(explanation) + "\"}\n");
    return;
  }
  std::string line = file;
  if (failure.line > 0)
    line += ":" + std::to_string(failure.line);
  write(stderr, line + ": " + std::string(explanation) + "\n");
}

std::size_t writeWarnings(const ItemDatabase& db, Format format, const DataSetPlace& place) {
  const std::vector<DataWarning> warnings =
      findDataWarnings(db, dialogFileNames(), dataSetReader(place));
  for (const DataWarning& w : warnings) {
    if (format == Format::kJson)
      write(stdout, "{\"warning\":\"" + w.code + "\"," + jsonPlace(place, w.where) +
                        ",\"message\":" + jsonString(w.message) + "}\n");
    else
      write(stdout, location(place, w.where) + ": warning: " + shown(format, w.message) + " [" +
                        w.code + "]\n");
  }
  return warnings.size();
}

void writeExplanations(ItemDatabase& db, Format format, const DataSetPlace& place,
                       const std::vector<int32_t>& numbers) {
  for (const int32_t number : numbers) {
    const ItemExplanation explanation = explainItem(db, dialogFileNames(), number);
    std::string out;
    if (format == Format::kJson)
      writeExplanationJson(db, place, explanation, out);
    else
      writeExplanationText(db, place, explanation, out);
    write(stdout, format == Format::kJson ? out : shown(format, out));
  }
}

bool writeCatalogueDiff(ItemDatabase& current, ItemDatabase& other, Format format) {
  const std::vector<CatalogueChange> changes = diffCatalogues(current, other);
  int appeared = 0;
  int disappeared = 0;
  for (const CatalogueChange& c : changes) {
    const char* what = c.before.empty() ? "appeared" : c.after.empty() ? "disappeared" : "changed";
    appeared += c.before.empty() ? 1 : 0;
    disappeared += c.after.empty() ? 1 : 0;
    if (format == Format::kJson) {
      write(stdout, "{\"number\":" + std::to_string(c.number) + ",\"change\":\"" + what +
                        "\",\"old\":" + (c.before.empty() ? "null" : jsonString(c.before)) +
                        ",\"new\":" + (c.after.empty() ? "null" : jsonString(c.after)) + "}\n");
      continue;
    }
    std::string record = std::to_string(c.number) + " " + what + "\n";
    if (!c.before.empty())
      record += markedLines("- ", c.before);
    if (!c.after.empty())
      record += markedLines("+ ", c.after);
    write(stdout, cp1250ToUtf8(record));
  }
  if (format != Format::kJson) {
    const auto changed = static_cast<int>(changes.size()) - appeared - disappeared;
    write(stdout, std::to_string(changes.size()) + " numbers differ: " + std::to_string(changed) +
                      " changed, " + std::to_string(appeared) + " appeared, " +
                      std::to_string(disappeared) + " disappeared\n");
  }
  return !changes.empty();
}

}  // namespace tamrix::cli
