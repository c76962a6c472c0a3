#include "app/lsp/document_text.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "text/encoding.h"

namespace tamrix::lsp {

namespace {

// Unicode to Windows-1250, built from the one table of text/encoding.h.
const std::unordered_map<char32_t, char>& cp1250Bytes() {
  static const std::unordered_map<char32_t, char> bytes = [] {
    std::unordered_map<char32_t, char> map;
    for (int b = 0; b < 256; ++b)
      map.emplace(cp1250ToCodePoint(static_cast<unsigned char>(b)), static_cast<char>(b));
    return map;
  }();
  return bytes;
}

// The next code point of valid UTF-8 text at `i`, which it moves past; a
// byte that does not decode stands for U+FFFD.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80)
    return lead;
  const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (more < 0)
    return 0xFFFD;
  char32_t c = lead & (0x3F >> more);
  for (int k = 0; k < more; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
      return 0xFFFD;
    c = c << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  return c;
}

}  // namespace

DocumentText DocumentText::fromEditor(std::string_view utf8) {
  DocumentText doc;
  const auto& bytes = cp1250Bytes();
  std::string stored;
  stored.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = nextCodePoint(utf8, i);
    const auto found = bytes.find(c);
    if (c == 0xFFFD)
      doc.decodedWrongly_ = true;
    if (found == bytes.end())
      doc.unmappable_.push_back(stored.size());
    stored.push_back(found == bytes.end() ? '?' : found->second);
    doc.characters_.push_back(c);
  }
  doc.bytes_ = std::make_shared<const std::string>(std::move(stored));
  doc.index();
  return doc;
}

DocumentText DocumentText::fromBytes(std::string bytes) {
  DocumentText doc;
  doc.bytes_ = std::make_shared<const std::string>(std::move(bytes));
  doc.characters_.reserve(doc.bytes().size());
  for (const char b : doc.bytes())
    doc.characters_.push_back(cp1250ToCodePoint(static_cast<unsigned char>(b)));
  doc.index();
  return doc;
}

void DocumentText::index() {
  editorLines_ = {0};
  feedLines_ = {0};
  for (std::size_t i = 0; i < bytes().size(); ++i) {
    if (bytes()[i] == '\n') {
      editorLines_.push_back(i + 1);
      feedLines_.push_back(i + 1);
    } else if (bytes()[i] == '\r' && (i + 1 == bytes().size() || bytes()[i + 1] != '\n')) {
      editorLines_.push_back(i + 1);  // the editors take a lone CR as a line end
    }
  }
}

std::size_t DocumentText::width(std::size_t offset, PositionEncoding encoding) const {
  const char32_t c = characters_[offset];
  if (encoding == PositionEncoding::kUtf16)
    return c > 0xFFFF ? 2 : 1;
  return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

Json DocumentText::position(std::size_t offset, PositionEncoding encoding) const {
  offset = std::min(offset, bytes().size());
  const auto next = std::upper_bound(editorLines_.begin(), editorLines_.end(), offset);
  const std::size_t line = static_cast<std::size_t>(next - editorLines_.begin()) - 1;
  std::size_t character = 0;
  for (std::size_t i = editorLines_[line]; i < offset; ++i)
    character += width(i, encoding);
  return {{"line", line}, {"character", character}};
}

std::size_t DocumentText::offsetAt(int64_t line, int64_t character,
                                   PositionEncoding encoding) const {
  if (line < 0)
    return 0;
  if (static_cast<std::size_t>(line) >= editorLines_.size())
    return bytes().size();
  const std::size_t start = editorLines_[static_cast<std::size_t>(line)];
  const std::size_t end = static_cast<std::size_t>(line) + 1 < editorLines_.size()
                              ? editorLines_[static_cast<std::size_t>(line) + 1]
                              : bytes().size();
  std::size_t at = start;
  for (int64_t units = 0; at < end && units < character; ++at) {
    if (bytes()[at] == '\n' || bytes()[at] == '\r')
      break;
    units += static_cast<int64_t>(width(at, encoding));
  }
  return at;
}

std::size_t DocumentText::lineStart(int32_t line) const {
  if (line < 1)
    return 0;
  const auto index = static_cast<std::size_t>(line - 1);
  return index < feedLines_.size() ? feedLines_[index] : bytes().size();
}

std::size_t DocumentText::lineEnd(int32_t line) const {
  std::size_t end = bytes().find('\n', lineStart(line));
  if (end == std::string::npos)
    end = bytes().size();
  while (end > lineStart(line) && bytes()[end - 1] == '\r')
    --end;
  return end;
}

int32_t DocumentText::lineOf(std::size_t offset) const {
  return static_cast<int32_t>(std::upper_bound(feedLines_.begin(), feedLines_.end(), offset) -
                              feedLines_.begin());
}

}  // namespace tamrix::lsp
