#include "authoring/skill_checks.h"

#include "authoring/message_text.h"
#include "database/number_field.h"

namespace tamrix {

void checkSkills(WarningContext& context) {
  const DataFile file = DataFile::kSkills;
  if (context.skillTableEmpty())
    context.add({context.name(file), context.text(file).startLine}, WarningCode::kEmptyTable,
                "no skill has a line: every bonus shows as \"?\"");
  std::vector<WarningContext::Keyed> indices;
  for (const DataLine& line : context.text(file).lines) {
    context.checkNumberField(file, line, 0, "the skill index");
    if (const std::size_t blank = line.text.find(' '); blank != std::string::npos)
      context.checkNumberField(file, line, blank + 1, "the doubling flag");
    indices.push_back({readNumber(line.text), &line, line.column(0)});
  }
  context.warnRepeats(file, indices, WarningCode::kSkillRepeated,
                      [](int64_t index) { return "skill index " + str(index); });
}

}  // namespace tamrix
