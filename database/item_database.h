// The item database: every table read from the Data folder, and the text
// and place of the last load failure.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "database/data_file_set.h"
#include "database/file_reader.h"
#include "database/limits.h"

namespace tamrix {

class DataLineReader;

// Every record knows the line of its file where it begins (1-based, as the
// file is stored), so that tools can point an author at it.

// One standard item slot (stditem.txt). The slot is filled when `name` is
// set; a line with a kind outside kFirstKind to kLastKind leaves only its
// kind behind.
struct StdItemEntry {
  std::optional<std::string> name;
  std::optional<std::string> prefixedName;  // group bases only
  int32_t kind = 0;
  int32_t damageSides = 0;
  int32_t damageDice = 0;
  int32_t damageBonus = 0;
  // The item's own bonuses to the skills of limits.h.
  int32_t defenceBonus = 0;
  int32_t hitChanceBonus = 0;
  int32_t durabilityBonus = 0;
  int32_t line = 0;
};

struct SkillEntry {
  std::string name;
  int32_t doublingFlag = 0;
  int32_t line = 0;
};

// A type record. Its amount lines (max(lineCount, 1) of them) are kept by the
// database, each only as long as its amounts are: ItemDatabase::amountLine.
struct TypeEntry {
  int32_t id = 0;
  int32_t lineCount = 0;
  int32_t line = 0;
  int32_t countLine = 0;
};

// One amount line of a type record: the line of the file it was read from and
// its amounts up to the last that is not 0. Every other grade reads 0.
struct TypeAmountLine {
  int32_t line = 0;
  std::span<const int32_t> given;

  // What the line gives to an item of grade `grade`.
  int32_t amount(int32_t grade) const {
    return grade >= 0 && static_cast<std::size_t>(grade) < given.size()
               ? given[static_cast<std::size_t>(grade)]
               : 0;
  }
};

struct RndItemEntry {
  std::string name;
  int32_t typeId = 0;
  std::array<int32_t, kTypeMaxLines> skillIndex{};
  int32_t line = 0;
  std::array<int32_t, kTypeMaxLines> skillLines{};  // the line each skill index was read from
};

struct ChangeEntry {
  int32_t prefixIndex = 0;
  int32_t itemKind = 0;
  int32_t skillIndex = 0;
  int32_t multiplier = 0;
  int32_t line = 0;
};

// The rule of a loader that rejected a data file; the explanation for an
// author lives with the authoring tools.
enum class LoadFault {
  kCannotOpen,
  kNoStartLine,
  kSkillIndexNotNumber,
  kSkillIndexOutOfRange,
  kSkillNoBlank,
  kSkillFlagNotNumber,
  kSkillNoName,
  kSkillOneQuote,
  kStdNumberNotNumber,
  kStdNumberOutOfRange,
  kStdNoKind,
  kStdKindNotNumber,
  kStdTooFewNumbers,
  kStdNoName,
  kStdNoPrefixedName,
  kTypeEndsAfterId,
  kTypeTooManyLines,
  kRndPrefixOutOfRange,
  kRndNoName,
  kRndOneQuote,
  kRndTypeZero,
  kRndTypeUnknown,
  kRndSkillNotNumber,
  kChangeNotNumber,
  kChangeTooFewNumbers,
  kChangeNoStdItems,
  kDataSetTooLarge,
};

// Where and why the last load failed, next to `lastError`.
struct LoadFailure {
  std::string fileName;  // as the loader was given it
  int32_t line = 0;      // 0 when the file could not be used at all
  LoadFault fault = LoadFault::kCannotOpen;
};

// Owns every table. The loaders fill them; afterwards they are read-only.
// Describing an item is the decoder's (decoder/describe.h).
// A fixed table has a slot per possible record, each empty until a data line
// fills it, and no slots at all until its loader has run. A growable table
// holds the records loaded, in file order.
class ItemDatabase {
 public:
  // `readFile` gives the loaders the bytes of each data file.
  explicit ItemDatabase(FileReader readFile);
  ItemDatabase(const ItemDatabase&) = delete;
  ItemDatabase& operator=(const ItemDatabase&) = delete;

  // Runs the six loaders in load order (data_file_set.h), each with its
  // file's name in `files`, and stops at the first that fails. Returns true
  // when all succeeded; otherwise `lastError` says why. The files are read
  // first: a set of more than kMaxDataSetBytes is refused before any loader
  // runs, its error naming the largest of the files read until then.
  bool loadAll(const DataFileSet& files);

  // The loaders, in that order. Each returns false after a format error,
  // with `lastError` set; whatever it stored before the error stays.
  bool loadSpecItems(const std::string& fileName);
  bool loadSkills(const std::string& fileName);
  bool loadStdItems(const std::string& fileName);
  bool loadTypes(const std::string& fileName);
  bool loadRndItems(const std::string& fileName);
  bool loadChanges(const std::string& fileName);

  // lastError = fileName + " : " + line; clears `lastFailure`.
  void setLoadError(std::string_view line, std::string_view fileName);

