// The type file: records of an id line, a count line and amount lines of up
// to 15 numbers each.
#include <algorithm>
#include <optional>

#include "database/item_database.h"
#include "database/load_support.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

constexpr std::size_t kMaxReservedTypes = std::size_t{1} << 16;

// Reads the usual amounts at the start of `line` into `row`, counting them
// in `grade`: numbers of an optional minus sign and one to nine digits, each
// followed by one blank or the end of the line. Returns where the first
// number of any other form begins, or nothing when the line is done.
std::optional<std::size_t> readPlainAmounts(std::string_view line,
                                            std::array<int32_t, kTypeGrades>& row,
                                            std::size_t& grade) {
  const char* const begin = line.data();
  const char* const end = begin + line.size();
  const char* p = begin;
  for (;;) {
    const char* const start = p;
    const bool negative = p != end && *p == '-';
    p += negative ? 1 : 0;
    const char* const digits = p;
    // The magnitude may wrap past nine digits; such a number is not taken.
    uint32_t magnitude = 0;
    for (; p != end; ++p) {
      const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(*p)) - '0';
      if (digit > 9)
        break;
      magnitude = magnitude * 10 + digit;
    }
    if (p == digits || p - digits > 9 || (p != end && *p != ' '))
      return static_cast<std::size_t>(start - begin);
    // Nine digits stay below 2^31, so the negation cannot overflow.
    row[grade] = negative ? -static_cast<int32_t>(magnitude) : static_cast<int32_t>(magnitude);
    if (p == end || ++grade == row.size())
      return std::nullopt;
    ++p;
  }
}

void readAmounts(std::string_view line, std::array<int32_t, kTypeGrades>& row) {
  std::size_t grade = 0;
  const std::optional<std::size_t> rest = readPlainAmounts(line, row, grade);
  if (!rest)
    return;
  // The rest of the line is read as atoi reads each number.
  for (std::size_t pos = *rest; grade < row.size(); ++grade) {
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
      return rejectLine(*this, "", fileName);
    }
    type.lineCount = readNumber(line);
    // A record holds at most kTypeMaxLines amount lines.
    if (type.lineCount > kTypeMaxLines) {
      types.pop_back();
      return rejectLine(*this, line, fileName);
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
