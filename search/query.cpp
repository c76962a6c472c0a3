// The query language: reading a query into terms, and matching the terms
// against the catalogue's items.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <limits>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "search/fold.h"
#include "search/name_words.h"
#include "search/search.h"
#include "text/encoding.h"

namespace tamrix {

namespace {

constexpr int32_t kLastGrade = kGroupSlots - 1;

enum class TermKind {
  kText,
  kNothing,
  kKind,
  kWeapon,
  kGrade,
  kPrefix,
  kGroup,
  kComparison,
  kSort
};
enum class Operator { kGreaterEqual, kLessEqual, kGreater, kLess, kEqual };
enum class SortKey { kSkills, kNumber, kGrade, kName, kDamage };

struct Term {
  TermKind kind = TermKind::kText;
  bool negated = false;
  std::string text;                    // kText: folded Windows-1250
  int32_t low = 0;                     // kKind, kPrefix: the value; kGrade: the range;
  int32_t high = 0;                    // kGroup: the group base's number
  Operator op = Operator::kEqual;      // kComparison
  int32_t value = 0;                   //
  std::vector<int32_t> skills;         // kComparison, kSort by kSkills: the skills the name means
  SortKey sortKey = SortKey::kNumber;  // kSort
  bool descending = false;             //
};

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

SearchError errorOf(SearchErrorCode code, std::string_view term) {
  SearchError error;
  error.code = code;
  error.term = term;
  return error;
}

// Splits the query at blanks outside double quotes. Returns the error for a
// quote that is not closed.
std::optional<SearchError> splitTerms(std::string_view query,
                                      std::vector<std::string_view>& terms) {
  std::size_t pos = 0;
  while (pos < query.size()) {
    if (isBlank(query[pos])) {
      ++pos;
      continue;
    }
    const std::size_t start = pos;
    bool inQuotes = false;
    for (; pos < query.size() && (inQuotes || !isBlank(query[pos])); ++pos) {
      if (query[pos] == '"')
        inQuotes = !inQuotes;
    }
    const std::string_view term = query.substr(start, pos - start);
    if (inQuotes)
      return errorOf(SearchErrorCode::kUnbalancedQuote, term);
    terms.push_back(term);
  }
  return std::nullopt;
}

// The text without its double quotes; outside them, `_` stands for a blank
// when `underscoreIsBlank`.
std::string unquote(std::string_view text, bool underscoreIsBlank) {
  std::string out;
  bool inQuotes = false;
  for (const char c : text) {
    if (c == '"')
      inQuotes = !inQuotes;
    else
      out += (underscoreIsBlank && !inQuotes && c == '_') ? ' ' : c;
  }
  return out;
}

// An optional minus sign and digits, within 32 bits.
std::optional<int32_t> readNumber(std::string_view text) {
  int32_t value = 0;
  const char* const end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end)
    return std::nullopt;
  return value;
}

std::optional<SearchError> readFilter(std::string_view body, std::string_view raw, Term& term) {
  const std::size_t colon = body.find(':');
  const std::string_view name = body.substr(0, colon);
  const std::string_view value = body.substr(colon + 1);
  if (name == "kind") {
    if (value == "weapon") {
      term.kind = TermKind::kWeapon;
      return std::nullopt;
    }
    const std::optional<int32_t> kind = readNumber(value);
    if (!kind)
      return errorOf(SearchErrorCode::kKindValue, raw);
    term.kind = TermKind::kKind;
    term.low = *kind;
    return std::nullopt;
  }
  if (name == "grade") {
    const std::size_t dots = value.find("..");
    const std::optional<int32_t> low = readNumber(value.substr(0, dots));
    const std::optional<int32_t> high =
        dots == std::string_view::npos ? low : readNumber(value.substr(dots + 2));
    if (!low || !high || *low < 0 || *low > *high || *high > kLastGrade)
      return errorOf(SearchErrorCode::kGradeRange, raw);
    term.kind = TermKind::kGrade;
    term.low = *low;
    term.high = *high;
    return std::nullopt;
  }
  const std::optional<int32_t> prefix = readNumber(value);
  if (!prefix)
    return errorOf(SearchErrorCode::kPrefixValue, raw);
  term.kind = TermKind::kPrefix;
  term.low = *prefix;
  return std::nullopt;
}

// Where the operator of a comparison starts: the first '>', '<' or '='
// outside quotes.
std::size_t findOperator(std::string_view body) {
  bool inQuotes = false;
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '"')
      inQuotes = !inQuotes;
    else if (!inQuotes && (body[i] == '>' || body[i] == '<' || body[i] == '='))
      return i;
  }
  return std::string_view::npos;
}

