// Why a query cannot be read, and its wording in English and in Hungarian.
#pragma once

#include <string>
#include <vector>

namespace tamrix {

// Why a query cannot be read. The search gives the reason and its parts;
// each front end words it (searchErrorEnglish, searchErrorHungarian).
enum class SearchErrorCode {
  kUnbalancedQuote,  // a double quote that is not closed
  kKindValue,        // kind: without a number or weapon
  kGradeRange,       // grade: without N or N..M within 0 to 14
  kPrefixValue,      // prefix: without a number
  kUnknownSkill,     // `name` begins no skill's name
  kAmbiguousSkill,   // `name` begins the names of several skills
  kComparisonValue,  // no number within 32 bits after `op`
  kNoSkillName,      // nothing before `op`
  kGroupValue,       // group: without an item number
  kSortKey,          // sort: without number, grade, name, damage or a skill
  kSortDirection,    // sort:KEY: followed by neither asc nor desc
  kSortNegated,      // -sort:, which would remove no item
};

// All texts in UTF-8, as typed.
struct SearchError {
  SearchErrorCode code = SearchErrorCode::kUnbalancedQuote;
  std::string term;                 // the whole term, with its '-'
  std::string name;                 // kUnknownSkill, kAmbiguousSkill: the skill name
  std::string op;                   // kComparisonValue, kNoSkillName: the operator
  std::vector<std::string> skills;  // kAmbiguousSkill: the distinct names it begins

  bool operator==(const SearchError&) const = default;
};

// The wording of tamrix-cli, which scripts and the documentation rely on:
// "'tuz>=4': tuz names more than one skill: tűzsebzés, tűzmágia".
std::string searchErrorEnglish(const SearchError& error);

// The wording of the Hungarian interfaces:
// "„tuz>=4”: több képesség neve kezdődik így: tuz (tűzsebzés, tűzmágia)".
std::string searchErrorHungarian(const SearchError& error);

}  // namespace tamrix
