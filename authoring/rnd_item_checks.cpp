#include "authoring/rnd_item_checks.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/hungarian.h"
#include "authoring/message_text.h"
#include "database/kind_layout.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

// The text between the first and the last double quote of a line.
std::string_view nameOf(std::string_view line) {
  const std::size_t first = line.find('"');
  const std::size_t last = line.rfind('"');
  return first == last ? std::string_view() : line.substr(first + 1, last - first - 1);
}

// What the items of a prefix whose entry the end of the file cuts short show.
std::string cutShortText(WarningContext& context, const RndEntryLines& entry, int64_t slot,
                         const std::string& prefix) {
  const std::optional<RndItemEntry>& loaded = context.db.rndItems()[static_cast<std::size_t>(slot)];
  if (entry.name == nullptr)
    return "the file ends right after this entry's number line, so " + prefix +
           (loaded ? " keeps its earlier entry" : " has no entry and its items no description");
  const TypeEntry* type = loaded ? context.db.findType(loaded->typeId) : nullptr;
  if (entry.type == nullptr)
    return "the file ends before this entry's type line, so " + prefix +
           (type == nullptr ? " has no type and its items no description"
                            : " keeps type " + str(type->id) + " of its earlier entry");
  const auto given = static_cast<int32_t>(entry.skills.size());
  std::string text = "the file ends after " + str(given) + " of the " +
                     str(std::max(entry.typeEntry->lineCount, 1)) +
                     " skill index lines that type " + str(entry.typeEntry->id) + " needs";
  if (!loaded || given >= entry.typeEntry->lineCount)
    return text;
  text += ", so the items of " + prefix + " give amount line " +
          span(given + 1, entry.typeEntry->lineCount) + " to ";
  for (int32_t j = given; j < entry.typeEntry->lineCount; ++j) {
    const int32_t skill = loaded->skillIndex[static_cast<std::size_t>(j)];
    text += (j > given ? ", " : "") + (skill >= 0 && skill < context.db.skillCount()
                                           ? context.skillLabel(skill)
                                           : "skill index " + str(skill));
  }
  return text + ", which no line gives";
}

void checkPrefixSkill(WarningContext& context, const DataLine& line, const TypeEntry& type,
                      std::size_t j, const std::string& prefix) {
  const SourceLine where{context.name(DataFile::kRndItems), line.line, line.column(0)};
  const int32_t skill = readNumber(line.text);
  const std::string what = "amount line " + str(static_cast<int64_t>(j) + 1) + " of " + prefix;
  if (skill < 0 || skill >= context.sumCount()) {
    context.add(where, WarningCode::kPrefixSkillOutside,
                "skill index " + str(skill) + " of " + prefix +
                    " is outside the bonus table of 0 to " + str(context.sumCount() - 1) +
                    ", so it adds nothing");
  } else if (skill >= context.db.skillCount()) {
    context.add(where, WarningCode::kBonusToDamage,
                "skill index " + str(skill) + " of " + prefix +
                    " is no skill: it adds to a weapon's " + context.damageName(skill) +
                    ", and on other items to nothing");
  } else {
    const std::span<const int32_t> given =
        context.db.amountLine(type, static_cast<int32_t>(j)).given;
    // The chaos item's grade shows no bonus.
    if (std::any_of(given.begin(),
                    given.begin() + std::min<std::ptrdiff_t>(std::ssize(given), kChaosGrade),
                    [](int32_t a) { return a != 0; }))
      context.checkTargetSkill(where, skill, what);
  }
}

}  // namespace

