// The random item file: entries of a number line, a prefix name line, a type
// line and one value line per amount line of that type.
#include <algorithm>

#include "database/item_database.h"
#include "database/load_support.h"
#include "database/number_field.h"

namespace tamrix {

namespace {
constexpr int32_t kRndItemSlots = 64;
}  // namespace

bool ItemDatabase::loadRndItems(const std::string& fileName) {
  createFixedTable(kRndItemSlots, rndItemCount, rndItems, rndItemPresent);

  std::optional<DataLineReader> reader = openDataFile(*this, fileName);
  if (!reader)
    return false;
  std::string line;
  // The end of the file ends the load successfully wherever it comes.
  while (reader->readDataLine(line)) {
    // The first character is a marker and is not examined.
    const int32_t number = readNumber(std::string_view(line).substr(1));
    const std::optional<int64_t> slotIndex = prefixIndexOf(*this, number);
    if (!slotIndex || *slotIndex < 0 || *slotIndex >= rndItemCount)
      return rejectLine(*this, line, fileName);
    const auto slot = static_cast<std::size_t>(*slotIndex);
    RndItemEntry& entry = rndItems[slot];

    if (!reader->readDataLine(line))
      return true;
    const std::size_t lastQuote = line.rfind('"');
    if (lastQuote == std::string::npos)
      return rejectLine(*this, line, fileName);
    line.resize(lastQuote);
    const std::size_t firstQuote = line.find('"');
    if (firstQuote == std::string::npos)
      return rejectLine(*this, line, fileName);
    rndItemPresent[slot] = 1;
    entry.name = line.substr(firstQuote + 1);

    if (!reader->readDataLine(line))
      return true;
    entry.typeId = readNumber(line);
    if (entry.typeId == 0)
      return rejectLine(*this, line, fileName);
    const TypeEntry* type = findType(entry.typeId);
    if (type == nullptr)
      return rejectLine(*this, line, fileName);
    // Loaded types have at most kTypeMaxLines amount lines; the bound also
    // holds for a table filled some other way.
    const int32_t valueLines = std::clamp(type->lineCount, 1, kTypeMaxLines);

    for (int32_t j = 0; j < valueLines; ++j) {
      if (!reader->readDataLine(line))
        return true;
      const int32_t skill = readNumber(line);
      entry.skillIndex[static_cast<std::size_t>(j)] = skill;
      if (!passesNumberCheck(line, skill))
        return rejectLine(*this, line, fileName);
    }
  }
  return true;
}

}  // namespace tamrix
