#include "authoring/type_checks.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/hungarian.h"
#include "authoring/message_text.h"
#include "database/kind_layout.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

void checkAmountLine(WarningContext& context, const DataLine& line) {
  const std::string& name = context.name(DataFile::kTypes);
  const std::vector<Token> tokens = tokensOf(line.text());
  const std::size_t given = std::min<std::size_t>(tokens.size(), kTypeGrades);
  for (std::size_t g = 0; g < given; ++g)
    context.checkNumberField(DataFile::kTypes, line, tokens[g].at, [&] {
      return Phrase{"the amount of grade " + str(static_cast<int64_t>(g)),
                    hu("a(z) ") + str(static_cast<int64_t>(g)) + hu(". fokozat mennyisége")};
    });
  if (tokens.size() < kTypeGrades)
    context.add({name, line.line}, WarningCode::kAmountLineShort, [&] {
      return WarningTexts{
          "the amount line holds " + str(std::ssize(tokens)) + " of " + str(kTypeGrades) +
              " numbers, so " +
              (tokens.size() + 1 == kTypeGrades
                   ? "grade " + str(kTypeGrades - 1) + " reads 0"
                   : "grades " + span(std::ssize(tokens), kTypeGrades - 1) + " read 0"),
          hu("a mennyiségsorban ") + str(kTypeGrades) + hu(" szám helyett ") +
              str(std::ssize(tokens)) + hu(" áll, ezért a(z) ") +
              huSpan(std::ssize(tokens), kTypeGrades - 1) + hu(". fokozat 0-t kap")};
    });
  if (tokens.size() > kTypeGrades)
    context.add({name, line.line, line.column(tokens[kTypeGrades].at)},
                WarningCode::kAmountLineLong, [&] {
                  return WarningTexts{
                      "the amount line holds " + str(std::ssize(tokens)) +
                          " numbers: those after the " + str(kTypeGrades) + "th are ignored",
                      hu("a mennyiségsorban ") + str(std::ssize(tokens)) + hu(" szám áll: a(z) ") +
                          str(kTypeGrades) + hu(". utániakat a program nem olvassa")};
                });
  // The chaos grade shows no amount; a number that does not read as
  // written has its warning already.
  for (std::size_t g = 1; g < std::min<std::size_t>(given, kChaosGrade); ++g) {
    if (!isPlainNumber(tokens[g - 1].text) || !isPlainNumber(tokens[g].text))
      continue;
    const int64_t before = readNumber(tokens[g - 1].text);
    const int64_t now = readNumber(tokens[g].text);
    if (std::abs(now) < std::abs(before)) {
      context.add({name, line.line, line.column(tokens[g].at)}, WarningCode::kAmountFalls, [&] {
        return WarningTexts{"the amount falls from " + str(before) + " at grade " +
                                str(static_cast<int64_t>(g) - 1) + " to " + str(now) +
                                " at grade " + str(static_cast<int64_t>(g)),
                            hu("a mennyiség csökken: a(z) ") + str(static_cast<int64_t>(g) - 1) +
                                hu(". fokozaton ") + str(before) + hu(", a(z) ") +
                                str(static_cast<int64_t>(g)) + hu(". fokozaton ") + str(now)};
      });
      break;
    }
  }
}

}  // namespace

void checkTypes(WarningContext& context) {
  const std::string& name = context.name(DataFile::kTypes);
  // What the walk over the records finds after a count that seems wrong
  // follows from that count.
  if (const std::optional<TypeOutOfStep>& outOfStep = context.typesOutOfStep)
    context.warnings.trailingNote = {outOfStep->countLine, outOfStepNote(name, *outOfStep)};
  forEachTypeRecord(context.text(DataFile::kTypes), [&](const TypeRecordLines& record,
                                                        const TypeRecordLines*, std::size_t) {
    context.checkNumberField(DataFile::kTypes, *record.id, 0, [&] {
      return Phrase{"the type id", hu("a típusazonosító")};
    });
    if (record.count() == nullptr)
      return;
    context.checkNumberField(DataFile::kTypes, *record.count(), 0, [&] {
      return Phrase{"the line count", hu("a sorok száma")};
    });
    if (record.cutShort)
      context.add({name, record.count()->line}, WarningCode::kTypeShort, [&] {
        return WarningTexts{
            "the file ends after " + str(std::ssize(record.amounts())) + " of this type's " +
                str(std::max(readNumber(record.count()->text()), 1)) +
                " amount lines, so the record is dropped",
            hu("a fájl e típus ") + str(std::max(readNumber(record.count()->text()), 1)) +
                hu(" mennyiségsora közül ") + str(std::ssize(record.amounts())) +
                hu(" után véget ér, ezért a típus kimarad")};
      });
    for (const DataLine& amounts : record.amounts())
      checkAmountLine(context, amounts);
  });
  for (const TypeEntry& type : context.db.types())
    if (const TypeEntry* first = context.db.findType(type.id); first != &type)
      context.add({name, type.line, 1}, WarningCode::kTypeIdRepeated, [&] {
        return WarningTexts{
            "type id " + str(type.id) + " is defined again: only the first record counts",
            hu("a(z) ") + str(type.id) +
                hu(" típusazonosító ismét szerepel: csak az első típus számít"),
            {noteAt(name, first->line, "type id " + str(type.id) + " was defined here first",
                    hu("a(z) ") + str(type.id) + hu(" típusazonosító először itt szerepelt"))}};
      });
  context.warnings.trailingNote.reset();
}

}  // namespace tamrix
