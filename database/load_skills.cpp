// The skill file: one line per skill, "index flag "name"".
#include "database/data_line_reader.h"
#include "database/item_database.h"
#include "database/number_field.h"

namespace tamrix {

bool ItemDatabase::loadSkills(const std::string& fileName) {
  skills_.assign(kSkillSlots, std::nullopt);
  std::optional<DataLineReader> reader = openDataFile(fileName);
  if (!reader)
    return false;
  std::string line;
  while (reader->readDataLine(line)) {
    const int32_t index = readNumber(line);
    if (!passesNumberCheck(line, index))
      return reject(line, fileName, LoadFault::kSkillIndexNotNumber, reader->lineNumber());
    if (index < 0 || index >= skillCount())
      return reject(line, fileName, LoadFault::kSkillIndexOutOfRange, reader->lineNumber());
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos)
      return reject(line, fileName, LoadFault::kSkillNoBlank, reader->lineNumber());
    const std::string_view flagField = std::string_view(line).substr(blank + 1);
    const int32_t flag = readNumber(flagField);
    if (!passesNumberCheck(flagField, flag))
      return reject(line, fileName, LoadFault::kSkillFlagNotNumber, reader->lineNumber());
    // The name runs from the line's first quote to the last quote after the
    // blank, so it may hold quotes itself.
    const std::size_t lastQuote = line.rfind('"');
    if (lastQuote == std::string::npos || lastQuote <= blank)
      return reject(line, fileName, LoadFault::kSkillNoName, reader->lineNumber());
    line.resize(lastQuote);
    const std::size_t firstQuote = line.find('"');
    if (firstQuote == std::string::npos)
      return reject(line, fileName, LoadFault::kSkillOneQuote, reader->lineNumber());
    skills_[static_cast<std::size_t>(index)] =
        SkillEntry{line.substr(firstQuote + 1), flag, reader->lineNumber()};
  }
  return true;
}

}  // namespace tamrix
