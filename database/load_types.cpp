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

// Makes room in the amount store for the record about to be read. Doubling
// would leave the page's memory, which never shrinks, holding each smaller
// store beside the next; so the store grows at once to what the rest of the
// file needs at the rate of words per byte read so far, about its final size
// in a file of like records, and by a quarter at least when that falls short.
// Every word takes a byte of the file or more, so the rate cannot run away.
void makeRoomForRecord(std::vector<int32_t>& store, uint64_t bytesRead, uint64_t bytesLeft) {
  constexpr std::size_t kRecordMost = kTypeMaxLines * (1 + kTypeGrades);
  // Room for a whole file of realistic size, or for enough of a larger one
  // to give the rate of the rest.
  constexpr uint64_t kFirstRoom = uint64_t{1} << 16;
  if (store.size() + kRecordMost <= store.capacity())
    return;
  const uint64_t rest = store.empty()
                            ? kFirstRoom
                            : store.size() * bytesLeft / std::max<uint64_t>(bytesRead, 1) * 9 / 8;
  store.reserve(std::max(store.size() + static_cast<std::size_t>(rest),
                         store.capacity() + store.capacity() / 4) +
                kRecordMost);
}

}  // namespace

bool ItemDatabase::loadTypes(const std::string& fileName) {
  types_.clear();
  typeAmounts_.clear();
  typeStarts_.clear();
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
  typeStarts_.reserve(types_.capacity() / kTypeStartStride + 1);
  const uint64_t bytes = reader.remainingBytes();
  std::string line;
  while (reader.readDataLine(line)) {
    makeRoomForRecord(typeAmounts_, bytes - reader.remainingBytes(), reader.remainingBytes());
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
    const std::size_t start = typeAmounts_.size();
    // At least one amount line, even for a count of 0 or below; a record
    // that the end of the file cuts short is dropped.
    for (int32_t i = 0; i < std::max(type.lineCount, 1); ++i) {
      if (!reader.readDataLine(line)) {
        typeAmounts_.resize(start);
        return true;
      }
      const std::size_t word = typeAmounts_.size();
      typeAmounts_.push_back(0);
      const int32_t given = readAmounts(line, typeAmounts_);
      typeAmounts_[word] = reader.lineNumber() * kAmountCountSpan + given;
    }
    if (types_.size() % kTypeStartStride == 0)
      typeStarts_.push_back(static_cast<uint32_t>(start));
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
