#include "search/query_reader.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <system_error>
#include <utility>

#include "search/fold.h"
#include "text/encoding.h"

namespace tamrix {

namespace {

constexpr int32_t kLastGrade = kGroupSlots - 1;

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
std::optional<int32_t> readQueryNumber(std::string_view text) {
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
    const std::optional<int32_t> kind = readQueryNumber(value);
    if (!kind)
      return errorOf(SearchErrorCode::kKindValue, raw);
    term.kind = TermKind::kKind;
    term.low = *kind;
    return std::nullopt;
  }
  if (name == "grade") {
    const std::size_t dots = value.find("..");
    const std::optional<int32_t> low = readQueryNumber(value.substr(0, dots));
    const std::optional<int32_t> high =
        dots == std::string_view::npos ? low : readQueryNumber(value.substr(dots + 2));
    if (!low || !high || *low < 0 || *low > *high || *high > kLastGrade)
      return errorOf(SearchErrorCode::kGradeRange, raw);
    term.kind = TermKind::kGrade;
    term.low = *low;
    term.high = *high;
    return std::nullopt;
  }
  const std::optional<int32_t> prefix = readQueryNumber(value);
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
  const std::optional<int32_t> value = readQueryNumber(rest);
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
  const std::optional<int32_t> number = readQueryNumber(value);
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

}  // namespace

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

}  // namespace tamrix
