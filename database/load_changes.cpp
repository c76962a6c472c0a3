// The change file: one record per line, four numbers separated by blanks.
#include <algorithm>
#include <array>
#include <utility>

#include "database/data_line_reader.h"
#include "database/item_database.h"
#include "database/number_field.h"

namespace tamrix {

bool ItemDatabase::loadChanges(const std::string& fileName) {
  changes_.clear();
  changeIndex_.clear();
  std::optional<DataLineReader> reader = openDataFile(fileName);
  bool loaded = reader && readChangeRecords(*reader, fileName);
  reader.reset();
  // What was read before an error stays, and can be looked up.
  indexChanges();
  return loaded;
}

bool ItemDatabase::readChangeRecords(DataLineReader& reader, const std::string& fileName) {
  // One record per data line at most.
  changes_.reserve(reader.remainingDataLineCount());
  std::string line;
  while (reader.readDataLine(line)) {
    std::array<int32_t, 4> values{};
    std::size_t pos = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
      // A rejected token reports the line from that token on.
      const std::string_view token = std::string_view(line).substr(pos);
      values[k] = readNumber(token);
      if (!passesNumberCheck(token, values[k]))
        return reject(token, fileName, LoadFault::kChangeNotNumber, reader.lineNumber());
      if (k + 1 == values.size())
        break;
      pos = line.find(' ', pos);
      if (pos == std::string::npos)  // too few tokens
        return reject(line, fileName, LoadFault::kChangeTooFewNumbers, reader.lineNumber());
      ++pos;
    }
    const std::optional<int64_t> prefixIndex = prefixIndexOf(values[0]);
    if (!prefixIndex)  // no standard item table to divide by
      return reject(line, fileName, LoadFault::kChangeNoStdItems, reader.lineNumber());
    const ChangeEntry change{static_cast<int32_t>(*prefixIndex), values[1], values[2], values[3],
                             reader.lineNumber()};
    changes_.push_back(change);
  }
  return true;
}

void ItemDatabase::indexChanges() {
  changeIndex_.resize(changes_.size());
  for (std::size_t i = 0; i < changes_.size(); ++i)
    changeIndex_[i] = static_cast<uint32_t>(i);
  const auto keyOf = [this](uint32_t at) {
    return changeKey(changes_[at].prefixIndex, changes_[at].itemKind);
  };
  // By key, and among the same key by place, so that the first record stays.
  std::sort(changeIndex_.begin(), changeIndex_.end(), [&](uint32_t a, uint32_t b) {
    return std::pair(keyOf(a), a) < std::pair(keyOf(b), b);
  });
  changeIndex_.erase(std::unique(changeIndex_.begin(), changeIndex_.end(),
                                 [&](uint32_t a, uint32_t b) { return keyOf(a) == keyOf(b); }),
                     changeIndex_.end());
  changeIndex_.shrink_to_fit();
}

}  // namespace tamrix
