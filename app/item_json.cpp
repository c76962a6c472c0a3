#include "app/item_json.h"

#include <optional>
#include <string>
#include <utility>

#include "app/dialog_logic.h"
#include "decoder/item_record.h"
#include "text/encoding.h"

namespace tamrix {

namespace {

Json optionalText(const std::optional<std::string>& cp1250) {
  return cp1250 ? Json(cp1250ToUtf8(*cp1250)) : Json(nullptr);
}

Json damageJson(const DamageRecord& damage) {
  Json out;
  out["dice"] = damage.figure.dice;
  out["sides"] = damage.figure.sides;
  out["bonus"] = damage.figure.bonus;
  // Twice the average is a whole number; the average itself may end in .5.
  const int64_t twice = damage.figure.twiceAverage();
  out["twiceAverage"] = twice;
  out["average"] = static_cast<double>(twice) / 2;
  out["text"] = cp1250ToUtf8(damage.text);
  return out;
}

Json recordJson(const ItemDatabase& db, int32_t number,
                const std::optional<std::string_view>& input) {
  // The dialog answers 0 without looking it up, whatever the tables hold.
  ItemRecord record = number == 0 ? ItemRecord{} : itemRecord(db, number);
  const DialogAnswer answer = dialogAnswer(number, std::move(record.text));
  Json out;
  out["number"] = number;
  out["name"] = cp1250ToUtf8(firstLine(answer.nameField));
  out["description"] = cp1250ToUtf8(answer.descriptionField);
  if (input)
    out["input"] = std::string(*input);
  out["item"] = record.item;
  if (!record.item)
    return out;
  out["kind"] = record.kind;
  out["grade"] = record.grade;
  out["groupBase"] = record.groupBase;
  out["chaos"] = record.chaos;
  if (record.prefix) {
    Json prefix;
    prefix["index"] = record.prefix->index;
    prefix["name"] = optionalText(record.prefix->name);
    out["prefix"] = prefix;
  } else {
    out["prefix"] = nullptr;
  }
  Json bonuses = Json::array();
  for (const BonusRecord& bonus : record.bonuses) {
    Json line;
    line["skill"] = bonus.skill;
    line["name"] = optionalText(bonus.name);
    line["value"] = bonus.value;
    line["text"] = cp1250ToUtf8(bonus.text);
    bonuses.push_back(std::move(line));
  }
  out["bonuses"] = std::move(bonuses);
  out["damage"] = record.damage ? damageJson(*record.damage) : Json(nullptr);
  return out;
}

}  // namespace

Json itemRecordJson(const ItemDatabase& db, int32_t number) {
  return recordJson(db, number, std::nullopt);
}

Json itemFieldJson(const ItemDatabase& db, std::string_view field) {
  const std::optional<int32_t> number = parseNumberField(field);
  if (!number)
    return recordJson(db, 0, field);
  return recordJson(db, *number, std::nullopt);
}

}  // namespace tamrix
