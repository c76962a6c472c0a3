#include "authoring/skill_checks.h"

#include "authoring/hungarian.h"
#include "authoring/message_text.h"
#include "database/number_field.h"

namespace tamrix {

void checkSkills(WarningContext& context) {
  const DataFile file = DataFile::kSkills;
  if (context.skillTableEmpty())
    context.add({context.name(file), context.text(file).startLine}, WarningCode::kEmptyTable, [&] {
      return WarningTexts{
          "no skill has a line: every bonus shows as \"?\"",
          hu("egyetlen képességnek sincs sora: minden bónusz „?”-ként jelenik meg")};
    });
  std::vector<WarningContext::Keyed> indices;
  for (const DataLine& line : context.text(file).lines()) {
    context.checkNumberField(file, line, 0, [&] {
      return Phrase{"the skill index", hu("a képesség-sorszám")};
    });
    if (const std::size_t blank = line.text().find(' '); blank != std::string::npos)
      context.checkNumberField(file, line, blank + 1, [&] {
        return Phrase{"the doubling flag", hu("a duplázás jelzője")};
      });
    indices.push_back({readNumber(line.text()), &line, line.column(0)});
  }
  context.warnRepeats(file, indices, WarningCode::kSkillRepeated, [](int64_t index) -> Phrase {
    return {"skill index " + str(index), hu("a(z) ") + str(index) + hu(" képesség-sorszám")};
  });
}

}  // namespace tamrix
