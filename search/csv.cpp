#include "search/csv.h"

#include <string_view>

#include "decoder/describe.h"
#include "text/encoding.h"

namespace tamrix {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

// A field, in double quotes when it holds a quote, a comma or a line end.
void appendField(std::string& out, std::string_view utf8) {
  if (utf8.find_first_of("\",\r\n") == std::string_view::npos) {
    out.append(utf8);
    return;
  }
  out += '"';
  for (const char c : utf8) {
    if (c == '"')
      out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

std::string csvHeader(const Catalogue& catalogue) {
  std::string out(kByteOrderMark);
  out.append("number,name,kind,grade,prefix,group base,damage");
  for (const CatalogueSkill& skill : catalogue.skills()) {
    out += ',';
    appendField(out, cp1250ToUtf8(skill.name));
  }
  out.append(kLineEnd);
  return out;
}

void appendCsvRow(const Catalogue& catalogue, int32_t number, std::string& out) {
  out.append(std::to_string(number));
  const CatalogueItem* item = catalogue.find(number);
  if (item == nullptr) {
    out.append(6 + catalogue.skills().size(), ',');
    out.append(kLineEnd);
    return;
  }
  out += ',';
  appendField(out, cp1250ToUtf8(item->nameLine()));
  for (const int32_t value : {item->kind, item->grade, item->prefix, item->groupBase})
    out.append(",").append(std::to_string(value));
  out += ',';
  if (item->damage)
    appendDamageText(out, *item->damage);
  // Both lists go by increasing skill.
  const std::span<const SkillSum> bonuses = item->bonuses();
  auto bonus = bonuses.begin();
  for (const CatalogueSkill& skill : catalogue.skills()) {
    out += ',';
    while (bonus != bonuses.end() && bonus->skill < skill.index)
      ++bonus;
    if (bonus != bonuses.end() && bonus->skill == skill.index)
      out.append(std::to_string(bonus->sum));
  }
  out.append(kLineEnd);
}

std::string csvTable(const Catalogue& catalogue, std::span<const int32_t> numbers) {
  std::string out = csvHeader(catalogue);
  for (const int32_t number : numbers)
    appendCsvRow(catalogue, number, out);
  return out;
}

}  // namespace tamrix
