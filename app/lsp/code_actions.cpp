// textDocument/codeAction: the mechanical repairs of authoring/, one action
// per slip in the range asked for, and one for every slip of the file.
#include "app/lsp/capabilities.h"
#include "authoring/mechanical_fixes.h"
#include "text/encoding.h"

namespace tamrix::lsp {

namespace {

Json textEdit(const DocumentText& text, const TextFix& fix, PositionEncoding encoding) {
  return {{"range", rangeOf(text, fix.at, fix.at + fix.length, encoding)},
          {"newText", cp1250ToUtf8(fix.replacement)}};
}

Json action(const std::string& uri, std::string title, std::string_view kind, Json edits) {
  return {{"title", std::move(title)},
          {"kind", kind},
          {"edit", {{"changes", {{uri, std::move(edits)}}}}}};
}

}  // namespace

std::optional<Json> codeActions(Context context, const Json& params) {
  const std::optional<DocumentOfParams> found = documentOf(context, params);
  if (!found)
    return std::nullopt;
  const Json* range = member(params, "range");
  const Json* start = range ? member(*range, "start") : nullptr;
  const Json* end = range ? member(*range, "end") : nullptr;
  const auto line = [](const Json* position) {
    return position ? integerMember(*position, "line") : std::nullopt;
  };
  if (!line(start) || !line(end))
    return std::nullopt;
  Json actions = Json::array();
  if (!found->document || found->document->text.decodedWrongly())
    return actions;
  const DocumentText& text = found->document->text;
  const std::vector<TextFix> fixes = findMechanicalFixes(text.bytes());
  Json all = Json::array();
  for (const TextFix& fix : fixes) {
    Json edit = textEdit(text, fix, context.encoding);
    const int64_t first = edit["range"]["start"]["line"].get<int64_t>();
    const int64_t last = edit["range"]["end"]["line"].get<int64_t>();
    all.push_back(edit);
    if (last >= *line(start) && first <= *line(end))
      actions.push_back(action(found->uri, "Fix: " + fix.what, "quickfix", Json::array({edit})));
  }
  if (!fixes.empty())
    actions.push_back(action(
        found->uri, "Fix every mechanical slip of this file (" + std::to_string(fixes.size()) + ")",
        "source.fixAll", std::move(all)));
  return actions;
}

}  // namespace tamrix::lsp
