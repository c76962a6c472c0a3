// The item database: every table read from the Data folder, the text of the
// last load failure and the buffer of the last description.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/data_file.h"
#include "database/record_index.h"

namespace tamrix {

// One standard item slot (stditem.txt). `name` is meaningful only while the
// slot's presence byte is 1; `prefixedName` is set only in group bases.
struct StdItemEntry {
  std::string name;
  std::optional<std::string> prefixedName;
  int32_t kind = 0;
  int32_t damageSides = 0;
  int32_t damageDice = 0;
  int32_t damageBonus = 0;
  int32_t skill8Bonus = 0;
  int32_t skill7Bonus = 0;
  int32_t skill6Bonus = 0;
};

// Placeholder slot for item numbers 0 to 999; never filled or read.
struct SpecItemEntry {
  std::string name;
  std::string text;
  int32_t value = 0;
};

struct SkillEntry {
  std::string name;
  int32_t doublingFlag = 0;
};

inline constexpr int kTypeMaxLines = 6;
inline constexpr int kTypeGrades = 15;

struct TypeEntry {
  int32_t id = 0;
  int32_t lineCount = 0;
  // amounts[i][g]: what amount line i gives to an item of grade g.
  std::array<std::array<int32_t, kTypeGrades>, kTypeMaxLines> amounts{};
};

struct RndItemEntry {
  std::string name;
  int32_t typeId = 0;
  std::array<int32_t, kTypeMaxLines> skillIndex{};
};

struct ChangeEntry {
  int32_t prefixIndex = 0;
  int32_t itemKind = 0;
  int32_t skillIndex = 0;
  int32_t multiplier = 0;
};

// Owns every table. Fixed tables are a slot vector, a presence vector (one
// byte per slot, 0 = empty, 1 = filled by a data line) and a slot count that
// stays 0 until the table's loader has run. Growable tables hold exactly the
// records loaded so far, in file order, and their count.
class ItemDatabase {
 public:
  // `readFile` gives the loaders the bytes of each data file.
  explicit ItemDatabase(FileReader readFile = readDataFile) : readFile_(std::move(readFile)) {}
  virtual ~ItemDatabase() = default;
  ItemDatabase(const ItemDatabase&) = delete;
  ItemDatabase& operator=(const ItemDatabase&) = delete;

  // Runs the six loaders in the order special items, skills, standard items,
  // types, random items, changes, and stops at the first that fails.
  // Returns true when all succeeded; otherwise `lastError` says why.
  bool loadAll(const std::string& stdItemFile, const std::string& specItemFile,
               const std::string& skillFile, const std::string& rndItemFile,
               const std::string& typeFile, const std::string& changeFile);

  // The loaders. Each returns false after a format error, with `lastError`
  // set; whatever it stored before the error stays in its table.
  bool loadSpecItems(const std::string& fileName);
  bool loadSkills(const std::string& fileName);
  bool loadStdItems(const std::string& fileName);
  bool loadTypes(const std::string& fileName);
  bool loadRndItems(const std::string& fileName);
  bool loadChanges(const std::string& fileName);

  // Rewrites `text` in place: no blank at either end, every run of blanks
  // and every run of line feeds reduced to one (a run of line feeds at the
  // very start to two).
  static void normalizeLine(std::string& text);

  // lastError = fileName + " : " + line.
  void setLoadError(std::string_view line, std::string_view fileName);

  // The first type record in file order with this id, or null. Valid until
  // the type table is reloaded or the database is destroyed.
  const TypeEntry* findType(int32_t id) const;

  // The first change record in file order with this prefix index and item
  // kind, or null.
  const ChangeEntry* findChange(int32_t prefixIndex, int32_t itemKind) const;

  // The Windows-1250 description of an item number; the empty text for
  // numbers that are no item. The pointer is `descriptionBuffer`'s text and
  // stays valid until the next call or the database's destruction.
  const char* describe(int32_t number);

  // The bytes of a data file, through the reader given at construction.
  std::optional<std::string> readFile(const std::string& fileName) const {
    return readFile_(fileName);
  }

  // Members in their historical order; counts are 0 until a loader runs.
  std::vector<StdItemEntry> stdItems;
  std::vector<ChangeEntry> changes;
  int32_t changeCount = 0;
  std::vector<uint8_t> stdItemPresent;
  int32_t stdItemCount = 0;
  std::vector<SpecItemEntry> specItems;
  std::vector<uint8_t> specItemPresent;
  int32_t specItemCount = 0;
  std::vector<SkillEntry> skills;
  std::vector<uint8_t> skillPresent;
  int32_t skillCount = 0;
  std::vector<RndItemEntry> rndItems;
  std::vector<uint8_t> rndItemPresent;
  int32_t rndItemCount = 0;
  std::optional<std::string> lastError;  // empty until a load fails
  int32_t groupSize = 0;
  std::optional<std::string> descriptionBuffer;  // empty before describe
  std::vector<TypeEntry> types;
  int32_t typeCount = 0;

 private:
  FileReader readFile_;
  // Lookup indexes: key -> position of the first record in file order with
  // that key. The loaders build them as they finish; they cover the first
  // `*IndexedCount_` records and are extended on lookup when the table has
  // grown since (also when a table is filled by hand); the type and change
  // loaders reset them before they rebuild their table.
  void resetTypeIndex();
  void resetChangeIndex() const;
  void indexTypes() const;
  void indexChanges() const;
  mutable RecordIndex typeIndex_;
  mutable std::size_t typeIndexedCount_ = 0;
  mutable RecordIndex changeIndex_;
  mutable std::size_t changeIndexedCount_ = 0;
  // Every pair that an item can have (a prefix index below 64, a kind below
  // 16) has a cell here, position + 1 or 0, so that the lookups of a
  // description touch a few kilobytes however many change records there
  // are; only other pairs go to changeIndex_.
  mutable std::vector<std::size_t> changeGrid_;
  // Where describe composes a text before it is normalised into
  // descriptionBuffer; it keeps its size, so that writing into it needs no
  // capacity check per piece and no filling.
  std::string composeBuffer_;
};

}  // namespace tamrix