  // The first type record in file order with this id, or null.
  const TypeEntry* findType(int32_t id) const;
  // Amount line `i` of `type`, a record of types(); i runs from 0 to
  // max(type.lineCount, 1) - 1. Any other i, and a record that is not one of
  // types() (a copy of one included), has no amounts and line 0.
  TypeAmountLine amountLine(const TypeEntry& type, int32_t i) const;
  // The first change record in file order with this prefix index and item
  // kind, or null.
  const ChangeEntry* findChange(int32_t prefixIndex, int32_t itemKind) const;

  // Slot counts: 0 until the table's loader has run.
  int32_t specItemCount() const { return specItemCount_; }
  int32_t stdItemCount() const { return static_cast<int32_t>(stdItems_.size()); }
  int32_t skillCount() const { return static_cast<int32_t>(skills_.size()); }
  int32_t rndItemCount() const { return static_cast<int32_t>(rndItems_.size()); }
  int32_t groupSize() const { return groupSize_; }
  int32_t typeCount() const { return static_cast<int32_t>(types_.size()); }
  int32_t changeCount() const { return static_cast<int32_t>(changes_.size()); }

  const std::vector<StdItemEntry>& stdItems() const { return stdItems_; }
  const std::vector<std::optional<SkillEntry>>& skills() const { return skills_; }
  const std::vector<std::optional<RndItemEntry>>& rndItems() const { return rndItems_; }
  const std::vector<TypeEntry>& types() const { return types_; }
  const std::vector<ChangeEntry>& changes() const { return changes_; }

  // The text of the last load failure; nothing until a load fails.
  const std::optional<std::string>& lastError() const { return lastError_; }
  // The file, line and rule of the last load failure.
  const std::optional<LoadFailure>& lastFailure() const { return lastFailure_; }
  // The bytes of the files that the last loadAll read (all of them, unless
  // one could not be read).
  int64_t dataSetBytes() const { return dataSetBytes_; }

 private:
  using Loader = bool (ItemDatabase::*)(const std::string& fileName);
  static Loader loaderOf(DataFile file);
  // The reader of `fileName` past its header, or nothing after setting the
  // load error.
  std::optional<DataLineReader> openDataFile(const std::string& fileName);
  // The random prefix index of item number `number` in 64 bits, so that no
  // number overflows; nothing while there are no standard item slots.
  std::optional<int64_t> prefixIndexOf(int32_t number) const;
  // The key of a change record's prefix index and item kind.
  static uint64_t changeKey(int32_t prefixIndex, int32_t itemKind) {
    return uint64_t{static_cast<uint32_t>(prefixIndex)} << 32 | static_cast<uint32_t>(itemKind);
  }
  // Sets the load error and its place and returns false, for
  // `return reject(...)`; `lineNumber` is the file's line that broke the rule.
  bool reject(std::string_view line, const std::string& fileName, LoadFault fault,
              int32_t lineNumber) {
    setLoadError(line, fileName);
    lastFailure_ = LoadFailure{fileName, lineNumber, fault};
    return false;
  }

  // A type's amount line word: line * kAmountCountSpan + amounts given. A
  // file holds at most kMaxDataSetBytes, so the word never overflows.
  static constexpr int32_t kAmountCountSpan = 16;
  static_assert(kTypeGrades < kAmountCountSpan);
  static_assert((kMaxDataSetBytes + 2) * kAmountCountSpan <= INT32_MAX);

  FileReader readFile_;
  // The bytes that loadAll has read ahead, by file name; each loader takes
  // its own out, so that they are freed as the load goes on.
  std::unordered_map<std::string, SharedBytes> readAhead_;
  int64_t dataSetBytes_ = 0;
  int32_t specItemCount_ = 0;
  int32_t groupSize_ = 0;
  std::vector<StdItemEntry> stdItems_;
  std::vector<std::optional<SkillEntry>> skills_;
  std::vector<std::optional<RndItemEntry>> rndItems_;
  std::vector<TypeEntry> types_;
  // The amount lines of every type record, each a word of its line number
  // times kAmountCountSpan plus how many amounts follow, then those amounts.
  std::vector<int32_t> typeAmounts_;
  // Where the amount lines of every kTypeStartStride-th record begin in
  // typeAmounts_; those of the records between are found by walking the
  // words from there. A start for every record would cost a set of tiny
  // records more than its amounts.
  static constexpr std::size_t kTypeStartStride = 16;
  std::vector<uint32_t> typeStarts_;
  // Where the amount lines of types_[record] begin in typeAmounts_.
  std::size_t amountsStart(std::size_t record) const;
  // Where the amount line after the one whose word is typeAmounts_[at] begins.
  std::size_t afterAmountLine(std::size_t at) const {
    return at + 1 + static_cast<std::size_t>(typeAmounts_[at] % kAmountCountSpan);
  }
  std::vector<ChangeEntry> changes_;
  // Lookups: the position of the first record in file order with each key,
  // sorted by key; built when the table's loader ends.
  std::vector<uint32_t> typeIndex_;
  std::vector<uint32_t> changeIndex_;  // by changeKey
  void indexTypes();
  void indexChanges();
  // The records of an open file; false after setting the load error.
  bool readTypeRecords(DataLineReader& reader, const std::string& fileName);
  bool readChangeRecords(DataLineReader& reader, const std::string& fileName);

  std::optional<std::string> lastError_;
  std::optional<LoadFailure> lastFailure_;
};

}  // namespace tamrix
