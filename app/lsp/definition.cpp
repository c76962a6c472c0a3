// textDocument/definition: from a prefix's type id to the type's record,
// from a skill index to its skill line, from a change record to the prefix
// entry it applies to.
#include "app/lsp/capabilities.h"
#include "decoder/item_number.h"

namespace tamrix::lsp {

namespace {

// The file and line that `field` refers to; line 0 for none.
std::pair<DataFile, int32_t> definitionOf(const ItemDatabase& db, const FieldAt& field) {
  switch (field.role) {
    case FieldAt::Role::kTypeId: {
      const TypeEntry* type = db.findType(field.value);
      return {DataFile::kTypes, type ? type->line : 0};
    }
    case FieldAt::Role::kSkillIndex: {
      const bool known = field.value >= 0 && field.value < db.skillCount() &&
                         db.skills()[static_cast<std::size_t>(field.value)];
      return {DataFile::kSkills,
              known ? db.skills()[static_cast<std::size_t>(field.value)]->line : 0};
    }
    case FieldAt::Role::kChangeNumber: {
      const std::optional<ItemNumber> item = decomposeItemNumber(db, field.value);
      const bool known = item && item->prefix < db.rndItemCount() &&
                         db.rndItems()[static_cast<std::size_t>(item->prefix)];
      return {DataFile::kRndItems,
              known ? db.rndItems()[static_cast<std::size_t>(item->prefix)]->line : 0};
    }
    case FieldAt::Role::kItemNumber:
      break;
  }
  return {DataFile::kSkills, 0};
}

}  // namespace

std::optional<Json> definition(Context context, const Json& params) {
  const std::optional<FieldAtParams> found = fieldAtParams(context, params);
  if (!found)
    return std::nullopt;
  if (!found->field)
    return Json(nullptr);
  const DataSetView& view = *found->view;
  const FieldAt& field = *found->field;
  const auto [file, line] = definitionOf(*view.db, field);
  if (line < 1)
    return Json(nullptr);
  return Json{{"uri", view.uri(file)}, {"range", lineRange(view, file, line, context.encoding)}};
}

}  // namespace tamrix::lsp
