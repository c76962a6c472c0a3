// Finding items: the catalogue of every item of a loaded database, and the
// query language that searches it by name, by bonus and by kind, grade or
// prefix. docs/search.md describes the language for its users.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/bonus_layout.h"
#include "database/item_database.h"

namespace tamrix {

// A bonus that an item's description shows: the skill's index and its sum.
struct SkillSum {
  int32_t skill = 0;
  int32_t sum = 0;
};

struct CatalogueItem {
  int32_t number = 0;
  int32_t kind = 0;       // the group base's kind
  int32_t grade = 0;      // 0 to kGroupSlots - 1
  int32_t prefix = 0;     // the random prefix index; 0 for none
  int32_t groupBase = 0;  // the item number of the group base without a prefix
  bool chaos = false;     // the chaos item: no name of its own, no bonuses
  // Set for the items whose description has a damage line: weapons, but not
  // their chaos items.
  std::optional<DamageFigure> damage;

  // Windows-1250, exactly as describe gives it.
  std::string_view description() const { return description_; }
  // The name line, folded.
  std::string_view foldedName() const { return foldedName_; }
  // Every sum that is not 0, by increasing skill.
  std::span<const SkillSum> bonuses() const { return {bonuses_.data(), bonusCount_}; }
  // The name line, in Windows-1250.
  std::string_view nameLine() const;
  // The sum the description shows for `skill`; 0 when it shows none.
  int32_t sum(int32_t skill) const;

 private:
  friend class Catalogue;
  // Views into the catalogue's texts.
  std::string_view description_;
  std::string_view foldedName_;
  // A prefix gives at most one skill per amount line, the standard item its
  // own skills: so many sums fit in the item itself.
  std::array<SkillSum, kTypeMaxLines + kOwnSkillCount> bonuses_{};
  std::size_t bonusCount_ = 0;
};

// A skill of the loaded skill table that has a data line.
struct CatalogueSkill {
  int32_t index = 0;
  std::string name;  // Windows-1250
  std::string foldedName;
};

// Everything a search reads, taken from a loaded database once. It does not
// refer to the database afterwards.
class Catalogue {
 public:
  // Every number from the first item number to the last one whose
  // description is not empty, in increasing order.
  explicit Catalogue(const ItemDatabase& db);
  // A move keeps the items' views valid; a copy would not.
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;
  Catalogue(Catalogue&&) = default;
  Catalogue& operator=(Catalogue&&) = default;

  const std::vector<CatalogueItem>& items() const { return items_; }
  // The present skills, by increasing index.
  const std::vector<CatalogueSkill>& skills() const { return skills_; }

  // The item with this number, or null when its description is empty.
  const CatalogueItem* find(int32_t number) const;
  // The present skill with this index, or null.
  const CatalogueSkill* skill(int32_t index) const;
  // The item numbers the tables describe, first to last.
  int32_t firstNumber() const { return firstNumber_; }
  int32_t lastNumber() const { return lastNumber_; }
  // The group base's item number (without a prefix) of any number from the
  // first to the last, as CatalogueItem::groupBase gives it for an item.
  int32_t groupBaseOf(int32_t number) const;

 private:
  // Every item's description and folded name line, one after the other, in
  // one buffer rather than two small ones an item: building the catalogue
  // then costs little more than describing every item.
  std::vector<char> texts_;
  std::vector<CatalogueItem> items_;
  std::vector<CatalogueSkill> skills_;
  // The tables' shape, for numbers that are no item: none when the database
  // has no items, so that lastNumber < firstNumber.
  int32_t firstNumber_ = 0;
  int32_t lastNumber_ = -1;
  int32_t stdItemCount_ = 1;
  int32_t groupSize_ = 1;
};

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

struct SearchResult {
  std::vector<int32_t> numbers;      // in the order of the query's sort terms
  std::optional<SearchError> error;  // the query cannot be read; nothing searched
  // What the query reads by, for a front end that shows it: the skills its
  // comparisons and skill sorts name, each once, in the query's order; and
  // where its sort: terms stand in the query (offset and size, in bytes).
  std::vector<int32_t> skills;
  std::vector<std::pair<std::size_t, std::size_t>> sortTerms;
};

// The numbers of the catalogue's items that match `queryUtf8`, ordered by
// its sort: terms, then by increasing number; or the error that makes the
// query unreadable.
SearchResult search(const Catalogue& catalogue, std::string_view queryUtf8);

// For a query that finds nothing: the same query with each word that occurs
// in no name line replaced by the closest word of the name lines (folded, at
// most two edits away). `query` is the new query (UTF-8, the words folded);
// `words` the new words as a name line writes them (UTF-8, blank-separated).
struct QuerySuggestion {
  std::string query;
  std::string words;
};
// Nothing when no word can be replaced, or the query cannot be read.
std::optional<QuerySuggestion> suggestQuery(const Catalogue& catalogue, std::string_view queryUtf8);

}  // namespace tamrix
