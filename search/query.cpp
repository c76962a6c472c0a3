// Matching a query's terms against the catalogue's items.
#include "search/query.h"

#include <algorithm>

#include "search/query_order.h"
#include "search/query_reader.h"

namespace tamrix {

namespace {

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
  orderItems(found, terms);
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

}  // namespace tamrix
