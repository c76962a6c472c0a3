// ItemDatabase::describe: the item number decoder.
#include "database/item_database.h"
#include "decoder/bonus_vector.h"
#include "decoder/description_text.h"
#include "decoder/item_number.h"

namespace tamrix {

namespace {

// A grade-14 item with a random prefix is the chaos item, whatever the group
// size; it has no bonuses and no name of its own.
constexpr int32_t kChaosGrade = 14;

// The room a description is first given; longer texts grow it.
constexpr size_t kInitialCapacity = 1000;

// The entry of a standard slot, or null outside the table.
const StdItemEntry* stdItemAt(const ItemDatabase& db, int32_t slot) {
  return slot >= 0 && static_cast<size_t>(slot) < db.stdItems.size()
             ? &db.stdItems[static_cast<size_t>(slot)]
             : nullptr;
}

// Composes the text of an item with `writer`; returns false when it must
// not be normalised (the chaos item) or is the empty text.
bool compose(const ItemDatabase& db, const ItemNumber& item, DescriptionWriter& writer) {
  const StdItemEntry* const base = stdItemAt(db, item.groupBase);
  const int32_t kind = base != nullptr ? base->kind : 0;
  BonusVector bonus(db.skillCount);

  if (item.prefix >= 1) {
    const bool known = static_cast<size_t>(item.prefix) < db.rndItems.size();
    const int32_t typeId = known ? db.rndItems[static_cast<size_t>(item.prefix)].typeId : 0;
    const TypeEntry* type = db.findType(typeId);
    if (item.grade == kChaosGrade) {
      writer.append(kChaosText);
      return false;
    }
    if (type == nullptr)
      return false;
    addPrefixAmounts(db, *type, item.prefix, item.grade, kind, bonus);
    writer.appendPrefixWords(db, item.prefix);
  }
  writer.appendGradeWord(db, item.slot, item.grade);
  writer.appendBaseWord(db, item.groupBase, item.prefix >= 1);
  writer.appendHeader();

  if (const StdItemEntry* const own = stdItemAt(db, item.slot))
    addStdItemNumbers(*own, bonus);
  const bool weapon = isWeaponKind(kind);
  writer.appendBonusList(db, bonus, weapon);
  if (weapon)
    writer.appendDamageLine(bonus);
  return true;
}

}  // namespace

const char* ItemDatabase::describe(int32_t number) {
  // The buffer is reused: clearing keeps its storage, so describing number
  // after number allocates nothing for the text.
  if (!descriptionBuffer) {
    descriptionBuffer.emplace();
    descriptionBuffer->reserve(kInitialCapacity);
  }
  if (composeBuffer_.size() < kInitialCapacity)
    composeBuffer_.resize(kInitialCapacity);
  std::string& text = *descriptionBuffer;
  text.clear();
  if (const auto item = decomposeItemNumber(*this, number)) {
    DescriptionWriter writer(composeBuffer_);
    const bool normalize = compose(*this, *item, writer);
    text.assign(writer.text());
    if (normalize)
      normalizeLine(text);
  }
  return text.c_str();
}

}  // namespace tamrix
