// What the authoring tools say about a data set, in English for tamrix-cli
// and in Hungarian for the page, side by side in one table each (a switch, so
// that no fault or code can lack its wording) so that the two languages
// cannot come to say different things. English is ASCII, the Hungarian UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "database/item_database.h"
#include "text/wording.h"

namespace tamrix {

// The rule of its file that `fault` broke.
Wording loadFaultWording(LoadFault fault);

// Every warning that the warnings' pass raises. The names are stable, for scripts.
enum class WarningCode {
  kFileUnreadable,
  kUtf8Text,
  kUtf8Line,
  kCrLineEnds,
  kTab,
  kNumberText,
  kNumberMissing,
  kEmptyTable,
  kSkillRepeated,
  kStdItemRepeated,
  kStdSlotEmpty,
  kKindOutOfRange,
  kGradeKindDiffers,
  kNameRunsOn,
  kTypeIdRepeated,
  kTypeShort,
  kAmountLineShort,
  kAmountLineLong,
  kAmountFalls,
  kPrefixRepeated,
  kPrefixCutShort,
  kPrefixSlotEmpty,
  kPrefixTypeMissing,
  kPrefixSkillOutside,
  kBonusToDamage,
  kBonusToEmptySkill,
  kChangeHidden,
  kChangeNoPrefix,
  kChangeTargetOutside,
};
inline constexpr int kWarningCodeCount = static_cast<int>(WarningCode::kChangeTargetOutside) + 1;

// A warning code's name and what it means, in a short sentence.
struct CodeWording {
  std::string_view name;
  Wording meaning;
};

CodeWording codeWording(WarningCode code);
// The code of that name, or nothing.
std::optional<CodeWording> findCodeWording(std::string_view name);

}  // namespace tamrix
