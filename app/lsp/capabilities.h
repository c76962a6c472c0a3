// What the language server answers, one file per capability, each from the
// engine functions that tamrix-cli uses, so that the editor and --check
// cannot disagree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/json.h"
#include "app/lsp/data_set.h"
#include "app/lsp/document_text.h"

namespace tamrix::lsp {

struct Context {
  Workspace& workspace;
  PositionEncoding encoding;
};

// Reading the client's parameters without exceptions: null or nothing when
// a member is missing or of another type.
const Json* member(const Json& object, std::string_view key);
std::optional<std::string> stringMember(const Json& object, std::string_view key);
std::optional<int64_t> integerMember(const Json& object, std::string_view key);

// The open document and the set that params.textDocument.uri names.
struct DocumentOfParams {
  std::string uri;
  const OpenDocument* document = nullptr;  // null: not open, or no data file
  const DataSetView* view = nullptr;
};
// Nothing when params has no textDocument.uri.
std::optional<DocumentOfParams> documentOf(Context context, const Json& params);
// The byte at params.position in the document; nothing when it has none.
std::optional<std::size_t> offsetOf(const DocumentText& text, const Json& params,
                                    PositionEncoding encoding);

// {"start":..,"end":..} of bytes `from` to `to` of `text`.
Json rangeOf(const DocumentText& text, std::size_t from, std::size_t to, PositionEncoding encoding);
// The range of the whole of the loaders' line `line` of `file` in `view`.
Json lineRange(const DataSetView& view, DataFile file, int32_t line, PositionEncoding encoding);

// The most warnings published for one file: an editor lists them all, and a
// set with a warning on every line would flood it. A last diagnostic counts
// the others.
inline constexpr std::size_t kMostWarningsPerFile = 500;

// Each file of the set with its diagnostics, for textDocument/publishDiagnostics.
std::vector<std::pair<std::string, Json>> diagnosticsOf(const DataSetView& view,
                                                        PositionEncoding encoding);

// The request handlers: the result, or nothing for invalid parameters.
std::optional<Json> hover(Context context, const Json& params);
std::optional<Json> definition(Context context, const Json& params);
std::optional<Json> documentSymbols(Context context, const Json& params);
std::optional<Json> codeActions(Context context, const Json& params);

// What stands at byte `offset` of `file` in a set: the field that hover and
// definition answer for.
struct FieldAt {
  enum class Role { kItemNumber, kChangeNumber, kSkillIndex, kTypeId } role;
  int32_t value = 0;
};
std::optional<FieldAt> fieldAt(const DataSetView& view, DataFile file, std::size_t offset);

// The field at params.position of a hover or definition request: nothing for
// invalid parameters; a null `field` where the document holds none there.
struct FieldAtParams {
  const DataSetView* view = nullptr;
  std::optional<FieldAt> field;
};
std::optional<FieldAtParams> fieldAtParams(Context context, const Json& params);

}  // namespace tamrix::lsp
