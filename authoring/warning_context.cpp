#include "authoring/warning_context.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

#include "authoring/hungarian.h"
#include "authoring/message_text.h"
#include "database/bonus_layout.h"
#include "database/number_field.h"

namespace tamrix {

bool WarningContext::hasSkill(int32_t index) const {
  return index >= 0 && index < db.skillCount() && db.skills()[static_cast<std::size_t>(index)];
}

bool WarningContext::skillTableEmpty() const {
  return std::none_of(db.skills().begin(), db.skills().end(),
                      [](const auto& skill) { return skill.has_value(); });
}

int32_t WarningContext::sumCount() const {
  return BonusLayout{db.skillCount()}.size();
}

Phrase WarningContext::skillLabel(int32_t skill) const {
  const std::optional<SkillEntry>& entry =
      hasSkill(skill) ? db.skills()[static_cast<std::size_t>(skill)] : std::nullopt;
  const std::string name = quoted(entry ? std::string_view(entry->name) : "?");
  return {"skill " + str(skill) + " " + name, hu("a(z) ") + str(skill) + hu(". képesség ") + name};
}

Phrase WarningContext::damageName(int32_t sum) const {
  const int32_t behind = sum - db.skillCount();
  if (behind == 0)
    return {"damage sides", hu("a sebzéskocka oldalainak száma")};
  if (behind == 1)
    return {"damage dice", hu("a sebzéskockák száma")};
  return {"damage bonus", hu("a sebzésbónusz")};
}

void WarningContext::checkTargetSkill(const SourceLine& where, int32_t skill,
                                      const std::function<Phrase()>& what) {
  if (skill >= 0 && skill < db.skillCount() && !hasSkill(skill) && !skillTableEmpty())
    add(where, WarningCode::kBonusToEmptySkill, [&] {
      const Phrase field = what();
      return WarningTexts{
          field.english + " goes to skill " + str(skill) +
              ", which has no line in the skill file, so it shows as \"?\"",
          field.hungarian + hu(" a(z) ") + str(skill) +
              hu(". képességhez adódik, amelynek nincs sora a képességfájlban, ezért „?” jelenik "
                 "meg")};
    });
}

bool WarningContext::checkNumberField(DataFile file, const DataLine& line, std::size_t at,
                                      const std::function<Phrase()>& what) {
  const std::string& fileName = name(file);
  const std::string_view text = line.text();
  if (at < text.size() && text[at] == ' ')
    ++at;  // read past, as a number is (after a prefix's marker)
  const std::size_t quote = text.find('"');
  if (at >= text.size() || (quote != std::string_view::npos && at >= quote)) {
    const bool quoteThere = at < text.size();
    add({fileName, line.line, line.column(std::min(at, text.size()))}, WarningCode::kNumberMissing,
        [&] {
          const Phrase field = what();
          return WarningTexts{
              field.english + " is missing: " +
                  (quoteThere ? "the name's quote stands in its place"
                              : "the line ends before it") +
                  ", so it reads as 0",
              field.hungarian + hu(" hiányzik: ") +
                  hu(quoteThere ? "a helyén a név idézőjele áll" : "a sor előbb véget ér") +
                  hu(", ezért 0-nak számít")};
        });
    return false;
  }
  const std::string_view token = text.substr(at, text.find(' ', at) - at);
  // A tab or a carriage return in it has a warning of its own.
  if (!isPlainNumber(token) && token.find_first_of("\t\r") == std::string_view::npos)
    add({fileName, line.line, line.column(at)}, WarningCode::kNumberText, [&] {
      const Phrase field = what();
      return WarningTexts{
          field.english + " " + quoted(token) + " reads as " + str(readNumber(token)),
          field.hungarian + " " + quoted(token) +
              hu(" nem szabályos szám, a program így olvassa: ") + str(readNumber(token))};
    });
  return true;
}

void WarningContext::warnRepeats(DataFile file, const std::vector<Keyed>& lines, WarningCode code,
                                 const std::function<Phrase(int64_t)>& what) {
  const std::string& fileName = name(file);
  std::map<int64_t, const DataLine*> last;
  for (const Keyed& k : lines)
    last[k.key] = k.line;
  std::map<int64_t, const DataLine*> before;
  for (const Keyed& k : lines) {
    const auto found = before.find(k.key);
    if (found != before.end()) {
      const DataLine* counts = last[k.key];
      add({fileName, k.line->line, k.column}, code, [&] {
        const Phrase key = what(k.key);
        return WarningTexts{
            key.english + " is given again: " +
                (counts == k.line ? std::string("this line counts, not the one before")
                                  : "the last line for it counts, line " + str(counts->line)),
            key.hungarian + hu(" ismét szerepel: ") +
                (counts == k.line
                     ? hu("ez a sor számít, nem az előző")
                     : hu("az utolsó sora számít, a(z) ") + str(counts->line) + hu(". sor")),
            {noteAt(fileName, found->second->line, key.english + " was given here before",
                    key.hungarian + hu(" itt szerepelt korábban"))}};
      });
    }
    before[k.key] = k.line;
  }
}

// Built member by member: GCC 12 takes the nested braces of a note inside a
// list for a use of uninitialised memory.
DataNote noteAt(const std::string& fileName, int32_t line, std::string message,
                std::string_view hungarian) {
  DataNote note;
  note.where.fileName = fileName;
  note.where.line = line;
  note.englishSize = static_cast<uint32_t>(message.size());
  note.texts = std::move(message).append(hungarian);
  return note;
}

DataNote outOfStepNote(const std::string& typeFile, const TypeOutOfStep& record) {
  if (record.countLost)
    return noteAt(typeFile, record.countLine,
                  "type " + str(record.id) +
                      " seems to lack its line count: this line, read as the count, holds several "
                      "numbers, and the records after it are read out of step",
                  hu("a(z) ") + str(record.id) +
                      hu(" azonosítójú típusnak mintha hiányozna a sorainak száma: ez a sor, "
                         "amelyet a program annak olvas, több számot tartalmaz, és az utána "
                         "következő típusok elcsúsznak"));
  return noteAt(typeFile, record.countLine,
                "the line count of type " + str(record.id) +
                    " does not seem to match its amount lines: the records after it are read out "
                    "of step",
                hu("a(z) ") + str(record.id) +
                    hu(" azonosítójú típus sorainak száma mintha nem egyezne a mennyiségsoraival: "
                       "az utána következő típusok elcsúsznak"));
}

DataNote skillLinesNote(const std::string& typeFile, const TypeEntry& type) {
  return noteAt(typeFile, type.countLine,
                "the line count of type " + str(type.id) + " is " + str(type.lineCount) +
                    ", so an entry of that type reads " +
                    (type.lineCount > 1 ? str(type.lineCount) + " skill index lines"
                                        : std::string("one skill index line")),
                hu("a(z) ") + str(type.id) + hu(" azonosítójú típus sorainak száma ") +
                    str(type.lineCount) + hu(", ezért egy ilyen típusú előtag ") +
                    (type.lineCount > 1 ? str(type.lineCount) : hu("egy")) +
                    hu(" képesség-sorszám sort olvas"));
}

bool readOutOfStep(const std::optional<TypeOutOfStep>& outOfStep, const TypeEntry* type) {
  return outOfStep && type != nullptr && type->line >= outOfStep->idLine;
}

}  // namespace tamrix
