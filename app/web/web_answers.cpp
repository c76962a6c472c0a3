#include "app/web/web_answers.h"

#include <algorithm>
#include <optional>
#include <string>

#include "app/dialog_logic.h"
#include "decoder/describe.h"
#include "search/compare.h"
#include "search/suggestions.h"
#include "text/encoding.h"

namespace tamrix::web {

namespace {

Json damageText(const std::optional<DamageFigure>& damage) {
  if (!damage)
    return nullptr;
  std::string text;
  appendDamageText(text, *damage);
  return cp1250ToUtf8(text);
}

std::string skillName(const Catalogue& catalogue, int32_t skill) {
  const CatalogueSkill* found = catalogue.skill(skill);
  return found ? cp1250ToUtf8(found->name) : "?";
}

// How a query names the skill so that it means this skill's name alone: its
// whole folded name, blanks as '_', quoted when it holds anything else than
// letters and digits.
std::string querySpelling(const CatalogueSkill& skill) {
  std::string name = cp1250ToUtf8(skill.foldedName);
  const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ';
  });
  if (!plain)
    return name.find('"') == std::string::npos ? '"' + name + '"' : name;
  std::replace(name.begin(), name.end(), ' ', '_');
  return name;
}

// Where `term` stands in `query` as a whole term, the first time.
std::size_t findTerm(std::string_view query, std::string_view term) {
  for (std::size_t at = query.find(term); at != std::string_view::npos;
       at = query.find(term, at + 1)) {
    const std::size_t end = at + term.size();
    const bool starts = at == 0 || query[at - 1] == ' ' || query[at - 1] == '\t';
    const bool ends = end == query.size() || query[end] == ' ' || query[end] == '\t';
    if (starts && ends)
      return at;
  }
  return std::string_view::npos;
}

// For an ambiguous skill name: the query with the name replaced by each
// skill it may mean.
Json choices(const Catalogue& catalogue, std::string_view query, const SearchError& error) {
  Json list = Json::array();
  const std::size_t at = findTerm(query, error.term);
  const std::size_t inTerm = std::string_view(error.term).find(error.name);
  if (at == std::string_view::npos || inTerm == std::string_view::npos || error.name.empty())
    return list;
  for (const std::string& name : error.skills) {
    const auto skill =
        std::find_if(catalogue.skills().begin(), catalogue.skills().end(),
                     [&](const CatalogueSkill& s) { return cp1250ToUtf8(s.name) == name; });
    if (skill == catalogue.skills().end())
      continue;
    std::string chosen(query);
    chosen.replace(at + inTerm, error.name.size(), querySpelling(*skill));
    list.push_back({{"name", name}, {"query", chosen}});
  }
  return list;
}

}  // namespace

Json dialogAnswer(const ItemDatabase& db, const Catalogue& catalogue, std::string_view field) {
  const int32_t number = readNumberField(field);
  const DialogAnswer answer = answerCommand(db, number);
  return {{"number", number},
          {"item", catalogue.find(number) != nullptr},
          {"name", cp1250ToUtf8(firstLine(answer.nameField))},
          {"description", cp1250ToUtf8(answer.descriptionField)}};
}

Json describe(const Catalogue& catalogue, int32_t number) {
  const CatalogueItem* item = catalogue.find(number);
  if (item == nullptr)
    return {{"number", number}, {"item", false}};
  const std::string_view text = item->description();
  const std::size_t lineEnd = text.find('\n');
  Json bonuses = Json::array();
  for (const SkillSum& bonus : item->bonuses())
    bonuses.push_back(
        {{"skill", bonus.skill}, {"name", skillName(catalogue, bonus.skill)}, {"sum", bonus.sum}});
  return {{"number", number},
          {"item", true},
          {"name", cp1250ToUtf8(item->nameLine())},
          {"description",
           lineEnd == std::string_view::npos ? "" : cp1250ToUtf8(text.substr(lineEnd + 1))},
          {"kind", item->kind},
          {"grade", item->grade},
          {"prefix", item->prefix},
          {"bonuses", std::move(bonuses)},
          {"damage", damageText(item->damage)}};
}

