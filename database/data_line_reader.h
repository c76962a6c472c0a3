// Reading a data file: the bytes are read once, translated as a text-mode
// read would translate them, and handed out line by line in the pieces a
// 5000-byte line buffer holds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tamrix {

// Longest piece of a line that one read delivers; a longer line arrives as
// several pieces, each a line of its own.
inline constexpr std::size_t kMaxLinePiece = 4999;

class DataLineReader {
 public:
  // `fileBytes` is the raw content of a file: a CR right before an LF is
  // dropped, a byte 0x1A ends the text, any other CR stays.
  explicit DataLineReader(std::string fileBytes);

  // Reads the next piece into `line`: up to an LF (consumed, not stored) or
  // kMaxLinePiece bytes; the text ends at a NUL byte. Returns false at the
  // end of the text, when nothing is left to read.
  bool readLine(std::string& line);

  // Discards lines up to and including the first that contains "-start-".
  // Returns false when the text ends before such a line.
  bool skipHeader();

  // Reads the next line that is not empty after normalisation, normalised.
  // Returns false at the end of the text.
  bool readDataLine(std::string& line);
  // The same line as a view: into the text itself when the line is normal
  // as it stands, which most data lines are, else into `storage`, which then
  // holds the normalised copy. Valid until the next read.
  bool readDataLine(std::string_view& line, std::string& storage);

  // At least as many lines as are left to read, over-long lines' pieces
  // included; for sizing a table before it is filled.
  std::size_t remainingLineBound() const;

 private:
  // The next piece as a view into the text, valid while the reader lives.
  bool nextPiece(std::string_view& piece);

  std::string text_;
  std::size_t pos_ = 0;
  bool hasNul_ = false;
};

// Whether normalisation would leave `text` as it is.
bool isNormalLine(std::string_view text);

}  // namespace tamrix
