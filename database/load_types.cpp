// The type file: records of an id line, a count line and amount lines of up
// to 15 numbers each.
#include <algorithm>

#include "database/data_line_reader.h"
#include "database/item_database.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

constexpr std::size_t kMaxReservedTypes = std::size_t{1} << 16;

// The first number is read from the start of the line, each further one from
// the character after the next blank; numbers after the fifteenth are ignored.
void readAmounts(std::string_view line, std::array<int32_t, kTypeGrades>& row) {
  std::size_t pos = 0;
  for (int32_t& amount : row) {
    amount = readNumber(line.substr(pos));
    while (pos < line.size() && line[pos] != ' ')
      ++pos;
    if (pos == line.size())
      return;
    ++pos;
  }
}

}  // namespace

bool ItemDatabase::loadTypes(const std::string& fileName) {
  types_.clear();
  typeIndex_.clear();
  std::optional<DataLineReader> reader = openDataFile(fileName);
  if (!reader)
    return false;
  // Every record takes at least three lines. Reserving that many records
  // saves copying the table each time it grows; the cap keeps a file of
  // mostly empty lines from reserving much.
  types_.reserve(std::min<std::size_t>(reader->remainingLineCount() / 3, kMaxReservedTypes));
  std::string line;
  while (reader->readDataLine(line)) {
    TypeEntry type;
    type.id = readNumber(line);
    type.line = reader->lineNumber();
    // The file may not end between an id and its count; no line was read.
    if (!reader->readDataLine(line))
      return reject("", fileName, LoadFault::kTypeEndsAfterId, type.line);
    type.lineCount = readNumber(line);
    type.countLine = reader->lineNumber();
    if (type.lineCount > kTypeMaxLines)
      return reject(line, fileName, LoadFault::kTypeTooManyLines, reader->lineNumber());
    // At least one amount line, even for a count of 0 or below; a record
    // that the end of the file cuts short is dropped.
    for (int32_t i = 0; i < std::max(type.lineCount, 1); ++i) {
      if (!reader->readDataLine(line))
        return true;
      readAmounts(line, type.amounts[static_cast<std::size_t>(i)]);
      type.amountLines[static_cast<std::size_t>(i)] = reader->lineNumber();
    }
    typeIndex_.try_emplace(type.id, types_.size());
    types_.push_back(type);
  }
  return true;
}

}  // namespace tamrix
