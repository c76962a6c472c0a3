#include "app/cli/explain.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/cli/diagnostic.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "app/json.h"
#include "authoring/explain_item.h"
#include "authoring/message_text.h"
#include "decoder/item_number.h"

namespace tamrix::cli {

namespace {

// A bonus sum: a skill, or one of the three damage numbers behind them.
std::string sumName(const ItemDatabase& db, int32_t sum) {
  const int32_t skills = db.skillCount();
  if (sum >= skills)
    return sum == skills ? "damage sides" : sum == skills + 1 ? "damage dice" : "damage bonus";
  const std::optional<SkillEntry>& skill = db.skills()[static_cast<std::size_t>(sum)];
  return "skill " + std::to_string(sum) + " \"" + (skill ? utf8(skill->name) : "?") + "\"";
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
  return text + ": " + withSign(c.added) + " to " + sumName(db, *c.sum);
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
    for (const SourceLine& line : e.overridden)
      out += "  " + location(place, line) +
             ": the prefix's skill index line, overridden by the change record\n";
    for (const ItemExplanation::UnusedChange& other : e.otherChanges)
      out += "  " + location(place, {files[DataFile::kChanges], other.record.line}) +
             ": change record for prefix " + std::to_string(item.prefix) + " and kind " +
             std::to_string(other.record.itemKind) + " does not apply: " + other.reason + "\n";
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
  Json overridden = Json::array();
  for (const SourceLine& line : e.overridden)
    overridden.push_back(jsonPlace(place, line));
  out["overriddenLines"] = std::move(overridden);
  Json others = Json::array();
  for (const ItemExplanation::UnusedChange& other : e.otherChanges)
    others.push_back(jsonRecord(place, files[DataFile::kChanges], other.record.line,
                                {{"kind", other.record.itemKind}, {"reason", other.reason}}));
  out["otherChangeRecords"] = std::move(others);
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

}  // namespace

Outcome explainNumbers(const Options& options, const ItemDatabase& db,
                       const DataSetPlaces& places) {
  const DataSetPlace& place = places.here;
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

}  // namespace tamrix::cli
