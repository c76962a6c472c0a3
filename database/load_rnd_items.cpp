// The random item file: entries of a number line, a prefix name line, a type
// line and one value line per amount line of that type.
#include <algorithm>

#include "database/data_line_reader.h"
#include "database/item_database.h"
#include "database/number_field.h"

namespace tamrix {

bool ItemDatabase::loadRndItems(const std::string& fileName) {
  rndItems_.assign(kRndItemSlots, std::nullopt);
  std::optional<DataLineReader> reader = openDataFile(fileName);
  if (!reader)
    return false;
  std::string line;
  // The end of the file ends the load successfully wherever it comes.
  while (reader->readDataLine(line)) {
    // The first character is a marker and is not examined.
    const int32_t number = readNumber(std::string_view(line).substr(1));
    const std::optional<int64_t> slot = prefixIndexOf(number);
    if (!slot || *slot < 0 || *slot >= rndItemCount())
      return reject(line, fileName, LoadFault::kRndPrefixOutOfRange, reader->lineNumber());
    const int32_t firstLine = reader->lineNumber();
    std::optional<RndItemEntry>& entry = rndItems_[static_cast<std::size_t>(*slot)];

    if (!reader->readDataLine(line))
      return true;
    const std::size_t lastQuote = line.rfind('"');
    if (lastQuote == std::string::npos)
      return reject(line, fileName, LoadFault::kRndNoName, reader->lineNumber());
    line.resize(lastQuote);
    const std::size_t firstQuote = line.find('"');
    if (firstQuote == std::string::npos)
      return reject(line, fileName, LoadFault::kRndOneQuote, reader->lineNumber());
    // A slot filled again keeps what the new entry does not give.
    if (!entry)
      entry.emplace();
    entry->name = line.substr(firstQuote + 1);
    entry->line = firstLine;

    if (!reader->readDataLine(line))
      return true;
    entry->typeId = readNumber(line);
    if (entry->typeId == 0)
      return reject(line, fileName, LoadFault::kRndTypeZero, reader->lineNumber());
    const TypeEntry* type = findType(entry->typeId);
    if (type == nullptr)
      return reject(line, fileName, LoadFault::kRndTypeUnknown, reader->lineNumber());
    for (int32_t j = 0; j < std::max(type->lineCount, 1); ++j) {
      if (!reader->readDataLine(line))
        return true;
      const int32_t skill = readNumber(line);
      entry->skillIndex[static_cast<std::size_t>(j)] = skill;
      entry->skillLines[static_cast<std::size_t>(j)] = reader->lineNumber();
      if (!passesNumberCheck(line, skill))
        return reject(line, fileName, LoadFault::kRndSkillNotNumber, reader->lineNumber());
    }
  }
  return true;
}

}  // namespace tamrix
