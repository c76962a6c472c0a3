// textDocument/documentSymbol: each record of the file, for the outline.
#include "app/lsp/capabilities.h"
#include "text/encoding.h"

namespace tamrix::lsp {

namespace {

// The kinds of the protocol's SymbolKind that the records resemble most.
enum SymbolKind { kClass = 5, kProperty = 7, kStruct = 23, kEvent = 24, kObject = 19 };

Json symbol(const DataSetView& view, DataFile file, std::string name, SymbolKind kind,
            int32_t first, int32_t last, PositionEncoding encoding) {
  const DocumentText& text = *view.text(file);
  const Json selection = lineRange(view, file, first, encoding);
  const Json range =
      rangeOf(text, text.lineStart(first), text.lineEnd(std::max(first, last)), encoding);
  return {
      {"name", std::move(name)}, {"kind", kind}, {"range", range}, {"selectionRange", selection}};
}

}  // namespace

std::optional<Json> documentSymbols(Context context, const Json& params) {
  const std::optional<DocumentOfParams> found = documentOf(context, params);
  if (!found)
    return std::nullopt;
  Json symbols = Json::array();
  if (!found->document || found->document->text.decodedWrongly())
    return symbols;
  const DataSetView& view = *found->view;
  const ItemDatabase& db = *view.db;
  const DataFile file = found->document->file;
  const PositionEncoding e = context.encoding;
  const auto add = [&](std::string name, SymbolKind kind, int32_t first, int32_t last) {
    if (first > 0)
      symbols.push_back(symbol(view, file, std::move(name), kind, first, last, e));
  };
  switch (file) {
    case DataFile::kSkills:
      for (std::size_t i = 0; i < db.skills().size(); ++i)
        if (const auto& skill = db.skills()[i])
          add(std::to_string(i) + " " + cp1250ToUtf8(skill->name), kProperty, skill->line,
              skill->line);
      break;
    case DataFile::kStdItems:
      for (std::size_t slot = 0; slot < db.stdItems().size(); ++slot)
        if (const StdItemEntry& item = db.stdItems()[slot]; item.name)
          add(std::to_string(db.specItemCount() + static_cast<int32_t>(slot)) + " " +
                  cp1250ToUtf8(*item.name),
              kObject, item.line, item.line);
      break;
    case DataFile::kTypes:
      for (const TypeEntry& type : db.types())
        add("type " + std::to_string(type.id), kStruct, type.line,
            type.lineCount > 0 ? db.amountLine(type, type.lineCount - 1).line : type.countLine);
      break;
    case DataFile::kRndItems:
      for (std::size_t prefix = 0; prefix < db.rndItems().size(); ++prefix)
        if (const auto& entry = db.rndItems()[prefix])
          add("prefix " + std::to_string(prefix) + " " + cp1250ToUtf8(entry->name), kClass,
              entry->line, *std::max_element(entry->skillLines.begin(), entry->skillLines.end()));
      break;
    case DataFile::kChanges:
      for (const ChangeEntry& change : db.changes())
        add("prefix " + std::to_string(change.prefixIndex) + ", kind " +
                std::to_string(change.itemKind) + " \u2192 " + std::to_string(change.skillIndex) +
                " \u00d7" + std::to_string(change.multiplier),
            kEvent, change.line, change.line);
      break;
    case DataFile::kSpecItems:
      break;
  }
  return symbols;
}

}  // namespace tamrix::lsp
