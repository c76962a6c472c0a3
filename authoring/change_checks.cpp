#include "authoring/change_checks.h"

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

void checkChanges(WarningContext& context) {
  const SourceFile& file = context.text(DataFile::kChanges);
  const std::string& name = context.name(DataFile::kChanges);
  const auto& changes = context.db.changes();
  static const std::array<Phrase, 4> kFields = {
      Phrase{"the item number", hu("a tárgyszám")}, Phrase{"the kind", hu("a fajta")},
      Phrase{"the target", hu("a cél")}, Phrase{"the multiplier", hu("a szorzó")}};
  // Only the records loaded: a file the load failed in has no warnings.
  std::size_t i = 0;
  file.forEachLine([&](const DataLine& line) {
    if (i == changes.size())
      return;
    const std::vector<Token> tokens = tokensOf(line.text());
    for (std::size_t k = 0; k < std::min(tokens.size(), kFields.size()); ++k)
      context.checkNumberField(DataFile::kChanges, line, tokens[k].at, [&] { return kFields[k]; });
    const ChangeEntry& change = changes[i++];
    const ChangeEntry* first = context.db.findChange(change.prefixIndex, change.itemKind);
    if (first != &change) {
      context.add({name, line.line}, WarningCode::kChangeHidden, [&] {
        return WarningTexts{"an earlier record has the same random prefix and kind, prefix " +
                                str(change.prefixIndex) + " and kind " + str(change.itemKind) +
                                ", so this one never applies",
                            hu("egy korábbi átirányításnak ugyanaz az előtagja és fajtája (") +
                                str(change.prefixIndex) + hu(". előtag, ") + str(change.itemKind) +
                                hu(" fajta), ezért ez sosem érvényesül"),
                            {noteAt(name, first->line, "the record that applies",
                                    hu("az érvényesülő átirányítás"))}};
      });
      return;
    }
    const int32_t prefix = change.prefixIndex;
    const int64_t blocksFirst = context.db.specItemCount() + context.db.stdItemCount();
    const int64_t blocksLast = context.db.specItemCount() +
                               int64_t{context.db.rndItemCount()} * context.db.stdItemCount() - 1;
    if (prefix < 1 || prefix >= context.db.rndItemCount())
      context.add({name, line.line, line.column(0)}, WarningCode::kChangeNoPrefix, [&] {
        return WarningTexts{"the item number is in no random prefix's block, those being " +
                                span(blocksFirst, blocksLast) + ", so the record never applies",
                            hu("a tárgyszám egyik előtag blokkjába sem esik (ezek: ") +
                                huSpan(blocksFirst, blocksLast) +
                                hu("), ezért az átirányítás sosem érvényesül")};
      });
    else if (!context.db.rndItems()[static_cast<std::size_t>(prefix)])
      context.add({name, line.line, line.column(0)}, WarningCode::kChangeNoPrefix, [&] {
        return WarningTexts{
            "random prefix " + str(prefix) + " has no entry, so the record never applies",
            hu("a(z) ") + str(prefix) +
                hu(". előtagnak nincs bejegyzése, ezért az átirányítás sosem érvényesül")};
      });
    const SourceLine target{name, line.line, tokens.size() > 2 ? line.column(tokens[2].at) : 0};
    const int32_t skill = change.skillIndex;
    if (skill == -1)
      return;  // the damage bonus, as documented
    if (skill < -context.sumCount() || skill >= context.sumCount())
      context.add(target, WarningCode::kChangeTargetOutside, [&] {
        return WarningTexts{
            "target " + str(skill) +
                " is outside the bonus table, so it adds nothing (use -1 for the damage bonus, "
                "0 to " +
                str(context.db.skillCount() - 1) + " for a skill)",
            hu("a(z) ") + str(skill) +
                hu(" cél a bónusztáblán kívül esik, ezért semmit sem ad (a sebzésbónusz célja -1, "
                   "egy képességé 0-") +
                str(context.db.skillCount() - 1) + ")"};
      });
    else if (const int32_t sum = (skill + context.sumCount()) % context.sumCount();
             sum >= context.db.skillCount())
      context.add(target, WarningCode::kBonusToDamage, [&] {
        return WarningTexts{"target " + str(skill) + " is no skill: it adds to a weapon's " +
                                context.damageName(sum).english +
                                ", and on other items to nothing (use -1 for the damage bonus)",
                            hu("a(z) ") + str(skill) + hu(" cél nem képesség: fegyveren ") +
                                context.damageName(sum).hungarian +
                                hu(" nő általa, más tárgyon semmi (a sebzésbónusz célja -1)")};
      });
    else
      context.checkTargetSkill(target, skill, [&] {
        return Phrase{"the change record's bonus", hu("az átirányítás bónusza")};
      });
  });
}

}  // namespace tamrix
