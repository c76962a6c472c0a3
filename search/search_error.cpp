// The words for a query that cannot be read, in tamrix-cli's English and in
// the Hungarian of the page, side by side so that neither lacks a reason.
#include <string>

#include "database/limits.h"
#include "search/search_error.h"
#include "text/wording.h"

namespace tamrix {

namespace {

std::string joined(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) {
    if (!list.empty())
      list += ", ";
    list += name;
  }
  return list;
}

// The reason, in English and in Hungarian. In Hungarian, operators and
// keywords start the sentence: an article before them would have to follow
// how each is read aloud.
Wording reasons(const SearchError& error) {
  const std::string lastGrade = std::to_string(kGroupSlots - 1);
  const std::string first = std::to_string(kFirstItemNumber);
  const std::string last = std::to_string(kEndItemNumber - 1);
  switch (error.code) {
    case SearchErrorCode::kUnbalancedQuote:
      return {"unbalanced quote", "nincs lezárva az idézőjel"};
    case SearchErrorCode::kKindValue:
      return {"kind: needs a number or weapon", "kind: után szám vagy weapon kell"};
    case SearchErrorCode::kGradeRange:
      return {"grade: needs N or N..M with 0 <= N <= M <= " + lastGrade,
              "grade: után N vagy N..M kell, 0 <= N <= M <= " + lastGrade};
    case SearchErrorCode::kPrefixValue:
      return {"prefix: needs a number", "prefix: után szám kell"};
    case SearchErrorCode::kUnknownSkill:
      return {error.name + " names no skill", "egy képesség neve sem kezdődik így: " + error.name};
    case SearchErrorCode::kAmbiguousSkill:
      return {error.name + " names more than one skill: " + joined(error.skills),
              "több képesség neve kezdődik így: " + error.name + " (" + joined(error.skills) + ")"};
    case SearchErrorCode::kComparisonValue:
      return {error.op + " needs a number within 32 bits",
              error.op + " után 32 bites egész szám kell"};
    case SearchErrorCode::kNoSkillName:
      return {"no skill name before " + error.op, error.op + " előtt nincs képességnév"};
    case SearchErrorCode::kGroupValue:
      return {"group: needs an item number from " + first + " to " + last,
              "group: után tárgyszám kell " + first + " és " + last + " között"};
    case SearchErrorCode::kSortKey:
      return {"sort: needs number, grade, name, damage or a skill name",
              "sort: után number, grade, name, damage vagy egy képesség neve kell"};
    case SearchErrorCode::kSortDirection:
      return {"sort: the direction must be asc or desc",
              "sort: irányként csak asc vagy desc állhat"};
    case SearchErrorCode::kSortNegated:
      return {"sort: orders the results and cannot be negated",
              "sort: csak rendez, nem lehet tagadni"};
  }
  return {};
}

}  // namespace

std::string searchErrorEnglish(const SearchError& error) {
  return "'" + error.term + "': " + reasons(error).english;
}

std::string searchErrorHungarian(const SearchError& error) {
  return "„" + error.term + "”: " + reasons(error).hungarian;
}

}  // namespace tamrix
