// A data file as the editor shows it and as the engine reads it: the
// editor's Unicode text and its Windows-1250 bytes, one byte per character,
// and the positions of each in the units the client counts in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/json.h"
#include "database/file_reader.h"

namespace tamrix::lsp {

// How a client counts the characters of a line.
enum class PositionEncoding { kUtf16, kUtf8 };

class DocumentText {
 public:
  // The editor's text, UTF-8. A character that Windows-1250 lacks becomes
  // "?" in the bytes and is listed in `unmappable`.
  static DocumentText fromEditor(std::string_view utf8);
  // A file's Windows-1250 bytes, shown as an editor decoding them would.
  static DocumentText fromBytes(std::string bytes);

  const std::string& bytes() const { return *bytes_; }
  // The same bytes, for the engine's readers to share rather than copy.
  const SharedBytes& sharedBytes() const { return bytes_; }
  // The byte offsets of the characters that Windows-1250 lacks.
  const std::vector<std::size_t>& unmappable() const { return unmappable_; }
  // The character at a byte's place in the editor's text.
  char32_t characterAt(std::size_t offset) const { return characters_[offset]; }
  // Whether the editor's text holds U+FFFD: it decoded the file in another
  // encoding and the bytes it could not read are lost.
  bool decodedWrongly() const { return decodedWrongly_; }

  // {"line":..,"character":..} of byte `offset` (clamped to the end).
  Json position(std::size_t offset, PositionEncoding encoding) const;
  // The byte at an editor position (clamped to its line's end).
  std::size_t offsetAt(int64_t line, int64_t character, PositionEncoding encoding) const;

  // The byte offset where the file's line `line` (from 1, counting line
  // feeds, as the loaders count) begins, and where its text ends (before
  // its CR LF or LF).
  std::size_t lineStart(int32_t line) const;
  std::size_t lineEnd(int32_t line) const;
  // The loaders' line of byte `offset`, from 1.
  int32_t lineOf(std::size_t offset) const;

 private:
  void index();
  std::size_t width(std::size_t offset, PositionEncoding encoding) const;

  SharedBytes bytes_ = std::make_shared<const std::string>();  // never null
  std::vector<char32_t> characters_;                           // one per byte
  std::vector<std::size_t> unmappable_;
  bool decodedWrongly_ = false;
  std::vector<std::size_t> editorLines_;  // offsets where the editor's lines begin
  std::vector<std::size_t> feedLines_;    // offsets where the loaders' lines begin
};

}  // namespace tamrix::lsp