void checkRndItems(WarningContext& context) {
  const SourceFile& file = context.text(DataFile::kRndItems);
  const std::string& name = context.name(DataFile::kRndItems);
  const auto& prefixes = context.db.rndItems();
  const int32_t first = context.db.specItemCount();
  const int32_t blockSize = context.db.stdItemCount();
  // Slot 0 stands for "no prefix": no item number reaches its entry.
  if (std::none_of(prefixes.begin() + std::min<std::ptrdiff_t>(1, std::ssize(prefixes)),
                   prefixes.end(), [](const auto& prefix) { return prefix.has_value(); })) {
    context.add({name, file.startLine}, WarningCode::kEmptyTable,
                "no random prefix has an entry, so no item number above " +
                    str(first + blockSize - 1) + " has a description");
    return;
  }
  std::vector<WarningContext::Keyed> slots;
  std::set<int64_t> cutShort;
  for (const RndEntryLines& entry : rndFileLayout(file, context.db)) {
    // What an entry read out of step warns of follows from the type's count.
    if (readOutOfStep(context.types, entry.typeEntry))
      context.warnings.trailingNote = {
          0, outOfStepNote(context.name(DataFile::kTypes), context.types)};
    context.checkNumberField(DataFile::kRndItems, *entry.number, 1, "the item number");
    const int64_t slot =
        blockSize > 0
            ? (int64_t{readNumber(std::string_view(entry.number->text).substr(1))} - first) /
                  blockSize
            : 0;
    slots.push_back({slot, entry.number, entry.number->column(1)});
    if (entry.type != nullptr)
      context.checkNumberField(DataFile::kRndItems, *entry.type, 0, "the type id");
    // Appended step by step: MinGW's GCC 12 warns falsely of an overlapping
    // copy in the one-expression form.
    std::string prefix = "random prefix " + str(slot);
    if (entry.name != nullptr)
      prefix.append(" ").append(quoted(nameOf(entry.name->text)));
    for (std::size_t j = 0; j < entry.skills.size(); ++j) {
      const DataLine& line = entry.skills[j];
      context.checkNumberField(DataFile::kRndItems, line, 0, "the skill index");
      if (static_cast<int64_t>(j) < entry.typeEntry->lineCount)
        checkPrefixSkill(context, line, *entry.typeEntry, j, prefix);
    }
    if (entry.cutShort) {
      cutShort.insert(slot);
      std::vector<DataNote> notes;
      if (entry.typeEntry != nullptr)
        notes.push_back(skillLinesNote(context.name(DataFile::kTypes), *entry.typeEntry));
      context.add({name, entry.number->line}, WarningCode::kPrefixCutShort,
                  cutShortText(context, entry, slot, prefix), std::move(notes));
    }
    context.warnings.trailingNote.reset();
  }
  context.warnRepeats(DataFile::kRndItems, slots, WarningCode::kPrefixRepeated,
                      [](int64_t slot) { return "random prefix " + str(slot); });
  const std::string effect = context.db.findType(0) != nullptr ? "their names begin with \"?\""
                                                               : "they have no description";
  std::optional<int32_t> runStart;
  for (int32_t slot = 1; slot <= context.db.rndItemCount(); ++slot) {
    const std::optional<RndItemEntry>* prefix =
        slot < context.db.rndItemCount() ? &prefixes[static_cast<std::size_t>(slot)] : nullptr;
    if (prefix != nullptr && !*prefix) {
      runStart = runStart.value_or(slot);
      continue;
    }
    if (runStart)
      context.addBilingual(
          {name}, WarningCode::kPrefixSlotEmpty,
          "no entry gives random prefix " + span(*runStart, slot - 1) + ", item numbers " +
              span(int64_t{first} + int64_t{*runStart} * blockSize,
                   int64_t{first} + int64_t{slot} * blockSize - 1) +
              ", so " + effect,
          hu("egyetlen bejegyzés sem adja meg a(z) ") + huSpan(*runStart, slot - 1) +
              hu(". előtagot (tárgyszámok: ") +
              huSpan(int64_t{first} + int64_t{*runStart} * blockSize,
                     int64_t{first} + int64_t{slot} * blockSize - 1) +
              hu(context.db.findType(0) != nullptr ? "), ezért a nevük „?”-lel kezdődik"
                                                   : "), ezért nincs leírásuk"));
    runStart.reset();
    if (prefix != nullptr && context.db.findType((*prefix)->typeId) == nullptr &&
        !cutShort.contains(slot))
      context.add({name, (*prefix)->line}, WarningCode::kPrefixTypeMissing,
                  "random prefix " + str(slot) + " names type id " + str((*prefix)->typeId) +
                      ", which no record has, so its items have no description");
  }
}

}  // namespace tamrix
