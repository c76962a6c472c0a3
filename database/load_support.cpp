#include "database/load_support.h"

#include <utility>

namespace tamrix {

std::optional<DataLineReader> openDataFile(ItemDatabase& db, const std::string& fileName) {
  std::optional<std::string> bytes = db.readFile(fileName);
  if (!bytes) {
    db.setLoadError(kCannotOpenText, fileName);
    return std::nullopt;
  }
  DataLineReader reader(std::move(*bytes));
  if (!reader.skipHeader()) {
    db.setLoadError(kNoStartLineText, fileName);
    return std::nullopt;
  }
  return reader;
}

std::optional<int64_t> prefixIndexOf(const ItemDatabase& db, int32_t number) {
  if (db.stdItemCount <= 0)
    return std::nullopt;
  return (int64_t{number} - db.specItemCount) / db.stdItemCount;
}

}  // namespace tamrix