// The skills a folded name means: every skill whose whole name it is, or
// else every skill with the one distinct name that it begins.
std::optional<SearchError> resolveSkill(const std::vector<CatalogueSkill>& skills,
                                        const std::string& folded, std::string_view typed,
                                        std::string_view raw, std::vector<int32_t>& matched) {
  for (const CatalogueSkill& skill : skills) {
    if (skill.foldedName == folded)
      matched.push_back(skill.index);
  }
  if (!matched.empty())
    return std::nullopt;
  std::vector<const CatalogueSkill*> candidates;  // one per distinct name
  for (const CatalogueSkill& skill : skills) {
    if (!skill.foldedName.starts_with(folded))
      continue;
    const bool seen = std::any_of(candidates.begin(), candidates.end(), [&](const auto* other) {
      return other->foldedName == skill.foldedName;
    });
    if (!seen)
      candidates.push_back(&skill);
  }
  if (candidates.size() != 1) {
    SearchError error = errorOf(
        candidates.empty() ? SearchErrorCode::kUnknownSkill : SearchErrorCode::kAmbiguousSkill,
        raw);
    error.name = typed;
    for (const CatalogueSkill* candidate : candidates)
      error.skills.push_back(cp1250ToUtf8(candidate->name));
    return error;
  }
  for (const CatalogueSkill& skill : skills) {
    if (skill.foldedName == candidates.front()->foldedName)
      matched.push_back(skill.index);
  }
  return std::nullopt;
}

std::optional<SearchError> readComparison(const Catalogue& catalogue, std::string_view body,
                                          std::size_t opPos, std::string_view raw, Term& term) {
  const std::string_view typed = body.substr(0, opPos);
  std::string_view rest = body.substr(opPos);
  const bool orEqual = rest.size() >= 2 && rest[0] != '=' && rest[1] == '=';
  term.op = rest[0] == '='   ? Operator::kEqual
            : rest[0] == '>' ? (orEqual ? Operator::kGreaterEqual : Operator::kGreater)
                             : (orEqual ? Operator::kLessEqual : Operator::kLess);
  const std::string_view op = rest.substr(0, orEqual ? 2 : 1);
  rest.remove_prefix(op.size());
  const std::optional<int32_t> value = readNumber(rest);
  if (!value) {
    SearchError error = errorOf(SearchErrorCode::kComparisonValue, raw);
    error.op = op;
    return error;
  }
  term.value = *value;
  const std::optional<std::string> name = utf8ToCp1250(unquote(typed, true));
  if (!name) {
    // No skill name holds a character that Windows-1250 lacks.
    term.kind = TermKind::kNothing;
    return std::nullopt;
  }
  const std::string folded = foldText(*name);
  if (folded.empty()) {
    SearchError error = errorOf(SearchErrorCode::kNoSkillName, raw);
    error.op = op;
    return error;
  }
  term.kind = TermKind::kComparison;
  return resolveSkill(catalogue.skills(), folded, typed, raw, term.skills);
}

