#include "search/suggestions.h"

#include <algorithm>
#include <vector>

#include "search/name_words.h"
#include "search/query_reader.h"
#include "text/encoding.h"

namespace tamrix {

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
