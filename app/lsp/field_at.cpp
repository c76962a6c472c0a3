// Which field of a data line stands under the cursor, as the loaders read
// the line: the lines are those of authoring/source_file.h.
#include <charconv>

#include "app/dialog_logic.h"
#include "app/lsp/capabilities.h"
#include "authoring/source_file.h"

namespace tamrix::lsp {

namespace {

std::optional<int32_t> numberOf(std::string_view token) {
  int32_t value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (error != std::errc() || end == token.data())
    return std::nullopt;
  return value;
}

// The index of the token of `line` that column `column` falls in.
std::optional<std::size_t> tokenAt(const DataLine& line, const std::vector<Token>& tokens,
                                   int32_t column) {
  for (std::size_t i = 0; i < tokens.size(); ++i)
    if (column >= line.column(tokens[i].at) &&
        column <= line.column(tokens[i].at + tokens[i].text.size()))
      return i;
  return std::nullopt;
}

std::optional<FieldAt> field(FieldAt::Role role, std::string_view token) {
  const std::optional<int32_t> value = numberOf(token);
  if (!value)
    return std::nullopt;
  return FieldAt{role, *value};
}

}  // namespace

std::optional<FieldAt> fieldAt(const DataSetView& view, DataFile file, std::size_t offset) {
  const DocumentText* text = view.text(file);
  if (!text)
    return std::nullopt;
  SourceFiles sources(readerOf(view));
  const SourceFile* source = sources.file(dialogDataFiles()[file]);
  if (!source)
    return std::nullopt;
  const int32_t lineNumber = text->lineOf(offset);
  const auto column = static_cast<int32_t>(offset - text->lineStart(lineNumber)) + 1;
  const DataLine* line = nullptr;
  for (const DataLine& l : source->lines())
    if (l.line == lineNumber && l.offset() < column)
      line = &l;
  if (!line)
    return std::nullopt;
  const std::vector<Token> tokens = tokensOf(line->text());
  const std::optional<std::size_t> token = tokenAt(*line, tokens, column);
  using Role = FieldAt::Role;
  switch (file) {
    case DataFile::kStdItems:
      return token == 0 ? field(Role::kItemNumber, tokens[0].text) : std::nullopt;
    case DataFile::kSkills:
      return token == 0 ? field(Role::kSkillIndex, tokens[0].text) : std::nullopt;
    case DataFile::kChanges:
      if (token == 0)
        return field(Role::kChangeNumber, tokens[0].text);
      return token == 2 ? field(Role::kSkillIndex, tokens[2].text) : std::nullopt;
    case DataFile::kTypes:
      for (const TypeRecordLines& record : typeFileLayout(*source).records)
        if (record.id == line && token == 0)
          return field(Role::kTypeId, tokens[0].text);
      return std::nullopt;
    case DataFile::kRndItems:
      for (const RndEntryLines& entry : rndFileLayout(*source, *view.db)) {
        if (entry.number == line) {
          // The number follows the entry's marker, with or without a blank.
          std::string_view rest = std::string_view(line->text()).substr(1);
          if (rest.starts_with(' '))
            rest.remove_prefix(1);
          return field(Role::kItemNumber, rest);
        }
        if (entry.type == line && token == 0)
          return field(Role::kTypeId, tokens[0].text);
        for (const DataLine& skill : entry.skills)
          if (&skill == line && token == 0)
            return field(Role::kSkillIndex, tokens[0].text);
      }
      return std::nullopt;
    case DataFile::kSpecItems:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tamrix::lsp