std::optional<SearchError> readGroup(const Catalogue& catalogue, std::string_view value,
                                     std::string_view raw, Term& term) {
  const std::optional<int32_t> number = readNumber(value);
  if (!number || *number < catalogue.firstNumber() || *number > catalogue.lastNumber())
    return errorOf(SearchErrorCode::kGroupValue, raw);
  term.kind = TermKind::kGroup;
  term.low = catalogue.groupBaseOf(*number);
  return std::nullopt;
}

// Where a sort term's direction starts: its last ':' outside quotes.
std::size_t findDirection(std::string_view key) {
  std::size_t found = std::string_view::npos;
  bool inQuotes = false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (key[i] == '"')
      inQuotes = !inQuotes;
    else if (!inQuotes && key[i] == ':')
      found = i;
  }
  return found;
}

// sort:KEY or sort:KEY:asc|desc. Skills, grade and damage sort highest first,
// number and name lowest first, unless the direction says otherwise.
std::optional<SearchError> readSort(const Catalogue& catalogue, std::string_view key,
                                    std::string_view raw, Term& term) {
  term.kind = TermKind::kSort;
  std::optional<bool> descending;
  if (const std::size_t colon = findDirection(key); colon != std::string_view::npos) {
    const std::string_view direction = key.substr(colon + 1);
    if (direction != "asc" && direction != "desc")
      return errorOf(SearchErrorCode::kSortDirection, raw);
    descending = direction == "desc";
    key = key.substr(0, colon);
  }
  const std::optional<std::string> name = utf8ToCp1250(unquote(key, true));
  const std::string folded = name ? foldText(*name) : std::string();
  constexpr std::pair<std::string_view, SortKey> kKeys[] = {{"number", SortKey::kNumber},
                                                            {"grade", SortKey::kGrade},
                                                            {"name", SortKey::kName},
                                                            {"damage", SortKey::kDamage}};
  const auto* keyword = std::find_if(std::begin(kKeys), std::end(kKeys),
                                     [&](const auto& entry) { return entry.first == folded; });
  const bool anySkill =
      !folded.empty() && std::any_of(catalogue.skills().begin(), catalogue.skills().end(),
                                     [&](const CatalogueSkill& skill) {
                                       return skill.foldedName.starts_with(folded);
                                     });
  if (keyword != std::end(kKeys)) {
    term.sortKey = keyword->second;
  } else if (!anySkill) {
    return errorOf(SearchErrorCode::kSortKey, raw);
  } else {
    term.sortKey = SortKey::kSkills;
    if (auto error = resolveSkill(catalogue.skills(), folded, key, raw, term.skills))
      return error;
  }
  const bool lowestFirst = term.sortKey == SortKey::kNumber || term.sortKey == SortKey::kName;
  term.descending = descending.value_or(!lowestFirst);
  return std::nullopt;
}

std::optional<SearchError> readTerm(const Catalogue& catalogue, std::string_view raw, Term& term) {
  std::string_view body = raw;
  if (body.size() > 1 && body[0] == '-') {
    term.negated = true;
    body.remove_prefix(1);
  }
  if (body.starts_with("kind:") || body.starts_with("grade:") || body.starts_with("prefix:"))
    return readFilter(body, raw, term);
  if (body.starts_with("group:"))
    return readGroup(catalogue, body.substr(6), raw, term);
  if (body.starts_with("sort:")) {
    if (term.negated)
      return errorOf(SearchErrorCode::kSortNegated, raw);
    return readSort(catalogue, body.substr(5), raw, term);
  }
  if (const std::size_t opPos = findOperator(body); opPos != std::string_view::npos)
    return readComparison(catalogue, body, opPos, raw, term);
  const std::optional<std::string> text = utf8ToCp1250(unquote(body, false));
  term.kind = text ? TermKind::kText : TermKind::kNothing;
  term.text = text ? foldText(*text) : std::string();
  return std::nullopt;
}

