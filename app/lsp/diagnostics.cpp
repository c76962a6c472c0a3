// textDocument/publishDiagnostics: what --check --strict says about the set,
// at the same lines and columns, and what the editor's text cannot be.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/dialog_logic.h"
#include "app/lsp/capabilities.h"
#include "authoring/data_warnings.h"
#include "authoring/load_error.h"
#include "text/encoding.h"

namespace tamrix::lsp {

namespace {

enum Severity { kError = 1, kWarning = 2, kInformation = 3 };

// The range of a place as --check names it: the file (line 0), a line
// (column 0), or the field that starts at a column, up to the next blank.
Json rangeOfPlace(const DataSetView& view, const SourceLine& where, PositionEncoding encoding) {
  const DataFile* file = dialogDataFiles().find(where.fileName);
  const DocumentText* text = file ? view.text(*file) : nullptr;
  if (!text || where.line < 1 || where.column < 1)
    return lineRange(view, file ? *file : DataFile::kSkills, text ? where.line : 0, encoding);
  const std::size_t end = text->lineEnd(where.line);
  const std::size_t from =
      std::min(text->lineStart(where.line) + static_cast<std::size_t>(where.column - 1), end);
  std::size_t to = from;
  while (to < end && text->bytes()[to] != ' ' && text->bytes()[to] != '\t')
    ++to;
  return rangeOf(*text, from, std::max(to, std::min(from + 1, end)), encoding);
}

std::string uriOfName(const DataSetView& view, const std::string& fileName) {
  const DataFile* file = dialogDataFiles().find(fileName);
  return file ? view.uri(*file) : std::string();
}

Json relatedOf(const DataSetView& view, const std::vector<DataNote>& notes,
               PositionEncoding encoding) {
  Json related = Json::array();
  for (const DataNote& note : notes)
    related.push_back({{"location",
                        {{"uri", uriOfName(view, note.where.fileName)},
                         {"range", rangeOfPlace(view, note.where, encoding)}}},
                       {"message", cp1250ToUtf8(note.message())}});
  return related;
}

Json diagnostic(Json range, Severity severity, std::string_view code, std::string message) {
  Json d = {{"range", std::move(range)}, {"severity", severity}};
  if (!code.empty())
    d["code"] = code;
  d["source"] = "tamrix";
  d["message"] = std::move(message);
  return d;
}

std::string codePointName(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

}  // namespace

std::vector<std::pair<std::string, Json>> diagnosticsOf(const DataSetView& view,
                                                        PositionEncoding encoding) {
  std::array<Json, kDataFileCount> lists;
  lists.fill(Json::array());
  const auto listOf = [&](const std::string& fileName) -> Json& {
    const DataFile* file = dialogDataFiles().find(fileName);
    return lists[static_cast<std::size_t>(file ? *file : DataFile::kSkills)];
  };
  for (const DataFile file : kReadFiles) {
    const auto i = static_cast<std::size_t>(file);
    if (view.decodedWrongly[i])
      lists[i].push_back(diagnostic(
          lineRange(view, file, 0, encoding), kError, "not-windows-1250",
          "the editor read this file in another encoding and shows replacement characters "
          "(U+FFFD) for bytes it could not read: reopen it as Windows-1250 (cp1250). Until "
          "then the file is read from disk"));
    else if (const DocumentText* text = view.text(file))
      for (const std::size_t at : text->unmappable())
        lists[i].push_back(diagnostic(
            rangeOf(*text, at, at + 1, encoding), kError, "not-windows-1250",
            "the character " + codePointName(text->characterAt(at)) +
                " has no place in Windows-1250, the data files' encoding: it is read as \"?\""));
  }
  const ItemDatabase& db = *view.db;
  if (!view.loaded) {
    if (const std::optional<LoadFailure>& failure = db.lastFailure()) {
      const SourceLine where{failure->fileName, failure->line, 0};
      Json d = diagnostic(
          rangeOfPlace(view, where, encoding), kError, "",
          explainLoadFault(failure->fault) + ": " + cp1250ToUtf8(db.lastError().value_or("")));
      d["relatedInformation"] =
          relatedOf(view, findLoadFailureNotes(db, dialogDataFiles(), readerOf(view)), encoding);
      listOf(failure->fileName).push_back(std::move(d));
    }
  } else {
    WarningWindow window;
    window.perFile = kMostWarningsPerFile;
    window.language = WarningLanguage::kEnglish;
    const FoundWarnings found = findDataWarnings(db, dialogDataFiles(), readerOf(view), window);
    for (const DataWarning& w : found.kept) {
      Json d = diagnostic(rangeOfPlace(view, w.where(dialogDataFiles()), encoding), kWarning,
                          w.codeName(), cp1250ToUtf8(w.message()));
      if (!w.notes.empty())
        d["relatedInformation"] = relatedOf(view, w.notes, encoding);
      lists[static_cast<std::size_t>(w.file)].push_back(std::move(d));
    }
    // As a compiler that stops at its error limit says so, at the file's
    // first line.
    for (const DataFile file : kReadFiles) {
      const uint64_t shown =
          std::min<uint64_t>(found.countOf[static_cast<std::size_t>(file)], kMostWarningsPerFile);
      if (const uint64_t hidden = found.countOf[static_cast<std::size_t>(file)] - shown; hidden > 0)
        lists[static_cast<std::size_t>(file)].push_back(
            diagnostic(lineRange(view, file, 0, encoding), kInformation, "warnings-not-shown",
                       std::to_string(hidden) + (hidden == 1 ? " more warning" : " more warnings") +
                           " in this file not shown: the first " + std::to_string(shown) +
                           " are; tamrix-cli --check lists them all"));
    }
  }
  std::vector<std::pair<std::string, Json>> out;
  for (const DataFile file : kReadFiles)
    out.emplace_back(view.uri(file), std::move(lists[static_cast<std::size_t>(file)]));
  return out;
}

}  // namespace tamrix::lsp
