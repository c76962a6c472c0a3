// The change file: one record per line, four numbers separated by blanks.
#include <array>

#include "database/data_line_reader.h"
#include "database/item_database.h"
#include "database/number_field.h"

namespace tamrix {

bool ItemDatabase::loadChanges(const std::string& fileName) {
  changes_.clear();
  changeIndex_.clear();
  std::optional<DataLineReader> reader = openDataFile(fileName);
  if (!reader)
    return false;
  std::string line;
  while (reader->readDataLine(line)) {
    std::array<int32_t, 4> values{};
    std::size_t pos = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
      // A rejected token reports the line from that token on.
      const std::string_view token = std::string_view(line).substr(pos);
      values[k] = readNumber(token);
      if (!passesNumberCheck(token, values[k]))
        return reject(token, fileName, LoadFault::kChangeNotNumber, reader->lineNumber());
      if (k + 1 == values.size())
        break;
      pos = line.find(' ', pos);
      if (pos == std::string::npos)  // too few tokens
        return reject(line, fileName, LoadFault::kChangeTooFewNumbers, reader->lineNumber());
      ++pos;
    }
    const std::optional<int64_t> prefixIndex = prefixIndexOf(values[0]);
    if (!prefixIndex)  // no standard item table to divide by
      return reject(line, fileName, LoadFault::kChangeNoStdItems, reader->lineNumber());
    const ChangeEntry change{static_cast<int32_t>(*prefixIndex), values[1], values[2], values[3],
                             reader->lineNumber()};
    changeIndex_.try_emplace(changeKey(change.prefixIndex, change.itemKind), changes_.size());
    changes_.push_back(change);
  }
  return true;
}

}  // namespace tamrix