bool compare(int32_t sum, Operator op, int32_t value) {
  switch (op) {
    case Operator::kGreaterEqual:
      return sum >= value;
    case Operator::kLessEqual:
      return sum <= value;
    case Operator::kGreater:
      return sum > value;
    case Operator::kLess:
      return sum < value;
    case Operator::kEqual:
      return sum == value;
  }
  return false;
}

bool matches(const Term& term, const CatalogueItem& item) {
  switch (term.kind) {
    case TermKind::kText:
      return item.foldedName().find(term.text) != std::string_view::npos;
    case TermKind::kNothing:
      return false;
    case TermKind::kKind:
      return item.kind == term.low;
    case TermKind::kWeapon:
      // The kinds that the description writes a damage line for.
      return isWeaponKind(item.kind);
    case TermKind::kGrade:
      return item.grade >= term.low && item.grade <= term.high;
    case TermKind::kPrefix:
      return item.prefix == term.low;
    case TermKind::kGroup:
      return item.groupBase == term.low;
    case TermKind::kSort:
      return true;
    case TermKind::kComparison:
      return std::any_of(term.skills.begin(), term.skills.end(), [&](int32_t skill) {
        return compare(item.sum(skill), term.op, term.value);
      });
  }
  return false;
}

// One sort term's key for each item to order, computed once: ordered
// ascending, so that a descending key is stored negated. Names are compared
// as they are.
struct SortColumn {
  bool byName = false;
  bool descending = false;
  std::vector<int64_t> keys;
};

int64_t sortValue(const Term& term, const CatalogueItem& item) {
  switch (term.sortKey) {
    case SortKey::kSkills: {
      int32_t largest = item.sum(term.skills.front());
      for (const int32_t skill : term.skills)
        largest = std::max(largest, item.sum(skill));
      return largest;
    }
    case SortKey::kNumber:
      return item.number;
    case SortKey::kGrade:
      return item.grade;
    case SortKey::kDamage:
    case SortKey::kName:
      break;
  }
  return 0;
}

// Orders `items` by the sort terms, the first deciding, then by increasing
// number.
void order(std::vector<const CatalogueItem*>& items, const std::vector<Term>& terms) {
  std::vector<SortColumn> columns;
  for (const Term& term : terms) {
    if (term.kind != TermKind::kSort)
      continue;
    SortColumn& column = columns.emplace_back();
    column.byName = term.sortKey == SortKey::kName;
    column.descending = term.descending;
    if (column.byName)
      continue;
    column.keys.reserve(items.size());
    for (const CatalogueItem* item : items) {
      if (term.sortKey == SortKey::kDamage && !item->damage) {
        // After every item with a damage line, in either direction; no
        // twice-average comes near the largest 64-bit number.
        column.keys.push_back(std::numeric_limits<int64_t>::max());
        continue;
      }
      const int64_t value =
          term.sortKey == SortKey::kDamage ? item->damage->twiceAverage() : sortValue(term, *item);
      column.keys.push_back(term.descending ? -value : value);
    }
  }
  if (columns.empty())
    return;
  // The first key sits beside its item's position, so that the comparisons
  // it decides, most of them, read one array. Positions follow increasing
  // numbers, so the last tie-break needs no item.
  struct Entry {
    int64_t key;
    uint32_t position;
  };
  const bool firstByName = columns.front().byName;
  std::vector<Entry> entries(items.size());
  for (uint32_t i = 0; i < entries.size(); ++i)
    entries[i] = {firstByName ? 0 : columns.front().keys[i], i};
  const auto later = columns.begin() + (firstByName ? 0 : 1);
  std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    if (a.key != b.key)
      return a.key < b.key;
    for (auto column = later; column != columns.end(); ++column) {
      if (column->byName) {
        const int byName = items[a.position]->foldedName().compare(items[b.position]->foldedName());
        if (byName != 0)
          return column->descending ? byName > 0 : byName < 0;
      } else if (column->keys[a.position] != column->keys[b.position]) {
        return column->keys[a.position] < column->keys[b.position];
      }
    }
    return a.position < b.position;
  });
  std::vector<const CatalogueItem*> ordered;
  ordered.reserve(items.size());
  for (const Entry& entry : entries)
    ordered.push_back(items[entry.position]);
  items = std::move(ordered);
}

