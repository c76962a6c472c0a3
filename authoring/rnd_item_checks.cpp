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
Phrase cutShortText(WarningContext& context, const RndEntryLines& entry, int64_t slot,
                    const Phrase& prefix) {
  // The slot comes from the text read again, which may differ from the loaded one.
  const std::optional<RndItemEntry>* entryLoaded =
      slot >= 0 && slot < context.db.rndItemCount()
          ? &context.db.rndItems()[static_cast<std::size_t>(slot)]
          : nullptr;
  const RndItemEntry* loaded = entryLoaded != nullptr && *entryLoaded ? &**entryLoaded : nullptr;
  if (entry.name == nullptr)
    return {
        "the file ends right after this entry's number line, so " + prefix.english +
            (loaded ? " keeps its earlier entry" : " has no entry and its items no description"),
        hu("a fájl közvetlenül a bejegyzés számsora után véget ér, ezért ") + prefix.hungarian +
            hu(loaded ? " megtartja korábbi bejegyzését"
                      : " bejegyzés nélkül marad, tárgyainak nincs leírása")};
  const TypeEntry* type = loaded ? context.db.findType(loaded->typeId) : nullptr;
  if (entry.type == nullptr)
    return {"the file ends before this entry's type line, so " + prefix.english +
                (type == nullptr ? " has no type and its items no description"
                                 : " keeps type " + str(type->id) + " of its earlier entry"),
            hu("a fájl a bejegyzés típussora előtt véget ér, ezért ") + prefix.hungarian +
                (type == nullptr ? hu(" típus nélkül marad, tárgyainak nincs leírása")
                                 : hu(" megtartja korábbi bejegyzésének ") + str(type->id) +
                                       hu(" azonosítójú típusát"))};
  const auto given = static_cast<int32_t>(entry.skills.size());
  const int32_t needed = std::max(entry.typeEntry->lineCount, 1);
  Phrase text{"the file ends after " + str(given) + " of the " + str(needed) +
                  " skill index lines that type " + str(entry.typeEntry->id) + " needs",
              hu("a fájl a(z) ") + str(entry.typeEntry->id) + hu(" azonosítójú típushoz kellő ") +
                  str(needed) + hu(" képesség-sorszám sor közül ") + str(given) +
                  hu(" után véget ér")};
  if (!loaded || given >= entry.typeEntry->lineCount)
    return text;
  text.english += ", so the items of " + prefix.english + " give amount line " +
                  span(given + 1, entry.typeEntry->lineCount) + " to ";
  text.hungarian += hu(", ezért ") + prefix.hungarian + hu(" tárgyain a(z) ") +
                    huSpan(given + 1, entry.typeEntry->lineCount) +
                    hu(". mennyiségsor ide kerül: ");
  for (int32_t j = given; j < entry.typeEntry->lineCount; ++j) {
    const int32_t skill = loaded->skillIndex[static_cast<std::size_t>(j)];
    const Phrase target = skill >= 0 && skill < context.db.skillCount()
                              ? context.skillLabel(skill)
                              : Phrase{"skill index " + str(skill),
                                       hu("a(z) ") + str(skill) + hu(" képesség-sorszám")};
    text.english += (j > given ? ", " : "") + target.english;
    text.hungarian += (j > given ? ", " : "") + target.hungarian;
  }
  text.english += ", which no line gives";
  text.hungarian += hu(", pedig egyetlen sor sem adja meg");
  return text;
}

