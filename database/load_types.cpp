// The type file: records of an id line, a count line and amount lines of up
// to 15 numbers each.
#include <algorithm>

#include "database/item_database.h"
#include "database/load_support.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

constexpr std::size_t kMaxReservedTypes = std::size_t{1} << 16;

// The usual amount: an optional minus sign and one to nine digits, followed
// by a blank or the end of the line. Reads it at `p` in one pass and returns
// the byte after it, or null for any other form.
const char* readPlainAmount(const char* p, const char* end, int32_t& value) {
  const bool negative = p != end && *p == '-';
  p += negative ? 1 : 0;
  const char* const digits = p;
  uint32_t magnitude = 0;
  for (; p != end && p - digits < 9; ++p) {
    const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(*p)) - '0';
    if (digit > 9)
      break;
    magnitude = magnitude * 10 + digit;
  }
  if (p == digits || (p != end && *p != ' '))
    return nullptr;
  // Nine digits stay below 2^31, so the negation cannot overflow.
  value = negative ? -static_cast<int32_t>(magnitude) : static_cast<int32_t>(magnitude);
  return p;
}

void readAmounts(std::string_view line, std::array<int32_t, kTypeGrades>& row) {
  const char* const end = line.data() + line.size();
  std::size_t pos = 0;
  for (std::size_t grade = 0; grade < row.size(); ++grade) {
    if (const char* after = readPlainAmount(line.data() + pos, end, row[grade])) {
      if (after == end)
        return;
      pos = static_cast<std::size_t>(after - line.data()) + 1;
      continue;
    }
    std::size_t used = 0;
    row[grade] = readNumberPrefix(line.substr(pos), used);
    // The next number starts after the next blank. A number that begins at
    // once with its sign or a digit holds no blank, so the search for the
    // blank starts behind it; only white space before a number may.
    if (pos < line.size() && line[pos] != ' ' && (line[pos] < '\t' || line[pos] > '\r'))
      pos += used;
    while (pos < line.size() && line[pos] != ' ')
      ++pos;
    if (pos == line.size())
      return;
    ++pos;
  }
}

}  // namespace

bool ItemDatabase::loadTypes(const std::string& fileName) {
  types.clear();
  typeCount = 0;
  resetTypeIndex();

  std::optional<DataLineReader> reader = openDataFile(*this, fileName);
  if (!reader)
    return false;
  // Every record takes at least three lines. Reserving that many records
  // saves copying the table each time it grows; the cap keeps a file of
  // mostly empty lines from reserving much.
  types.reserve(std::min(reader->remainingLineBound() / 3, kMaxReservedTypes));
  std::string_view line;
  std::string storage;
  while (reader->readDataLine(line, storage)) {
    // The working record is built in place and dropped again if it is not
    // completed.
    TypeEntry& type = types.emplace_back();
    type.id = readNumber(line);
    if (!reader->readDataLine(line, storage)) {
      types.pop_back();
      // The file ended between an id and its count; no line was read.
      setLoadError("", fileName);
      return false;
    }
    type.lineCount = readNumber(line);
    // A record holds at most kTypeMaxLines amount lines.
    if (type.lineCount > kTypeMaxLines) {
      types.pop_back();
      setLoadError(line, fileName);
      return false;
    }
    // At least one amount line, even for a count of 0 or below.
    for (int32_t i = 0;; ++i) {
      if (!reader->readDataLine(line, storage)) {
        types.pop_back();  // an incomplete record is dropped
        break;
      }
      readAmounts(line, type.amounts[static_cast<std::size_t>(i)]);
      if (i + 1 >= type.lineCount)
        break;
    }
    typeCount = static_cast<int32_t>(types.size());
  }
  indexTypes();
  return true;
}

}  // namespace tamrix
