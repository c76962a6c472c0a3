// The type file: records of an id line, a count line and amount lines of up
// to 15 numbers each.
#include "database/item_database.h"
#include "database/load_support.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

void readAmounts(std::string_view line, std::array<int32_t, kTypeGrades>& row) {
  std::size_t pos = 0;
  for (std::size_t grade = 0; grade < row.size(); ++grade) {
    row[grade] = readNumber(line.substr(pos));
    const std::size_t blank = line.find(' ', pos);
    if (blank == std::string_view::npos)
      return;
    pos = blank + 1;
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
  std::string line;
  while (reader->readDataLine(line)) {
    TypeEntry type;
    type.id = readNumber(line);
    if (!reader->readDataLine(line)) {
      // The file ended between an id and its count; no line was read.
      setLoadError("", fileName);
      return false;
    }
    type.lineCount = readNumber(line);
    // A record holds at most kTypeMaxLines amount lines.
    if (type.lineCount > kTypeMaxLines) {
      setLoadError(line, fileName);
      return false;
    }
    // At least one amount line, even for a count of 0 or below.
    for (int32_t i = 0;; ++i) {
      if (!reader->readDataLine(line))
        return true;  // an incomplete record is dropped
      readAmounts(line, type.amounts[static_cast<std::size_t>(i)]);
      if (i + 1 >= type.lineCount)
        break;
    }
    types.push_back(type);
    typeCount = static_cast<int32_t>(types.size());
  }
  return true;
}

}  // namespace tamrix
