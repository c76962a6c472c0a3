#include "database/item_database.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "database/data_line_reader.h"

namespace tamrix {

namespace {

// Error texts of a data file that cannot be used at all (Windows-1250).
constexpr std::string_view kCannotOpenText = "a f\xE1jl nem nyithat\xF3 meg";
constexpr std::string_view kNoStartLineText = "hi\xE1nyzik a -start- sor";

std::string tooLargeText() {
  return "az adatk\xE9szlet nagyobb " + std::to_string(kMaxDataSetBytes >> 20) + " MB-n\xE1l";
}

}  // namespace

ItemDatabase::ItemDatabase(FileReader readFile) : readFile_(std::move(readFile)) {}

bool ItemDatabase::loadAll(const DataFileSet& files) {
  // A file that cannot be read is left to its loader, which reports it in
  // its turn; the files after it are never loaded.
  readAhead_.clear();
  int64_t total = 0;
  std::pair<int64_t, DataFile> largest{-1, DataFile::kSkills};
  for (const DataFile file : kReadFiles) {
    SharedBytes bytes = readFile_(files[file]);
    if (!bytes)
      break;
    const auto size = static_cast<int64_t>(bytes->size());
    total += size;
    if (size > largest.first)
      largest = {size, file};
    // Named by its largest file so far, the one most likely to be wrong.
    if (total > kMaxDataSetBytes) {
      readAhead_.clear();
      return reject(tooLargeText(), files[largest.second], LoadFault::kDataSetTooLarge, 0);
    }
    readAhead_.insert_or_assign(files[file], std::move(bytes));
  }
  dataSetBytes_ = total;
  bool loaded = true;
  for (const DataFile file : kLoadOrder) {
    if (!(this->*loaderOf(file))(files[file])) {
      loaded = false;
      break;
    }
  }
  readAhead_.clear();
  return loaded;
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
  SharedBytes bytes;
  if (const auto ahead = readAhead_.find(fileName); ahead != readAhead_.end()) {
    bytes = std::move(ahead->second);
    readAhead_.erase(ahead);
  } else {
    bytes = readFile_(fileName);
  }
  if (!bytes) {
    reject(kCannotOpenText, fileName, LoadFault::kCannotOpen, 0);
    return std::nullopt;
  }
  // A loader run on its own sees the limit too.
  if (std::ssize(*bytes) > kMaxDataSetBytes) {
    reject(tooLargeText(), fileName, LoadFault::kDataSetTooLarge, 0);
    return std::nullopt;
  }
  DataLineReader reader(std::move(bytes));
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
  const auto found =
      std::lower_bound(typeIndex_.begin(), typeIndex_.end(), id,
                       [this](uint32_t at, int32_t key) { return types_[at].id < key; });
  return found == typeIndex_.end() || types_[*found].id != id ? nullptr : &types_[*found];
}

TypeAmountLine ItemDatabase::amountLine(const TypeEntry& type, int32_t i) const {
  // A record of another database, or a copy, has no amounts here.
  const std::less<const TypeEntry*> before;
  if (i < 0 || i >= std::max(type.lineCount, 1) || before(&type, types_.data()) ||
      !before(&type, types_.data() + types_.size()))
    return {};
  std::size_t at = amountsStart(static_cast<std::size_t>(&type - types_.data()));
  for (; i > 0; --i)
    at = afterAmountLine(at);
  const int32_t word = typeAmounts_[at];
  return {word / kAmountCountSpan,
          std::span<const int32_t>(typeAmounts_)
              .subspan(at + 1, static_cast<std::size_t>(word % kAmountCountSpan))};
}

std::size_t ItemDatabase::amountsStart(std::size_t record) const {
  std::size_t at = typeStarts_[record / kTypeStartStride];
  for (std::size_t r = record - record % kTypeStartStride; r < record; ++r)
    for (int32_t line = 0; line < std::max(types_[r].lineCount, 1); ++line)
      at = afterAmountLine(at);
  return at;
}

const ChangeEntry* ItemDatabase::findChange(int32_t prefixIndex, int32_t itemKind) const {
  const uint64_t key = changeKey(prefixIndex, itemKind);
  const auto found = std::lower_bound(
      changeIndex_.begin(), changeIndex_.end(), key, [this](uint32_t at, uint64_t k) {
        return changeKey(changes_[at].prefixIndex, changes_[at].itemKind) < k;
      });
  if (found == changeIndex_.end())
    return nullptr;
  const ChangeEntry& change = changes_[*found];
  return changeKey(change.prefixIndex, change.itemKind) == key ? &change : nullptr;
}

}  // namespace tamrix
