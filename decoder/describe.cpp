#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "decoder/describe.h"

#include "database/data_line_reader.h"

namespace tamrix {

namespace {

constexpr std::string_view kChaosText = "K\xE1osz t\xE1rgy!";
constexpr std::string_view kMissingName = "?";
constexpr std::string_view kMissingGradeName = "? ";
constexpr std::string_view kShortHeader = "\nA t\xE1rgy t\xE1pjai :\n";
constexpr std::string_view kLongHeader =
    "\nA t\xE1rgy t\xE1pjai (az alapt\xE1rgy b\xF3nuszain fel\xFCl) :\n";
constexpr std::string_view kWeaponRemark = "ezzel a fegyverrel! ";
constexpr std::string_view kDamageLabel = "\nsebz\xE9s : ";
// The lower-case vowels of Windows-1250 Hungarian: a á e é i í o ó ö ő u ú ü ű.
constexpr std::string_view kVowels =
    "a\xE1"
    "e\xE9i\xEDo\xF3\xF6\xF5u\xFA\xFC\xFB";

// "az " before a lower-case vowel, "a " otherwise (also for an empty name).
std::string_view articleFor(std::string_view name) {
  return !name.empty() && kVowels.find(name.front()) != std::string_view::npos ? "az " : "a ";
}

void appendNumber(std::string& text, int32_t value) {
  std::array<char, 16> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
  text.append(digits.data(), end);
}

}  // namespace

void appendDamageText(std::string& text, const DamageFigure& damage) {
  if (damage.dice != 0)
    appendNumber(text, damage.dice);
  if (damage.sides != 0) {
    text += 'd';
    appendNumber(text, damage.sides);
  }
  // The plus sign is written whatever the bonus's sign: -2 reads "+-2".
  if (damage.bonus != 0) {
    text += '+';
    appendNumber(text, damage.bonus);
  }
}

void appendBonusText(std::string& text, const ItemDatabase& db, int32_t skill, int32_t sum,
                     bool weapon) {
  if (sum > 0)
    text += '+';
  appendNumber(text, sum);
  if (skill == kHitChanceSkill || skill == kDefenceSkill)
    text += '%';
  text += ' ';
  const std::optional<SkillEntry>& entry = db.skills()[static_cast<std::size_t>(skill)];
  text.append(entry ? std::string_view(entry->name) : kMissingName);
  text += ' ';
  if (skill == kHitChanceSkill && weapon)
    text.append(kWeaponRemark);
}

void composeDescription(const ItemDatabase& db, const std::optional<ItemDecoding>& decoding,
                        std::string& text) {
  text.clear();
  if (!decoding)
    return;
  if (decoding->chaos) {
    text.append(kChaosText);  // not normalised
    return;
  }
  const ItemNumber& item = decoding->item;
  const std::vector<int32_t>& sums = decoding->sums;
  bool nameMissing = false;

  if (item.prefix >= 1) {
    if (const auto& prefix = db.rndItems()[static_cast<std::size_t>(item.prefix)])
      text.append(articleFor(prefix->name)).append(prefix->name);
    else
      text.append(kMissingName);
    text += ' ';
  }
  // A grade's name carries its own trailing blank in the data.
  if (item.grade != 0) {
    if (const auto& name = db.stdItems()[static_cast<std::size_t>(item.slot)].name) {
      text.append(*name);
    } else {
      text.append(kMissingGradeName);
      nameMissing = true;
    }
  }
  const StdItemEntry& base = db.stdItems()[static_cast<std::size_t>(item.groupBase)];
  if (!base.name) {
    text.append(kMissingName);
    nameMissing = true;
  } else if (item.prefix == 0) {
    text.append(*base.name);
  } else if (base.prefixedName) {
    text.append(*base.prefixedName);
  }
  text.append(nameMissing ? kLongHeader : kShortHeader);

  const bool weapon = isWeaponKind(decoding->kind);
  forEachListedBonus(*decoding, [&](int32_t skill, int32_t sum) {
    appendBonusText(text, db, skill, sum, weapon);
  });
  if (weapon) {
    text.append(kDamageLabel);
    appendDamageText(text, damageOf(sums));
  }
  normalizeLine(text);
}

void describeItem(const ItemDatabase& db, int32_t number, std::string& text) {
  composeDescription(db, decodeItem(db, number), text);
}

std::string describeItem(const ItemDatabase& db, int32_t number) {
  std::string text;
  describeItem(db, number, text);
  return text;
}

}  // namespace tamrix
