#include "authoring/std_item_checks.h"

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

Phrase fieldName(StdNumberField field) {
  if (field == &StdItemEntry::damageSides)
    return {"the damage sides", hu("a sebzéskocka oldalainak száma")};
  if (field == &StdItemEntry::damageDice)
    return {"the damage dice", hu("a sebzéskockák száma")};
  if (field == &StdItemEntry::damageBonus)
    return {"the damage bonus", hu("a sebzésbónusz")};
  const std::string skill = str(ownNumberOf(field).skill);
  return {"the skill " + skill + " bonus", hu("a(z) ") + skill + hu(". képesség bónusza")};
}

// Where the line that counts for a standard item slot gives its fields.
struct StdPlace {
  const DataLine* line = nullptr;
  std::size_t kindAt = 0;
  KindLayout layout{};
  std::array<std::size_t, 5> fieldAt{};
};

void warnEmptySlots(WarningContext& context) {
  const auto& items = context.db.stdItems();
  const int32_t base = context.db.specItemCount();
  std::optional<int32_t> runStart;
  for (int32_t slot = 0; slot <= context.db.stdItemCount(); ++slot) {
    if (slot < context.db.stdItemCount() && items[static_cast<std::size_t>(slot)].line == 0) {
      runStart = runStart.value_or(slot);
      continue;
    }
    if (runStart) {
      const int32_t first = base + *runStart;
      context.add({context.name(DataFile::kStdItems)}, WarningCode::kStdSlotEmpty, [&] {
        return WarningTexts{"no line gives item number " + span(first, base + slot - 1) +
                                ", so its name reads \"?\"",
                            hu("egyetlen sor sem adja meg a(z) ") + huSpan(first, base + slot - 1) +
                                hu(" tárgyszámot, ezért a neve „?”")};
      });
    }
    runStart.reset();
  }
}

void checkStdSlot(WarningContext& context, std::size_t slot, const StdPlace& place) {
  if (place.line == nullptr)
    return;
  const std::string& name = context.name(DataFile::kStdItems);
  const StdItemEntry& item = context.db.stdItems()[slot];
  const StdItemEntry& base =
      context.db.stdItems()[slot - slot % static_cast<std::size_t>(context.db.groupSize())];
  const auto inRange = [](int32_t kind) { return kind >= kFirstKind && kind <= kLastKind; };
  if (&item != &base && item.name && base.name && inRange(item.kind) && inRange(base.kind) &&
      item.kind != base.kind)
    context.add({name, place.line->line, place.line->column(place.kindAt)},
                WarningCode::kGradeKindDiffers, [&] {
                  return WarningTexts{
                      "kind " + str(item.kind) + " differs from the group base's kind " +
                          str(base.kind) + ", which is the one that counts for the item",
                      hu("a(z) ") + str(item.kind) + hu(" fajta eltér az alaptárgy fajtájától (") +
                          str(base.kind) + hu("), és a tárgynál az alaptárgyé számít")};
                });
  for (const OwnNumber& own : kOwnNumbers) {
    const StdNumberField field = own.field;
    if (own.skill < 0 || item.*field == 0)
      continue;
    const int32_t skill = own.skill;
    const auto* at = std::find(place.layout.fields.begin(),
                               place.layout.fields.begin() + place.layout.count, field);
    const std::size_t f = static_cast<std::size_t>(at - place.layout.fields.begin());
    const int32_t column = f < place.layout.count ? place.line->column(place.fieldAt[f]) : 0;
    context.checkTargetSkill({name, place.line->line, column}, skill, [&] {
      return Phrase{"the item's own bonus of " + str(item.*field),
                    hu("a tárgy saját ") + str(item.*field) + hu(" értékű bónusza")};
    });
  }
}

}  // namespace