// Reads every term of the query, or gives the first error.
std::optional<SearchError> readTerms(const Catalogue& catalogue, std::string_view queryUtf8,
                                     std::vector<std::string_view>& rawTerms,
                                     std::vector<Term>& terms) {
  if (auto error = splitTerms(queryUtf8, rawTerms))
    return error;
  terms.resize(rawTerms.size());
  for (std::size_t i = 0; i < rawTerms.size(); ++i) {
    if (auto error = readTerm(catalogue, rawTerms[i], terms[i]))
      return error;
  }
  return std::nullopt;
}

}  // namespace

SearchResult search(const Catalogue& catalogue, std::string_view queryUtf8) {
  SearchResult result;
  std::vector<std::string_view> rawTerms;
  std::vector<Term> terms;
  result.error = readTerms(catalogue, queryUtf8, rawTerms, terms);
  if (result.error)
    return result;
  std::vector<const CatalogueItem*> found;
  for (const CatalogueItem& item : catalogue.items()) {
    const bool all = std::all_of(terms.begin(), terms.end(), [&](const Term& term) {
      return matches(term, item) != term.negated;
    });
    if (all)
      found.push_back(&item);
  }
  order(found, terms);
  for (std::size_t i = 0; i < terms.size(); ++i) {
    const Term& term = terms[i];
    if (term.kind == TermKind::kSort)
      result.sortTerms.emplace_back(rawTerms[i].data() - queryUtf8.data(), rawTerms[i].size());
    if (term.kind != TermKind::kComparison && term.kind != TermKind::kSort)
      continue;
    for (const int32_t skill : term.skills) {
      if (std::find(result.skills.begin(), result.skills.end(), skill) == result.skills.end())
        result.skills.push_back(skill);
    }
  }
  result.numbers.reserve(found.size());
  for (const CatalogueItem* item : found)
    result.numbers.push_back(item->number);
  return result;
}

std::optional<QuerySuggestion> suggestQuery(const Catalogue& catalogue,
                                            std::string_view queryUtf8) {
  std::vector<std::string_view> rawTerms;
  std::vector<Term> terms;
  if (readTerms(catalogue, queryUtf8, rawTerms, terms))
    return std::nullopt;
  std::optional<NameWords> names;  // built only for a word that needs it
  QuerySuggestion suggestion;
  std::size_t copied = 0;  // how much of the query is in suggestion.query
  for (std::size_t i = 0; i < terms.size(); ++i) {
    const Term& term = terms[i];
    if (term.kind != TermKind::kText || term.negated || term.text.empty() ||
        term.text.find(' ') != std::string::npos || rawTerms[i].find('"') != std::string::npos)
      continue;
    const bool named = std::any_of(
        catalogue.items().begin(), catalogue.items().end(), [&](const CatalogueItem& item) {
          return item.foldedName().find(term.text) != std::string_view::npos;
        });
    if (named)
      continue;
    if (!names)
      names.emplace(catalogue);
    const std::optional<NameWord> closest = names->closest(term.text);
    if (!closest)
      continue;
    const auto start = static_cast<std::size_t>(rawTerms[i].data() - queryUtf8.data());
    suggestion.query.append(queryUtf8.substr(copied, start - copied))
        .append(cp1250ToUtf8(closest->folded));
    copied = start + rawTerms[i].size();
    suggestion.words.append(suggestion.words.empty() ? "" : " ")
        .append(cp1250ToUtf8(closest->shown));
  }
  if (suggestion.words.empty())
    return std::nullopt;
  suggestion.query.append(queryUtf8.substr(copied));
  return suggestion;
}

}  // namespace tamrix
