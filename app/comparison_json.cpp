#include "app/comparison_json.h"

#include "decoder/describe.h"
#include "text/encoding.h"

namespace tamrix {

std::string damageText(const Damage& damage) {
  std::string text;
  appendDamageText(text, damage.sides, damage.dice, damage.bonus);
  return text;
}

Json comparisonJson(const Comparison& comparison) {
  Json json;
  json["numbers"] = comparison.numbers;
  Json& names = json["names"] = Json::array();
  for (const std::string& name : comparison.names)
    names.push_back(cp1250ToUtf8(name));
  Json& rows = json["rows"] = Json::array();
  for (const ComparisonRow& row : comparison.rows) {
    Json entry;
    entry["skill"] = row.skill;
    entry["name"] = cp1250ToUtf8(row.name);
    entry["values"] = row.values;
    rows.push_back(std::move(entry));
  }
  Json& damage = json["damage"] = Json::array();
  for (std::size_t i = 0; i < comparison.numbers.size(); ++i) {
    const bool shown = i < comparison.damage.size() && comparison.damage[i];
    damage.push_back(shown ? Json(damageText(*comparison.damage[i])) : Json(nullptr));
  }
  return json;
}

}  // namespace tamrix