void checkStdItems(WarningContext& context) {
  const SourceFile& file = context.text(DataFile::kStdItems);
  const std::string& name = context.name(DataFile::kStdItems);
  const auto& items = context.db.stdItems();
  const int32_t base = context.db.specItemCount();
  std::vector<StdPlace> places(items.size());
  std::vector<WarningContext::Keyed> numbers;
  for (const DataLine& line : file.lines()) {
    const std::string_view text = line.text();
    const int64_t slot = int64_t{readNumber(text)} - base;
    const std::size_t blank = text.find(' ');
    if (slot < 0 || slot >= std::ssize(items) || blank == std::string_view::npos)
      continue;  // the load would have failed
    context.checkNumberField(DataFile::kStdItems, line, 0, [&] {
      return Phrase{"the item number", hu("a tárgyszám")};
    });
    numbers.push_back({base + slot, &line, line.column(0)});
    StdPlace place{&line, blank + 1};
    context.checkNumberField(DataFile::kStdItems, line, place.kindAt, [&] {
      return Phrase{"the kind", hu("a fajta")};
    });
    const int32_t kind = readNumber(text.substr(place.kindAt));
    places[static_cast<std::size_t>(slot)] = place;
    const bool groupBase = context.db.groupSize() > 0 && slot % context.db.groupSize() == 0;
    if (kind < kFirstKind || kind > kLastKind) {
      context.add({name, line.line, line.column(place.kindAt)}, WarningCode::kKindOutOfRange, [&] {
        return WarningTexts{
            "kind " + str(kind) + " is outside " + span(kFirstKind, kLastKind) +
                ", so the rest of the line is ignored" +
                (groupBase ? " and the items of its group are of no kind (no weapon remark, no "
                             "damage line)"
                           : ""),
            hu("a(z) ") + str(kind) + hu(" fajta nincs ") + str(kFirstKind) + hu(" és ") +
                str(kLastKind) + hu(" között, ezért a sor többi részét a program nem olvassa") +
                (groupBase
                     ? hu(", és a csoportja tárgyainak nincs fajtája (nincs fegyvermegjegyzés, "
                          "nincs sebzéssor)")
                     : "")};
      });
      continue;
    }
    place.layout = layoutOf(kind);
    std::size_t pos = place.kindAt;
    for (std::size_t f = 0; f < place.layout.count; ++f) {
      pos = std::min(text.find(' ', pos), text.size() - 1) + 1;
      place.fieldAt[f] = pos;
      if (!context.checkNumberField(DataFile::kStdItems, line, pos,
                                    [&] { return fieldName(place.layout.fields[f]); }))
        break;
    }
    places[static_cast<std::size_t>(slot)] = place;
    const std::size_t open = text.find('"', pos);
    const std::size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
    if (groupBase || close == std::string_view::npos)
      continue;
    const std::string_view grade = text.substr(open + 1, close - open - 1);
    const auto& baseName =
        items[static_cast<std::size_t>(slot - slot % context.db.groupSize())].name;
    if (!grade.empty() && grade.back() != ' ')
      context.add({name, line.line, line.column(open)}, WarningCode::kNameRunsOn, [&] {
        return WarningTexts{
            "the grade's name " + quoted(grade) +
                " does not end with a blank, so it runs into the base name: " +
                quoted(std::string(grade) + baseName.value_or("?")),
            hu("a fokozat neve (") + quoted(grade) +
                hu(") nem szóközzel végződik, ezért egybeolvad az alaptárgy nevével: ") +
                quoted(std::string(grade) + baseName.value_or("?"))};
      });
  }
  context.warnRepeats(
      DataFile::kStdItems, numbers, WarningCode::kStdItemRepeated, [](int64_t number) -> Phrase {
        return {"item number " + str(number), hu("a(z) ") + str(number) + hu(" tárgyszám")};
      });
  warnEmptySlots(context);
  for (std::size_t slot = 0; slot < items.size(); ++slot)
    checkStdSlot(context, slot, places[slot]);
}

}  // namespace tamrix
