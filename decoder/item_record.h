// An item number's answer as parts a program can use: the texts the
// description shows, and what they were made from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "database/bonus_layout.h"
#include "database/item_database.h"

namespace tamrix {

// One line of the bonus list. Texts are Windows-1250, as the data has them.
struct BonusRecord {
  int32_t skill = 0;
  std::optional<std::string> name;  // nothing for a skill the table lacks ("?")
  int32_t value = 0;
  std::string text;  // the line as the description writes it: "+4% S7 ezzel a fegyverrel!"
};

struct PrefixRecord {
  int32_t index = 0;
  std::optional<std::string> name;  // nothing for a prefix the table lacks ("?")
};

struct DamageRecord {
  DamageFigure figure;
  std::string text;  // after the damage label: "2d6+2"; empty for three zeros
};

struct ItemRecord {
  int32_t number = 0;
  // Whether the description is not the empty text; the fields below hold
  // their defaults when it is.
  bool item = false;
  // The whole description; its first line is the name line.
  std::string text;
  int32_t kind = 0;
  int32_t grade = 0;
  int32_t groupBase = 0;
  bool chaos = false;
  std::optional<PrefixRecord> prefix;
  // In the order the description lists them.
  std::vector<BonusRecord> bonuses;
  // A weapon's damage line; nothing when the description has none.
  std::optional<DamageRecord> damage;
};

// The record of `number`, decoded once: `text` is describeItem(db, number).
ItemRecord itemRecord(const ItemDatabase& db, int32_t number);

}  // namespace tamrix
