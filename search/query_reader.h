// Reading a query into terms: the words of the query language and their
// values, checked against the catalogue's skills and item numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/catalogue.h"
#include "search/search_error.h"

namespace tamrix {

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

// Reads every term of the query, each beside the text it was read from
// (views into `queryUtf8`), or gives the first error.
std::optional<SearchError> readTerms(const Catalogue& catalogue, std::string_view queryUtf8,
                                     std::vector<std::string_view>& rawTerms,
                                     std::vector<Term>& terms);

}  // namespace tamrix
