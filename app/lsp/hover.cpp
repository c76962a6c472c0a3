// textDocument/hover: an item number's description, a skill's name and
// doubling, a type's amounts at each grade.
#include <cstdio>

#include "app/lsp/capabilities.h"
#include "database/limits.h"
#include "decoder/describe.h"
#include "text/encoding.h"

namespace tamrix::lsp {

namespace {

std::string itemText(const ItemDatabase& db, int32_t number) {
  const std::string description = describeItem(db, number);
  return "item " + std::to_string(number) + "\n\n" +
         (description.empty() ? std::string("(no description)") : cp1250ToUtf8(description));
}

std::string skillText(const ItemDatabase& db, int32_t index) {
  const std::string title = "skill " + std::to_string(index);
  if (index < 0 || index >= db.skillCount() || !db.skills()[static_cast<std::size_t>(index)])
    return title + ": no skill line has this index";
  const SkillEntry& skill = *db.skills()[static_cast<std::size_t>(index)];
  return title + " \"" + cp1250ToUtf8(skill.name) + "\"\n\ndoubling flag " +
         std::to_string(skill.doublingFlag) +
         (skill.doublingFlag == 1 ? ": a random prefix gives it twice"
                                  : ": a random prefix gives it once");
}

std::string typeText(const ItemDatabase& db, int32_t id) {
  const TypeEntry* type = db.findType(id);
  if (!type)
    return "type " + std::to_string(id) + ": no type record has this id";
  std::string text = "type " + std::to_string(id) + ", " + std::to_string(type->lineCount) +
                     " amount lines, by grade\n\n";
  char cell[16];
  text += "grade ";
  for (int grade = 0; grade < kTypeGrades; ++grade) {
    std::snprintf(cell, sizeof cell, "%5d", grade);
    text += cell;
  }
  for (int32_t line = 0; line < type->lineCount && line < kTypeMaxLines; ++line) {
    std::snprintf(cell, sizeof cell, "\nline %d", line + 1);
    text += cell;
    const TypeAmountLine amounts = db.amountLine(*type, line);
    for (int grade = 0; grade < kTypeGrades; ++grade) {
      std::snprintf(cell, sizeof cell, "%5d", amounts.amount(grade));
      text += cell;
    }
  }
  return text;
}

}  // namespace

std::optional<Json> hover(Context context, const Json& params) {
  const std::optional<FieldAtParams> found = fieldAtParams(context, params);
  if (!found)
    return std::nullopt;
  if (!found->field)
    return Json(nullptr);
  const DataSetView& view = *found->view;
  const FieldAt& field = *found->field;
  const ItemDatabase& db = *view.db;
  std::string text;
  switch (field.role) {
    case FieldAt::Role::kItemNumber:
    case FieldAt::Role::kChangeNumber:
      text = itemText(db, field.value);
      break;
    case FieldAt::Role::kSkillIndex:
      text = skillText(db, field.value);
      break;
    case FieldAt::Role::kTypeId:
      text = typeText(db, field.value);
      break;
  }
  return Json{{"contents", {{"kind", "plaintext"}, {"value", text}}}};
}

}  // namespace tamrix::lsp
