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

bool ItemDatabase::loadAll(const DataFileSet& files) {
  for (const DataFile file : kLoadOrder) {
    if (!(this->*loaderOf(file))(files[file]))
      return false;
  }
  return true;
}

ItemDatabase::Loader ItemDatabase::loaderOf(DataFile file) {
  switch (file) {
    case DataFile::kSpecItems:
      return &ItemDatabase::loadSpecItems;
    case DataFile::kSkills:
      return &ItemDatabase::loadSkills;
    case DataFile::kStdItems:
      return &ItemDatabase::loadStdItems;
    case DataFile::kTypes:
      return &ItemDatabase::loadTypes;
    case DataFile::kRndItems:
      return &ItemDatabase::loadRndItems;
    case DataFile::kChanges:
      return &ItemDatabase::loadChanges;
  }
  return &ItemDatabase::loadSpecItems;
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
