#include "authoring/explain_item.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "database/kind_layout.h"
#include "database/number_field.h"
#include "decoder/describe.h"

namespace tamrix {

namespace {

// The skill line whose doubling flag doubles an amount sent to `skill`.
std::optional<SourceLine> doublingLine(const ItemDatabase& db, const DataFileSet& files,
                                       int32_t skill) {
  if (skill < 0 || skill >= db.skillCount())
    return std::nullopt;
  const std::optional<SkillEntry>& entry = db.skills()[static_cast<std::size_t>(skill)];
  if (!entry)
    return std::nullopt;
  return SourceLine{files[DataFile::kSkills], entry->line};
}

// The place of the amount for `grade` on line `line` of the type file: the
// column of the grade's number when the file can be read and holds it.
SourceLine amountPlace(const std::string& typeFile, int32_t line, int32_t grade,
                       SourceFiles* sources) {
  SourceLine place{typeFile, line};
  const SourceFile* file = sources != nullptr ? sources->file(typeFile) : nullptr;
  if (file == nullptr)
    return place;
  const auto found = std::lower_bound(file->lines().begin(), file->lines().end(), line,
                                      [](const DataLine& l, int32_t n) { return l.line < n; });
  if (found == file->lines().end() || found->line != line)
    return place;
  const std::vector<Token> tokens = tokensOf(found->text());
  if (static_cast<std::size_t>(grade) < tokens.size())
    place.column = found->column(tokens[static_cast<std::size_t>(grade)].at);
  return place;
}

// The field of a standard item that gives its own number to sum `sum`.
StdNumberField ownField(int32_t sum, const BonusLayout& layout) {
  for (const OwnNumber& own : kOwnNumbers) {
    if (own.sumIn(layout) == sum)
      return own.field;
  }
  return kOwnNumbers.front().field;
}

// The line that gave slot `slot` its number `field`: a later line for the
// same slot keeps the numbers that its kind does not carry, so it is the
// last line for the slot whose kind carries the field. `fallback` when the
// file cannot be read again.
SourceLine ownNumberLine(const std::string& stdFile, int32_t itemNumber, StdNumberField field,
                         const SourceLine& fallback, SourceFiles* sources) {
  const SourceFile* file = sources != nullptr ? sources->file(stdFile) : nullptr;
  if (file == nullptr)
    return fallback;
  SourceLine found = fallback;
  for (const DataLine& line : file->lines()) {
    const std::size_t blank = line.text().find(' ');
    if (readNumber(line.text()) != itemNumber || blank == std::string::npos)
      continue;
    const KindLayout layout = layoutOf(readNumber(std::string_view(line.text()).substr(blank + 1)));
    if (layout.find(field) != nullptr)
      found = {stdFile, line.line};
  }
  return found;
}

// The change records of prefix `prefix` that an item of kind `kind` does
// not take, and why.
std::vector<ItemExplanation::UnusedChange> unusedChanges(const ItemDatabase& db, int32_t prefix,
                                                         int32_t kind, bool chaos) {
  std::vector<ItemExplanation::UnusedChange> unused;
  const ChangeEntry* applies = db.findChange(prefix, kind);
  for (const ChangeEntry& change : db.changes()) {
    if (change.prefixIndex != prefix || (&change == applies && !chaos))
      continue;
    const std::string reason =
        change.itemKind != kind ? "it is for kind " + std::to_string(change.itemKind) +
                                      ", and the group base is of kind " + std::to_string(kind)
        : &change != applies ? "an earlier record for the same prefix and kind applies, line " +
                                   std::to_string(applies->line)
                             : "the chaos item takes no amounts";
    unused.push_back({change, reason});
  }
  return unused;
}

}  // namespace

ItemExplanation explainItem(const ItemDatabase& db, const DataFileSet& files, int32_t number,
                            SourceFiles* sources) {
  ItemExplanation out;
  out.number = number;
  out.item = decomposeItemNumber(db, number);
  if (!out.item)
    return out;
  const ItemNumber& item = *out.item;
  const StdItemEntry& base = db.stdItems()[static_cast<std::size_t>(item.groupBase)];
  const StdItemEntry& own = db.stdItems()[static_cast<std::size_t>(item.slot)];
  out.kind = base.kind;
  out.groupBase = {files[DataFile::kStdItems], base.line};
  out.ownSlot = {files[DataFile::kStdItems], own.line};
  if (item.prefix >= 1) {
    out.prefix = db.rndItems()[static_cast<std::size_t>(item.prefix)];
    out.type = db.findType(out.prefix ? out.prefix->typeId : 0);
    if (const ChangeEntry* change = db.findChange(item.prefix, out.kind); change && out.type)
      out.change = *change;
  }
  // The decoder's own steps, each given the line of the record behind it.
  const auto step = [&](const BonusStep& s) {
    Contribution c;
    c.source = s.source;
    const auto amountLine = static_cast<std::size_t>(std::max(s.amountLine, 0));
    c.from =
        s.source == BonusStep::Source::kPrefixSkill
            ? SourceLine{files[DataFile::kRndItems],
                         out.prefix ? out.prefix->skillLines[amountLine] : 0}
        : s.source == BonusStep::Source::kChange
            ? SourceLine{files[DataFile::kChanges], out.change->line}
            : ownNumberLine(files[DataFile::kStdItems], db.specItemCount() + item.slot,
                            ownField(s.target, BonusLayout{db.skillCount()}), out.ownSlot, sources);
    if (s.source != BonusStep::Source::kOwnNumber && out.type)
      c.amountAt = amountPlace(files[DataFile::kTypes],
                               db.amountLine(*out.type, static_cast<int32_t>(amountLine)).line,
                               item.grade, sources);
    c.amountLine = s.amountLine + 1;
    c.amount = s.amount;
    c.multiplier = s.multiplier;
    c.target = s.target;
    c.sum = s.sum;
    if (s.doubled)
      c.doubledBy = doublingLine(db, files, s.target);
    c.added = s.added;
    out.contributions.push_back(c);
  };
  const std::optional<ItemDecoding> decoding = decodeItem(db, number, step);
  out.chaos = decoding && decoding->chaos;
  if (out.chaos)
    out.change.reset();  // the chaos item takes no amounts, so no record applies
  if (out.change && out.prefix && out.type)
    for (int32_t j = 0; j < std::min(out.type->lineCount, kTypeMaxLines); ++j)
      out.overridden.push_back(
          {files[DataFile::kRndItems], out.prefix->skillLines[static_cast<std::size_t>(j)]});
  if (item.prefix >= 1)
    out.otherChanges = unusedChanges(db, item.prefix, out.kind, out.chaos);
  composeDescription(db, decoding, out.text);
  out.sums = decoding ? decoding->sums
                      : std::vector<int32_t>(
                            static_cast<std::size_t>(BonusLayout{db.skillCount()}.size()), 0);
  return out;
}

}  // namespace tamrix
