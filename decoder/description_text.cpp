#include "decoder/description_text.h"

#include <algorithm>
#include <array>
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

namespace {

// One flag per byte value: whether it is one of kVowels.
constexpr std::array<bool, 256> kIsVowel = [] {
  std::array<bool, 256> table{};
  for (const char c : kVowels)
    table[static_cast<unsigned char>(c)] = true;
  return table;
}();

bool takesAz(std::string_view name) {
  return !name.empty() && kIsVowel[static_cast<unsigned char>(name.front())];
}

}  // namespace

std::string_view articleFor(std::string_view name) {
  return takesAz(name) ? "az " : "a ";
}

void DescriptionWriter::grow(std::size_t count) {
  buffer_.resize(std::max(buffer_.size() * 2, used_ + count));
}

void DescriptionWriter::appendNumber(int32_t value) {
  char* out = room(kMaxFigure);
  used_ += static_cast<std::size_t>(std::to_chars(out, out + kMaxFigure, value).ptr - out);
}

void DescriptionWriter::appendPrefixWords(const ItemDatabase& db, int32_t prefix) {
  if (present(db.rndItemPresent, prefix) && static_cast<size_t>(prefix) < db.rndItems.size()) {
    const std::string& name = db.rndItems[static_cast<size_t>(prefix)].name;
    // Two calls, so that each copies a piece of known length.
    if (takesAz(name))
      append(std::string_view("az "));
    else
      append(std::string_view("a "));
    append(name);
  } else {
    append(kMissingName);
  }
  append(' ');
}

void DescriptionWriter::appendGradeWord(const ItemDatabase& db, int32_t slot, int32_t grade) {
  if (grade == 0)
    return;
  if (present(db.stdItemPresent, slot) && static_cast<size_t>(slot) < db.stdItems.size()) {
    append(db.stdItems[static_cast<size_t>(slot)].name);
  } else {
    append(kMissingGradeName);
    nameMissing_ = true;
  }
}

void DescriptionWriter::appendBaseWord(const ItemDatabase& db, int32_t groupBase, bool hasPrefix) {
  if (present(db.stdItemPresent, groupBase) &&
      static_cast<size_t>(groupBase) < db.stdItems.size()) {
    const StdItemEntry& base = db.stdItems[static_cast<size_t>(groupBase)];
    // The loader always gives a present group base its prefixed form; an
    // entry without one prints nothing rather than failing.
    if (!hasPrefix)
      append(base.name);
    else if (base.prefixedName)
      append(*base.prefixedName);
  } else {
    append(kMissingName);
    nameMissing_ = true;
  }
}

void DescriptionWriter::appendHeader() {
  // Two calls, so that each copies a piece of known length.
  if (nameMissing_)
    append(kLongHeader);
  else
    append(kShortHeader);
}

void DescriptionWriter::appendBonusList(const ItemDatabase& db, const BonusVector& bonus,
                                        bool weapon) {
  bonus.forEachNonZero(db.skillCount, [&](int32_t i, int32_t sum) {
    // The sign, the sum, the percent sign and the blank go straight into
    // the buffer.
    char* const start = room(kMaxFigure);
    char* end = start;
    if (sum > 0)
      *end++ = '+';
    end = std::to_chars(end, start + kMaxFigure, sum).ptr;
    if (i == 7 || i == 8)
      *end++ = '%';
    *end++ = ' ';
    used_ += static_cast<std::size_t>(end - start);
    if (present(db.skillPresent, i) && static_cast<size_t>(i) < db.skills.size()) {
      append(db.skills[static_cast<size_t>(i)].name);
    } else {
      append(kMissingName);
    }
    append(' ');
    if (i == 7 && weapon)
      append(kWeaponRemark);
  });
}

void DescriptionWriter::appendDamageLine(const BonusVector& bonus) {
  append(kDamageLabel);
  if (bonus.damageDice() != 0)
    appendNumber(bonus.damageDice());
  if (bonus.damageSides() != 0) {
    append('d');
    appendNumber(bonus.damageSides());
  }
  // The plus sign is written whatever the bonus's sign: -2 reads "+-2".
  if (bonus.damageBonus() != 0) {
    append('+');
    appendNumber(bonus.damageBonus());
  }
}

}  // namespace tamrix
