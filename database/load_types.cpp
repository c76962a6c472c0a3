// The type file: records of an id line, a count line and amount lines of up
// to 15 numbers each.
#include <algorithm>

#include "database/data_line_reader.h"
#include "database/item_database.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

// The first number is read from the start of the line, each further one from
// the character after the next blank; numbers after the fifteenth are ignored.
// Stores them in `store` up to the last that is not 0 and returns how many.
int32_t readAmounts(std::string_view line, std::vector<int32_t>& store) {
  const std::size_t first = store.size();
  std::size_t kept = first;
  std::size_t pos = 0;
  for (int32_t grade = 0; grade < kTypeGrades; ++grade) {
    const int32_t amount = readNumber(line.substr(pos));
    store.push_back(amount);
    if (amount != 0)
      kept = store.size();
    while (pos < line.size() && line[pos] != ' ')
      ++pos;
    if (pos == line.size())
      break;
    ++pos;
  }
  store.resize(kept);
  return static_cast<int32_t>(kept - first);
}

}  // namespace

bool ItemDatabase::loadTypes(const std::string& fileName) {
  types_.clear();
  typeAmounts_.clear();
  std::optional<DataLineReader> reader = openDataFile(fileName);
  bool loaded = reader && readTypeRecords(*reader, fileName);
  reader.reset();
  // What was read before an error stays, and can be looked up.
  indexTypes();
  return loaded;
}

bool ItemDatabase::readTypeRecords(DataLineReader& reader, const std::string& fileName) {
  // Every record takes at least three data lines; reserving that many saves
  // copying the table as it grows.
  types_.reserve(reader.remainingDataLineCount() / 3);
  std::string line;
  while (reader.readDataLine(line)) {
    TypeEntry type;
    type.id = readNumber(line);
    type.line = reader.lineNumber();
    // The file may not end between an id and its count; no line was read.
    if (!reader.readDataLine(line))
      return reject("", fileName, LoadFault::kTypeEndsAfterId, type.line);
    type.lineCount = readNumber(line);
    type.countLine = reader.lineNumber();
    if (type.lineCount > kTypeMaxLines)
      return reject(line, fileName, LoadFault::kTypeTooManyLines, reader.lineNumber());
    type.amountsAt = static_cast<uint32_t>(typeAmounts_.size());
    // At least one amount line, even for a count of 0 or below; a record
    // that the end of the file cuts short is dropped.
    for (int32_t i = 0; i < std::max(type.lineCount, 1); ++i) {
      if (!reader.readDataLine(line)) {
        typeAmounts_.resize(type.amountsAt);
        return true;
      }
      const std::size_t word = typeAmounts_.size();
      typeAmounts_.push_back(0);
      const int32_t given = readAmounts(line, typeAmounts_);
      typeAmounts_[word] = reader.lineNumber() * kAmountCountSpan + given;
    }
    types_.push_back(type);
  }
  return true;
}

void ItemDatabase::indexTypes() {
  typeIndex_.resize(types_.size());
  for (std::size_t i = 0; i < types_.size(); ++i)
    typeIndex_[i] = static_cast<uint32_t>(i);
  // By id, and among the same id by place, so that the first record stays.
  std::sort(typeIndex_.begin(), typeIndex_.end(), [this](uint32_t a, uint32_t b) {
    return std::pair(types_[a].id, a) < std::pair(types_[b].id, b);
  });
  typeIndex_.erase(
      std::unique(typeIndex_.begin(), typeIndex_.end(),
                  [this](uint32_t a, uint32_t b) { return types_[a].id == types_[b].id; }),
      typeIndex_.end());
  typeIndex_.shrink_to_fit();
}

}  // namespace tamrix
