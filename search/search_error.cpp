// The words for a query that cannot be read, in tamrix-cli's English and in
// the Hungarian of the page.
#include <string>

#include "search/search.h"

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

}  // namespace

std::string searchErrorEnglish(const SearchError& error) {
  std::string text = "'" + error.term + "': ";
  switch (error.code) {
    case SearchErrorCode::kUnbalancedQuote:
      return text + "unbalanced quote";
    case SearchErrorCode::kKindValue:
      return text + "kind: needs a number or weapon";
    case SearchErrorCode::kGradeRange:
      return text + "grade: needs N or N..M with 0 <= N <= M <= " + std::to_string(kGroupSlots - 1);
    case SearchErrorCode::kPrefixValue:
      return text + "prefix: needs a number";
    case SearchErrorCode::kUnknownSkill:
      return text + error.name + " names no skill";
    case SearchErrorCode::kAmbiguousSkill:
      return text + error.name + " names more than one skill: " + joined(error.skills);
    case SearchErrorCode::kComparisonValue:
      return text + error.op + " needs a number within 32 bits";
    case SearchErrorCode::kNoSkillName:
      return text + "no skill name before " + error.op;
    case SearchErrorCode::kGroupValue:
      return text + "group: needs an item number from " + std::to_string(kFirstItemNumber) +
             " to " + std::to_string(kEndItemNumber - 1);
    case SearchErrorCode::kSortKey:
      return text + "sort: needs number, grade, name, damage or a skill name";
    case SearchErrorCode::kSortDirection:
      return text + "sort: the direction must be asc or desc";
    case SearchErrorCode::kSortNegated:
      return text + "sort: orders the results and cannot be negated";
  }
  return text;
}

// Operators and keywords start the sentence: an article before them would
// have to follow how each is read aloud.
std::string searchErrorHungarian(const SearchError& error) {
  std::string text = "„" + error.term + "”: ";
  switch (error.code) {
    case SearchErrorCode::kUnbalancedQuote:
      return text + "nincs lezárva az idézőjel";
    case SearchErrorCode::kKindValue:
      return text + "kind: után szám vagy weapon kell";
    case SearchErrorCode::kGradeRange:
      return text +
             "grade: után N vagy N..M kell, 0 <= N <= M <= " + std::to_string(kGroupSlots - 1);
    case SearchErrorCode::kPrefixValue:
      return text + "prefix: után szám kell";
    case SearchErrorCode::kUnknownSkill:
      return text + "egy képesség neve sem kezdődik így: " + error.name;
    case SearchErrorCode::kAmbiguousSkill:
      return text + "több képesség neve kezdődik így: " + error.name + " (" + joined(error.skills) +
             ")";
    case SearchErrorCode::kComparisonValue:
      return text + error.op + " után 32 bites egész szám kell";
    case SearchErrorCode::kNoSkillName:
      return text + error.op + " előtt nincs képességnév";
    case SearchErrorCode::kGroupValue:
      return text + "group: után tárgyszám kell " + std::to_string(kFirstItemNumber) + " és " +
             std::to_string(kEndItemNumber - 1) + " között";
    case SearchErrorCode::kSortKey:
      return text + "sort: után number, grade, name, damage vagy egy képesség neve kell";
    case SearchErrorCode::kSortDirection:
      return text + "sort: irányként csak asc vagy desc állhat";
    case SearchErrorCode::kSortNegated:
      return text + "sort: csak rendez, nem lehet tagadni";
  }
  return text;
}

}  // namespace tamrix
