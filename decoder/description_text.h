// The pieces of the Hungarian description text, appended in order to the
// text being composed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "database/item_database.h"
#include "decoder/bonus_vector.h"

namespace tamrix {

// The whole answer for an item of grade 14 that carries a random prefix.
inline constexpr std::string_view kChaosText = "K\xE1osz t\xE1rgy!";

// Writes the pieces into `buffer`, which it does not own, from its start on.
// The buffer's whole size is room to write in, so a piece is one bounds check
// and one copy; a buffer kept at its size from one description to the next
// is never filled or grown again. The text is the first size() bytes.
// Remembers whether a grade or base name was missing, which chooses the
// header.
class DescriptionWriter {
 public:
  explicit DescriptionWriter(std::string& buffer) : buffer_(buffer) {}

  std::size_t size() const { return used_; }
  std::string_view text() const { return {buffer_.data(), used_}; }

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
  void append(std::string_view piece) {
    char* out = room(piece.size());
    copyPiece(out, piece.data(), piece.size());
    used_ += piece.size();
  }

 private:
  // The longest piece a number adds: a sign, ten digits, '%' and a blank.
  static constexpr std::size_t kMaxFigure = 16;

  void append(char c) { *room(1) = c, ++used_; }
  // Most pieces are names of a few to a few dozen bytes: these are copied
  // as two fixed-size blocks that may overlap, without a library call.
  static void copyPiece(char* out, const char* from, std::size_t count) {
    if (count >= 16 && count <= 32) {
      std::memcpy(out, from, 16);
      std::memcpy(out + count - 16, from + count - 16, 16);
    } else if (count >= 8 && count < 16) {
      std::memcpy(out, from, 8);
      std::memcpy(out + count - 8, from + count - 8, 8);
    } else if (count != 0) {
      std::memcpy(out, from, count);
    }
  }
  // Where the next `count` bytes go, after growing the buffer if needed.
  char* room(std::size_t count) {
    if (count > buffer_.size() - used_)
      grow(count);
    return buffer_.data() + used_;
  }
  void grow(std::size_t count);

  std::string& buffer_;
  std::size_t used_ = 0;
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
