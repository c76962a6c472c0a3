// The change file: one record per line, four numbers separated by blanks.
#include <array>

#include "database/item_database.h"
#include "database/load_support.h"
#include "database/number_field.h"

namespace tamrix {

bool ItemDatabase::loadChanges(const std::string& fileName) {
  changes.clear();
  changeCount = 0;
  resetChangeIndex();

  std::optional<DataLineReader> reader = openDataFile(*this, fileName);
  if (!reader)
    return false;
  std::string_view line;
  std::string storage;
  while (reader->readDataLine(line, storage)) {
    std::array<int32_t, 4> values{};
    std::size_t pos = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
      // A rejected token reports the line from that token on.
      const std::string_view token = line.substr(pos);
      values[k] = readNumber(token);
      if (!passesNumberCheck(token, values[k])) {
        return rejectLine(*this, token, fileName);
      }
      if (k + 1 == values.size())
        break;
      const std::size_t blank = line.find(' ', pos);
      if (blank == std::string_view::npos) {  // too few tokens
        return rejectLine(*this, line, fileName);
      }
      pos = blank + 1;
    }
    const std::optional<int64_t> prefixIndex = prefixIndexOf(*this, values[0]);
    if (!prefixIndex) {  // no standard item table to divide by
      return rejectLine(*this, line, fileName);
    }
    changes.push_back(
        ChangeEntry{static_cast<int32_t>(*prefixIndex), values[1], values[2], values[3]});
    changeCount = static_cast<int32_t>(changes.size());
  }
  indexChanges();
  return true;
}

}  // namespace tamrix
