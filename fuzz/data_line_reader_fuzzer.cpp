// Fuzzes DataLineReader against a plain two-step version of the same
// reading: first the text-mode translation of the whole file (a CR before an
// LF dropped, 0x1A ends the text), then the split into lines and 4999-byte
// pieces, each cut at its first NUL. Any difference aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "database/data_line_reader.h"
#include "database/item_database.h"

namespace {

constexpr std::size_t kPiece = 4999;

std::string translated(std::string_view raw) {
  raw = raw.substr(0, raw.find('\x1A'));
  std::string text;
  for (std::size_t i = 0; i < raw.size(); ++i)
    if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n'))
      text += raw[i];
  return text;
}

struct Piece {
  std::string text;
  int32_t line;  // 1 + the line feeds before the piece
};

// One byte at a time, as a line-buffered read fills its buffer: a piece ends
// after an LF (not stored) or when kPiece bytes are stored.
std::vector<Piece> referencePieces(std::string_view raw) {
  const std::string text = translated(raw);
  std::vector<Piece> pieces;
  std::size_t pos = 0;
  int32_t line = 1;
  while (pos < text.size()) {
    std::string piece;
    const int32_t pieceLine = line;
    while (pos < text.size() && piece.size() < kPiece) {
      const char c = text[pos++];
      if (c == '\n') {
        ++line;
        break;
      }
      piece += c;
    }
    pieces.push_back({piece.substr(0, piece.find('\0')), pieceLine});
  }
  return pieces;
}

[[noreturn]] void fail(const char* what, std::size_t index) {
  std::fprintf(stderr, "data_line_reader_fuzzer: %s (line %zu)\n", what, index);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const std::vector<Piece> expected = referencePieces(raw);

  tamrix::DataLineReader all{std::string(raw)};
  std::string line;
  std::size_t index = 0;
  for (; all.readLine(line); ++index)
    if (index >= expected.size() || line != expected[index].text ||
        all.lineNumber() != expected[index].line)
      fail("a piece or its line number differs", index);
  if (index != expected.size() || !line.empty())
    fail("the text ended early", index);

  // The header ends with the first piece holding the marker; the data lines
  // are the pieces after it that are not empty once normalised.
  std::size_t next = 0;
  while (next < expected.size() && expected[next].text.find("-start-") == std::string::npos)
    ++next;
  tamrix::DataLineReader reader{std::string(raw)};
  const bool started = reader.skipHeader();
  if (started != (next < expected.size()))
    fail("the marker line was not found where it is", next);
  if (!started)
    return 0;
  for (++next;; ++next) {
    while (next < expected.size()) {
      std::string normalised = expected[next].text;
      tamrix::normalizeLine(normalised);
      if (!normalised.empty())
        break;
      ++next;
    }
    const bool got = reader.readDataLine(line);
    if (got != (next < expected.size()))
      fail("the data lines end at a different place", next);
    if (!got)
      break;
    std::string normalised = expected[next].text;
    tamrix::normalizeLine(normalised);
    if (line != normalised)
      fail("a data line differs", next);
  }
  return 0;
}
