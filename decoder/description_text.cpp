#include "decoder/description_text.h"

#include <charconv>

namespace tamrix {

namespace {

// The lower-case vowels of Windows-1250 Hungarian: a á e é i í o ó ö ő u ú ü ű.
constexpr std::string_view kVowels =
    "a\xE1"
    "e\xE9i\xEDo\xF3\xF6\xF5u\xFA\xFC\xFB";
constexpr std::string_view kMissingName = "?";
constexpr std::string_view kMissingGradeName = "? ";
constexpr std::string_view kShortHeader = "\nA t\xE1rgy t\xE1pjai :\n";
constexpr std::string_view kLongHeader =
    "\nA t\xE1rgy t\xE1pjai (az alapt\xE1rgy b\xF3nuszain fel\xFCl) :\n";
constexpr std::string_view kWeaponRemark = "ezzel a fegyverrel! ";
constexpr std::string_view kDamageLabel = "\nsebz\xE9s : ";

template <typename Vector>
bool present(const Vector& flags, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < flags.size() &&
         flags[static_cast<size_t>(index)] == 1;
}

}  // namespace

std::string_view articleFor(std::string_view name) {
  return !name.empty() && kVowels.find(name.front()) != std::string_view::npos ? "az " : "a ";
}

void DescriptionWriter::appendNumber(int32_t value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  text_.append(digits, result.ptr);
}

void DescriptionWriter::appendPrefixWords(const ItemDatabase& db, int32_t prefix) {
  if (present(db.rndItemPresent, prefix) && static_cast<size_t>(prefix) < db.rndItems.size()) {
    const std::string& name = db.rndItems[static_cast<size_t>(prefix)].name;
    text_ += articleFor(name);
    text_ += name;
  } else {
    text_ += kMissingName;
  }
  text_ += ' ';
}

void DescriptionWriter::appendGradeWord(const ItemDatabase& db, int32_t slot, int32_t grade) {
  if (grade == 0)
    return;
  if (present(db.stdItemPresent, slot) && static_cast<size_t>(slot) < db.stdItems.size()) {
    text_ += db.stdItems[static_cast<size_t>(slot)].name;
  } else {
    text_ += kMissingGradeName;
    nameMissing_ = true;
  }
}

void DescriptionWriter::appendBaseWord(const ItemDatabase& db, int32_t groupBase, bool hasPrefix) {
  if (present(db.stdItemPresent, groupBase) &&
      static_cast<size_t>(groupBase) < db.stdItems.size()) {
    const StdItemEntry& base = db.stdItems[static_cast<size_t>(groupBase)];
    // The loader always gives a present group base its prefixed form; an
    // entry without one prints nothing rather than failing.
    static const std::string kNoName;
    text_ += hasPrefix ? (base.prefixedName ? *base.prefixedName : kNoName) : base.name;
  } else {
    text_ += kMissingName;
    nameMissing_ = true;
  }
}

void DescriptionWriter::appendHeader() {
  text_ += nameMissing_ ? kLongHeader : kShortHeader;
}

void DescriptionWriter::appendBonusList(const ItemDatabase& db, const BonusVector& bonus,
                                        bool weapon) {
  for (int32_t i = bonus.nextNonZero(0, db.skillCount); i < db.skillCount;
       i = bonus.nextNonZero(i + 1, db.skillCount)) {
    // The sign, the sum, the percent sign and the blank go in as one piece.
    const int32_t sum = bonus.at(i);
    char figure[24];
    char* end = figure;
    if (sum > 0)
      *end++ = '+';
    end = std::to_chars(end, figure + sizeof figure, sum).ptr;
    if (i == 7 || i == 8)
      *end++ = '%';
    *end++ = ' ';
    text_.append(figure, end);
    if (present(db.skillPresent, i) && static_cast<size_t>(i) < db.skills.size()) {
      text_ += db.skills[static_cast<size_t>(i)].name;
    } else {
      text_ += kMissingName;
    }
    text_ += ' ';
    if (i == 7 && weapon)
      text_ += kWeaponRemark;
  }
}

void DescriptionWriter::appendDamageLine(const BonusVector& bonus) {
  text_ += kDamageLabel;
  if (bonus.damageDice() != 0)
    appendNumber(bonus.damageDice());
  if (bonus.damageSides() != 0) {
    text_ += 'd';
    appendNumber(bonus.damageSides());
  }
  // The plus sign is written whatever the bonus's sign: -2 reads "+-2".
  if (bonus.damageBonus() != 0) {
    text_ += '+';
    appendNumber(bonus.damageBonus());
  }
}

}  // namespace tamrix
