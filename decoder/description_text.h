// The pieces of the Hungarian description text, appended in order to the
// text being composed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "database/item_database.h"
#include "decoder/bonus_vector.h"

namespace tamrix {

// The whole answer for an item of grade 14 that carries a random prefix.
inline constexpr std::string_view kChaosText = "K\xE1osz t\xE1rgy!";

// Writes the pieces into `text`, which it does not own. Remembers whether a
// grade or base name was missing, which chooses the header.
class DescriptionWriter {
 public:
  explicit DescriptionWriter(std::string& text) : text_(text) {}

  // The article and the name of random prefix `prefix`, or "?", then a blank.
  void appendPrefixWords(const ItemDatabase& db, int32_t prefix);
  // The name of the grade's slot (which carries its own trailing blank in
  // the data) or "? "; nothing for grade 0.
  void appendGradeWord(const ItemDatabase& db, int32_t slot, int32_t grade);
  // The group base's name, its prefixed form when the item has a prefix, or "?".
  void appendBaseWord(const ItemDatabase& db, int32_t groupBase, bool hasPrefix);
  // Ends the name line and writes the header line.
  void appendHeader();
  // One item per skill with a non-zero sum.
  void appendBonusList(const ItemDatabase& db, const BonusVector& bonus, bool weapon);
  // "sebzés : " and the damage figure, on a line of its own.
  void appendDamageLine(const BonusVector& bonus);

  void appendNumber(int32_t value);

 private:
  std::string& text_;
  bool nameMissing_ = false;
};

// Kinds 11 and 12 are weapons: they get the weapon remark and a damage line.
inline bool isWeaponKind(int32_t kind) {
  return kind == 11 || kind == 12;
}

// The article for a prefix name: "az " before a lower-case vowel, "a "
// otherwise (also for an empty name).
std::string_view articleFor(std::string_view name);

}  // namespace tamrix
