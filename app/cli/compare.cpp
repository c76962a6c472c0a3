#include "app/cli/compare.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "app/json.h"
#include "decoder/describe.h"
#include "search/compare.h"
#include "text/encoding.h"

namespace tamrix::cli {

namespace {

constexpr std::string_view kBestMark = " *";
constexpr std::string_view kDamageLabel = "sebz\xC3\xA9s";  // as the damage line names it
constexpr std::size_t kGap = 2;

// The damage figure of a damage line, in UTF-8 ("2d6+2").
std::string damageText(const DamageFigure& damage) {
  std::string text;
  appendDamageText(text, damage);
  return text;
}

// {"numbers":[...],"names":[...],"rows":[{"skill":INDEX,"name":TEXT,
// "values":[...]}],"damage":[...]}: texts in UTF-8, a damage figure per item,
// null for an item without a damage line.
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

// Columns on a terminal: one per character, whatever its UTF-8 length.
std::size_t displayWidth(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// A table cell's value: a plus sign before a gain, "0" bare.
std::string signedUnlessZero(int32_t value) {
  std::string text(value > 0 ? "+" : "");
  return text.append(std::to_string(value));
}

// The table as lines of cells: the row label first, then one cell per item.
std::string textTable(const Comparison& comparison) {
  std::vector<std::vector<std::string>> lines;
  lines.push_back({""});
  lines.push_back({""});
  for (std::size_t i = 0; i < comparison.numbers.size(); ++i) {
    lines[0].push_back(std::to_string(comparison.numbers[i]));
    lines[1].push_back(cp1250ToUtf8(comparison.names[i]));
  }
  bool marked = false;
  const auto cell = [&marked](std::string text, bool best) {
    marked = marked || best;
    return best ? text.append(kBestMark) : text;
  };
  for (const ComparisonRow& row : comparison.rows) {
    std::vector<std::string>& line = lines.emplace_back(1, cp1250ToUtf8(row.name));
    for (std::size_t i = 0; i < row.values.size(); ++i)
      line.push_back(cell(signedUnlessZero(row.values[i]), row.best[i]));
  }
  if (!comparison.damage.empty()) {
    std::vector<std::string>& line = lines.emplace_back(1, std::string(kDamageLabel));
    for (std::size_t i = 0; i < comparison.damage.size(); ++i) {
      const std::optional<DamageFigure>& damage = comparison.damage[i];
      const std::string text = damage ? damageText(*damage) : "-";
      line.push_back(cell(text.empty() ? "0" : text, comparison.damageBest[i]));
    }
  }
  std::vector<std::size_t> widths(comparison.numbers.size() + 1);
  for (const std::vector<std::string>& line : lines) {
    for (std::size_t i = 0; i < line.size(); ++i)
      widths[i] = std::max(widths[i], displayWidth(line[i]));
  }
  std::string text;
  for (const std::vector<std::string>& line : lines) {
    std::string written;
    for (std::size_t i = 0; i < line.size(); ++i) {
      written += line[i];
      if (i + 1 < line.size())
        written.append(widths[i] - displayWidth(line[i]) + kGap, ' ');
    }
    written.erase(written.find_last_not_of(' ') + 1);
    text += written + '\n';
  }
  if (marked)
    text += "*: the best of its row\n";
  return text;
}

}  // namespace

Outcome compareNumbers(const Options& options, const ItemDatabase& db, const DataSetPlaces&) {
  const Catalogue catalogue(db);
  std::vector<int32_t> numbers;
  for (const std::string& arg : options.numbers)
    numbers.push_back(readNumberField(arg));
  if (options.format == Format::kCsv) {
    writeCsv(stdout, catalogue, numbers);
    return Outcome::kDone;
  }
  const Comparison comparison = compareItems(catalogue, numbers);
  writeOutput(stdout, options.format == Format::kJson ? jsonLine(comparisonJson(comparison))
                                                      : textTable(comparison));
  return Outcome::kDone;
}

}  // namespace tamrix::cli
