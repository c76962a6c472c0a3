// The standard item file: "number kind [numbers of the kind] "name" ["prefixed name"]".
#include <array>

#include "database/data_line_reader.h"
#include "database/item_database.h"
#include "database/kind_layout.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

// The text between the quote at or after `from` and the next quote; `from`
// moves past the closing quote. Nothing when either quote is missing.
std::optional<std::string> quotedText(const std::string& line, std::size_t& from) {
  const std::size_t open = line.find('"', from);
  if (open == std::string::npos)
    return std::nullopt;
  const std::size_t close = line.find('"', open + 1);
  if (close == std::string::npos)
    return std::nullopt;
  from = close + 1;
  return line.substr(open + 1, close - open - 1);
}

}  // namespace

bool ItemDatabase::loadStdItems(const std::string& fileName) {
  groupSize_ = kGroupSlots;
  stdItems_.assign(kStdItemSlots, StdItemEntry{});
  std::optional<DataLineReader> reader = openDataFile(fileName);
  if (!reader)
    return false;
  std::string line;
  while (reader->readDataLine(line)) {
    const int32_t number = readNumber(line);
    if (!passesNumberCheck(line, number))
      return reject(line, fileName, LoadFault::kStdNumberNotNumber, reader->lineNumber());
    const int64_t slot = int64_t{number} - specItemCount_;
    if (slot < 0 || slot >= stdItemCount())
      return reject(line, fileName, LoadFault::kStdNumberOutOfRange, reader->lineNumber());
    StdItemEntry& item = stdItems_[static_cast<std::size_t>(slot)];

    std::size_t pos = line.find(' ');
    if (pos == std::string::npos)
      return reject(line, fileName, LoadFault::kStdNoKind, reader->lineNumber());
    ++pos;
    const std::string_view kindField = std::string_view(line).substr(pos);
    item.kind = readNumber(kindField);
    item.line = reader->lineNumber();
    if (!passesNumberCheck(kindField, item.kind))
      return reject(line, fileName, LoadFault::kStdKindNotNumber, item.line);
    if (item.kind < kFirstKind || item.kind > kLastKind)
      continue;

    // The numbers get no check: a word stores 0.
    const KindLayout layout = layoutOf(item.kind);
    for (const StdNumberField field : layout.numbers()) {
      const std::size_t blank = line.find(' ', pos);
      if (blank == std::string::npos)
        return reject(line, fileName, LoadFault::kStdTooFewNumbers, item.line);
      pos = blank + 1;
      item.*field = readNumber(std::string_view(line).substr(pos));
    }

    std::optional<std::string> name = quotedText(line, pos);
    if (!name)
      return reject(line, fileName, LoadFault::kStdNoName, item.line);
    item.name = std::move(name);
    if (slot % groupSize_ == 0) {
      std::optional<std::string> prefixedName = quotedText(line, pos);
      if (!prefixedName)
        return reject(line, fileName, LoadFault::kStdNoPrefixedName, item.line);
      item.prefixedName = std::move(prefixedName);
    }
  }
  return true;
}

}  // namespace tamrix