Json searchAnswer(const Catalogue& catalogue, std::string_view query, Found& found) {
  SearchResult result = search(catalogue, query);
  if (result.error) {
    // The rows of the search before stay, for a page that keeps them shown
    // while the query is being typed.
    Json answer = {{"ok", false}, {"error", searchErrorHungarian(*result.error)}};
    answer["choices"] = result.error->code == SearchErrorCode::kAmbiguousSkill
                            ? choices(catalogue, query, *result.error)
                            : Json::array();
    return answer;
  }
  Json skills = Json::array();
  for (const int32_t index : result.skills) {
    const CatalogueSkill* skill = catalogue.skill(index);
    skills.push_back({{"index", index},
                      {"name", skillName(catalogue, index)},
                      {"sort", skill ? "sort:" + querySpelling(*skill) : ""}});
  }
  std::string unsorted;
  std::size_t copied = 0;
  for (const auto& [at, size] : result.sortTerms) {
    unsorted.append(query.substr(copied, at - copied));
    copied = at + size;
    // One blank of the two around the term goes with it.
    if (copied < query.size() && (query[copied] == ' ' || query[copied] == '\t'))
      ++copied;
  }
  unsorted.append(query.substr(copied));
  const std::string sort =
      result.sortTerms.empty()
          ? ""
          : std::string(query.substr(result.sortTerms[0].first, result.sortTerms[0].second));
  found = {std::move(result.numbers), std::move(result.skills)};
  return {{"ok", true},
          {"count", found.numbers.size()},
          {"skills", std::move(skills)},
          {"sort", sort},
          {"unsorted", unsorted}};
}

Json rowIndex(const Found& found, int32_t number) {
  const auto at = std::find(found.numbers.begin(), found.numbers.end(), number);
  return {{"index", at == found.numbers.end() ? -1 : at - found.numbers.begin()}};
}

Json rowsAnswer(const Catalogue& catalogue, const Found& found, std::size_t from,
                std::size_t count) {
  Json rows = Json::array();
  for (std::size_t i = from; i < found.numbers.size() && i - from < count; ++i) {
    const CatalogueItem* item = catalogue.find(found.numbers[i]);
    if (item == nullptr)
      continue;
    Json values = Json::array();
    for (const int32_t skill : found.skills)
      values.push_back(item->sum(skill));
    rows.push_back({{"number", item->number},
                    {"name", cp1250ToUtf8(item->nameLine())},
                    {"values", std::move(values)},
                    {"damage", damageText(item->damage)}});
  }
  return rows;
}

Json gradesAnswer(const Catalogue& catalogue, int32_t number) {
  Json grades = Json::array();
  std::vector<int32_t> shown;  // the skills any grade shows
  if (const CatalogueItem* item = catalogue.find(number)) {
    // The query language says it: the group, the prefix, by increasing grade.
    const SearchResult group =
        search(catalogue, "group:" + std::to_string(number) +
                              " prefix:" + std::to_string(item->prefix) + " sort:grade:asc");
    for (const int32_t each : group.numbers) {
      const CatalogueItem* grade = catalogue.find(each);
      Json bonuses = Json::array();
      for (const SkillSum& bonus : grade->bonuses()) {
        bonuses.push_back({{"skill", bonus.skill}, {"sum", bonus.sum}});
        shown.push_back(bonus.skill);
      }
      grades.push_back({{"number", each},
                        {"grade", grade->grade},
                        {"name", cp1250ToUtf8(grade->nameLine())},
                        {"bonuses", std::move(bonuses)},
                        {"damage", damageText(grade->damage)}});
    }
  }
  std::sort(shown.begin(), shown.end());
  shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
  Json skills = Json::array();
  for (const int32_t skill : shown)
    skills.push_back({{"index", skill}, {"name", skillName(catalogue, skill)}});
  return {{"grades", std::move(grades)}, {"skills", std::move(skills)}};
}

Json compareAnswer(const Catalogue& catalogue, const std::vector<int32_t>& numbers) {
  const Comparison comparison = compareItems(catalogue, numbers);
  Json names = Json::array();
  for (const std::string& name : comparison.names)
    names.push_back(cp1250ToUtf8(name));
  Json rows = Json::array();
  for (const ComparisonRow& row : comparison.rows)
    rows.push_back({{"skill", row.skill},
                    {"name", cp1250ToUtf8(row.name)},
                    {"values", row.values},
                    {"best", row.best}});
  Json damage = Json::array();
  for (const std::optional<DamageFigure>& each : comparison.damage)
    damage.push_back(damageText(each));
  return {{"names", std::move(names)},
          {"rows", std::move(rows)},
          {"damage", std::move(damage)},
          {"damageBest", comparison.damageBest}};
}

Json suggestionAnswer(const Catalogue& catalogue, std::string_view query) {
  const std::optional<QuerySuggestion> suggestion = suggestQuery(catalogue, query);
  if (!suggestion)
    return Json::object();
  return {{"query", suggestion->query}, {"words", suggestion->words}};
}

}  // namespace tamrix::web
