#include "database/item_database.h"

#include <utility>

#include "database/data_line_reader.h"

namespace tamrix {

namespace {

// Error texts of a data file that cannot be used at all (Windows-1250).
constexpr std::string_view kCannotOpenText = "a f\xE1jl nem nyithat\xF3 meg";
constexpr std::string_view kNoStartLineText = "hi\xE1nyzik a -start- sor";

}  // namespace

ItemDatabase::ItemDatabase(FileReader readFile) : readFile_(std::move(readFile)) {}

bool ItemDatabase::loadAll(const std::string& stdItemFile, const std::string& specItemFile,
                           const std::string& skillFile, const std::string& rndItemFile,
                           const std::string& typeFile, const std::string& changeFile) {
  // Later loaders compute slots from the capacities that earlier ones set, and
  // random items look up types, so this order is fixed.
  return loadSpecItems(specItemFile) && loadSkills(skillFile) && loadStdItems(stdItemFile) &&
         loadTypes(typeFile) && loadRndItems(rndItemFile) && loadChanges(changeFile);
}

// The special range has no file of its own: the table only provides the
// item-number base, and no record of it is ever read.
bool ItemDatabase::loadSpecItems(const std::string&) {
  specItemCount_ = kSpecItemSlots;
  return true;
}

void ItemDatabase::setLoadError(std::string_view line, std::string_view fileName) {
  lastError_ = std::string(fileName).append(" : ").append(line);
  lastFailure_.reset();
}

std::optional<DataLineReader> ItemDatabase::openDataFile(const std::string& fileName) {
  std::optional<std::string> bytes = readFile_(fileName);
  if (!bytes) {
    reject(kCannotOpenText, fileName, LoadFault::kCannotOpen, 0);
    return std::nullopt;
  }
  DataLineReader reader(std::move(*bytes));
  if (!reader.skipHeader()) {
    reject(kNoStartLineText, fileName, LoadFault::kNoStartLine, 0);
    return std::nullopt;
  }
  return reader;
}

std::optional<int64_t> ItemDatabase::prefixIndexOf(int32_t number) const {
  if (stdItemCount() == 0)
    return std::nullopt;
  return (int64_t{number} - specItemCount_) / stdItemCount();
}

const TypeEntry* ItemDatabase::findType(int32_t id) const {
  const auto found = typeIndex_.find(id);
  return found == typeIndex_.end() ? nullptr : &types_[found->second];
}

const ChangeEntry* ItemDatabase::findChange(int32_t prefixIndex, int32_t itemKind) const {
  const auto found = changeIndex_.find(changeKey(prefixIndex, itemKind));
  return found == changeIndex_.end() ? nullptr : &changes_[found->second];
}

}  // namespace tamrix
