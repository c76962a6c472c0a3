// Reading requests' parameters and writing positions back.
#include <algorithm>

#include "app/lsp/capabilities.h"

namespace tamrix::lsp {

const Json* member(const Json& object, std::string_view key) {
  if (!object.is_object())
    return nullptr;
  const auto found = object.find(key);
  return found == object.end() ? nullptr : &*found;
}

std::optional<std::string> stringMember(const Json& object, std::string_view key) {
  const Json* value = member(object, key);
  if (!value || !value->is_string())
    return std::nullopt;
  return value->get<std::string>();
}

std::optional<int64_t> integerMember(const Json& object, std::string_view key) {
  const Json* value = member(object, key);
  if (!value || !value->is_number_integer())
    return std::nullopt;
  return value->get<int64_t>();
}

std::optional<DocumentOfParams> documentOf(Context context, const Json& params) {
  const Json* textDocument = member(params, "textDocument");
  const std::optional<std::string> uri =
      textDocument ? stringMember(*textDocument, "uri") : std::nullopt;
  if (!uri)
    return std::nullopt;
  DocumentOfParams found{*uri};
  found.document = context.workspace.document(*uri);
  if (found.document)
    found.view = &context.workspace.view(found.document->folder);
  return found;
}

std::optional<std::size_t> offsetOf(const DocumentText& text, const Json& params,
                                    PositionEncoding encoding) {
  const Json* position = member(params, "position");
  const std::optional<int64_t> line = position ? integerMember(*position, "line") : std::nullopt;
  const std::optional<int64_t> character =
      position ? integerMember(*position, "character") : std::nullopt;
  if (!line || !character)
    return std::nullopt;
  return text.offsetAt(*line, *character, encoding);
}

Json rangeOf(const DocumentText& text, std::size_t from, std::size_t to,
             PositionEncoding encoding) {
  return {{"start", text.position(from, encoding)}, {"end", text.position(to, encoding)}};
}

Json lineRange(const DataSetView& view, DataFile file, int32_t line, PositionEncoding encoding) {
  const DocumentText* text = view.text(file);
  if (!text || line < 1)
    return {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 0}}}};
  return rangeOf(*text, text->lineStart(line), text->lineEnd(line), encoding);
}

std::optional<FieldAtParams> fieldAtParams(Context context, const Json& params) {
  const std::optional<DocumentOfParams> found = documentOf(context, params);
  const DocumentText none;
  if (!found || !offsetOf(none, params, context.encoding))
    return std::nullopt;
  if (!found->document || found->document->text.decodedWrongly())
    return FieldAtParams{};
  const std::optional<std::size_t> offset =
      offsetOf(found->document->text, params, context.encoding);
  return FieldAtParams{found->view, fieldAt(*found->view, found->document->file, *offset)};
}

}  // namespace tamrix::lsp
