// How an item's description comes about: the parts of its number and every
// amount that goes into its bonus sums, each with the data line it comes from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "authoring/source_file.h"
#include "authoring/source_line.h"
#include "database/data_file_set.h"
#include "database/item_database.h"
#include "decoder/decode_item.h"
#include "decoder/item_number.h"

namespace tamrix {

// One of the decoder's steps, with the data line of the record behind it.
struct Contribution {
  using Source = BonusStep::Source;
  Source source = Source::kOwnNumber;
  // The line that chose where the amount goes: the prefix's skill index line,
  // the change record, or the item's own slot.
  SourceLine from;
  // The amount's line in the type and, when the files could be read again,
  // its grade's column; nothing for own numbers.
  std::optional<SourceLine> amountAt;
  int32_t amountLine = 0;      // the type's amount line (1-based); 0 for own numbers
  int32_t amount = 0;          // as the data gives it
  int32_t multiplier = 1;      // the change record's; 1 otherwise
  int32_t target = 0;          // skill index or change target as written; own numbers: the sum
  std::optional<int32_t> sum;  // the bonus sum it adds to; nothing when outside
  std::optional<SourceLine> doubledBy;  // the skill line whose flag doubles it
  int32_t added = 0;                    // what the sum gets
};

struct ItemExplanation {
  int32_t number = 0;
  std::optional<ItemNumber> item;  // nothing when the number is no item
  int32_t kind = 0;                // the group base's
  SourceLine groupBase;
  SourceLine ownSlot;
  bool chaos = false;
  std::optional<RndItemEntry> prefix;  // the prefix's entry, when it has one
  const TypeEntry* type = nullptr;     // the prefix's type in the database, when it is found
  std::optional<ChangeEntry> change;   // the change record that applies
  // With a change record: the prefix's skill index lines that it overrides.
  std::vector<SourceLine> overridden;
  // The change records of the item's prefix that do not apply to it, each
  // with the reason, in English.
  struct UnusedChange {
    ChangeEntry record;
    std::string reason;
  };
  std::vector<UnusedChange> otherChanges;
  std::vector<Contribution> contributions;
  // The sums of BonusLayout{skillCount}, as the decoder adds them: the skills, then damage
  // sides, dice and bonus.
  std::vector<int32_t> sums;
  std::string text;  // the description, Windows-1250
};

// Explains `number` with the tables of `db`, loaded from `files`; the amounts'
// columns come from `sources` when it is given.
ItemExplanation explainItem(const ItemDatabase& db, const DataFileSet& files, int32_t number,
                            SourceFiles* sources = nullptr);

}  // namespace tamrix