void checkPrefixSkill(WarningContext& context, const DataLine& line, const TypeEntry& type,
                      std::size_t j, const Phrase& prefix) {
  const SourceLine where{context.name(DataFile::kRndItems), line.line, line.column(0)};
  const int32_t skill = readNumber(line.text());
  const std::string amountLine = str(static_cast<int64_t>(j) + 1);
  if (skill < 0 || skill >= context.sumCount()) {
    context.add(where, WarningCode::kPrefixSkillOutside, [&] {
      return WarningTexts{"skill index " + str(skill) + " of " + prefix.english +
                              " is outside the bonus table of 0 to " + str(context.sumCount() - 1) +
                              ", so it adds nothing",
                          prefix.hungarian + hu(" képesség-sorszáma (") + str(skill) +
                              hu(") kívül esik a bónusztáblán (0-") + str(context.sumCount() - 1) +
                              hu("), ezért semmit sem ad")};
    });
  } else if (skill >= context.db.skillCount()) {
    const Phrase damage = context.damageName(skill);
    context.add(where, WarningCode::kBonusToDamage, [&] {
      return WarningTexts{"skill index " + str(skill) + " of " + prefix.english +
                              " is no skill: it adds to a weapon's " + damage.english +
                              ", and on other items to nothing",
                          prefix.hungarian + hu(" képesség-sorszáma (") + str(skill) +
                              hu(") nem képesség: fegyveren ") + damage.hungarian +
                              hu(" nő általa, más tárgyon semmi")};
    });
  } else {
    const std::span<const int32_t> given =
        context.db.amountLine(type, static_cast<int32_t>(j)).given;
    // The chaos item's grade shows no bonus.
    if (std::any_of(given.begin(),
                    given.begin() + std::min<std::ptrdiff_t>(std::ssize(given), kChaosGrade),
                    [](int32_t a) { return a != 0; }))
      context.checkTargetSkill(where, skill, [&] {
        return Phrase{"amount line " + amountLine + " of " + prefix.english,
                      prefix.hungarian + hu(" ") + amountLine + hu(". mennyiségsora")};
      });
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
    context.add({name, file.startLine}, WarningCode::kEmptyTable, [&] {
      return WarningTexts{"no random prefix has an entry, so no item number above " +
                              str(first + blockSize - 1) + " has a description",
                          hu("egyetlen előtagnak sincs bejegyzése, ezért a(z) ") +
                              str(first + blockSize - 1) +
                              hu(" fölötti tárgyszámoknak nincs leírása")};
    });
    return;
  }
  std::vector<WarningContext::Keyed> slots;
  std::set<int64_t> cutShort;
  for (const RndEntryLines& entry : rndFileLayout(file, context.db)) {
    // What an entry read out of step warns of follows from the type's count.
    if (readOutOfStep(context.typesOutOfStep, entry.typeEntry))
      context.warnings.trailingNote = {
          0, outOfStepNote(context.name(DataFile::kTypes), *context.typesOutOfStep)};
    context.checkNumberField(DataFile::kRndItems, *entry.number, 1, [&] {
      return Phrase{"the item number", hu("a tárgyszám")};
    });
    const int64_t slot =
        blockSize > 0
            ? (int64_t{readNumber(std::string_view(entry.number->text()).substr(1))} - first) /
                  blockSize
            : 0;
    slots.push_back({slot, entry.number, entry.number->column(1)});
    if (entry.type != nullptr)
      context.checkNumberField(DataFile::kRndItems, *entry.type, 0, [&] {
        return Phrase{"the type id", hu("a típusazonosító")};
      });
    // Appended step by step: MinGW's GCC 12 warns falsely of an overlapping
    // copy in the one-expression form.
    Phrase prefix{"random prefix " + str(slot), hu("a(z) ") + str(slot) + hu(". előtag")};
    if (entry.name != nullptr) {
      const std::string prefixName = quoted(nameOf(entry.name->text()));
      prefix.english.append(" ").append(prefixName);
      prefix.hungarian.append(" (").append(prefixName).append(")");
    }
    for (std::size_t j = 0; j < entry.skills.size(); ++j) {
      const DataLine& line = entry.skills[j];
      context.checkNumberField(DataFile::kRndItems, line, 0, [&] {
        return Phrase{"the skill index", hu("a képesség-sorszám")};
      });
      if (static_cast<int64_t>(j) < entry.typeEntry->lineCount)
        checkPrefixSkill(context, line, *entry.typeEntry, j, prefix);
    }
    if (entry.cutShort) {
      cutShort.insert(slot);
      std::vector<DataNote> notes;
      if (entry.typeEntry != nullptr)
        notes.push_back(skillLinesNote(context.name(DataFile::kTypes), *entry.typeEntry));
      const Phrase text = cutShortText(context, entry, slot, prefix);
      context.add({name, entry.number->line}, WarningCode::kPrefixCutShort, [&] {
        return WarningTexts{text.english, text.hungarian, std::move(notes)};
      });
    }
    context.warnings.trailingNote.reset();
  }
  context.warnRepeats(
      DataFile::kRndItems, slots, WarningCode::kPrefixRepeated, [](int64_t slot) -> Phrase {
        return {"random prefix " + str(slot), hu("a(z) ") + str(slot) + hu(". előtag")};
      });
  const bool typeZero = context.db.findType(0) != nullptr;
  std::optional<int32_t> runStart;
  for (int32_t slot = 1; slot <= context.db.rndItemCount(); ++slot) {
    const std::optional<RndItemEntry>* prefix =
        slot < context.db.rndItemCount() ? &prefixes[static_cast<std::size_t>(slot)] : nullptr;
    if (prefix != nullptr && !*prefix) {
      runStart = runStart.value_or(slot);
      continue;
    }
    if (runStart)
      context.add({name}, WarningCode::kPrefixSlotEmpty, [&] {
        return WarningTexts{
            "no entry gives random prefix " + span(*runStart, slot - 1) + ", item numbers " +
                span(int64_t{first} + int64_t{*runStart} * blockSize,
                     int64_t{first} + int64_t{slot} * blockSize - 1) +
                ", so " + (typeZero ? "their names begin with \"?\"" : "they have no description"),
            hu("egyetlen bejegyzés sem adja meg a(z) ") + huSpan(*runStart, slot - 1) +
                hu(". előtagot (tárgyszámok: ") +
                huSpan(int64_t{first} + int64_t{*runStart} * blockSize,
                       int64_t{first} + int64_t{slot} * blockSize - 1) +
                hu(typeZero ? "), ezért a nevük „?”-lel kezdődik" : "), ezért nincs leírásuk")};
      });
    runStart.reset();
    if (prefix != nullptr && context.db.findType((*prefix)->typeId) == nullptr &&
        !cutShort.contains(slot))
      context.add({name, (*prefix)->line}, WarningCode::kPrefixTypeMissing, [&] {
        return WarningTexts{
            "random prefix " + str(slot) + " names type id " + str((*prefix)->typeId) +
                ", which no record has, so its items have no description",
            hu("a(z) ") + str(slot) + hu(". előtag a(z) ") + str((*prefix)->typeId) +
                hu(" típusazonosítót adja meg, de ilyen típus nincs, ezért tárgyainak "
                   "nincs leírása")};
      });
  }
}

}  // namespace tamrix
