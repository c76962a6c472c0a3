// Reading a data file's text: translated as a text-mode read would translate
// it, and handed out line by line in the pieces a 5000-byte line buffer holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tamrix {

// Longest piece of a line that one read delivers; a longer line arrives as
// several pieces, each a line of its own.
inline constexpr std::size_t kMaxLinePiece = 4999;

// Rewrites `text`: no blank at either end, every run of blanks and every run
// of line feeds reduced to one (a run of line feeds at the very start to
// two). Data lines are read so, and the description text is written so.
void normalizeLine(std::string& text);

class DataLineReader {
 public:
  // `fileBytes` is the raw content of a file: a CR right before an LF is
  // dropped, a byte 0x1A ends the text, any other CR stays.
  explicit DataLineReader(std::string fileBytes);
  // Shares `fileBytes`, without a copy.
  explicit DataLineReader(std::shared_ptr<const std::string> fileBytes);
  // Reads `fileBytes` where they are, without a copy; they must outlive the
  // reader.
  explicit DataLineReader(std::string_view fileBytes);
  DataLineReader(DataLineReader&& other) noexcept = default;
  DataLineReader(const DataLineReader&) = delete;
  DataLineReader& operator=(const DataLineReader&) = delete;
  DataLineReader& operator=(DataLineReader&&) = delete;
  ~DataLineReader() = default;

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

  // How many lines left to read hold a byte other than a blank: about as
  // many as the data lines left, for sizing a table before it is filled.
  std::size_t remainingDataLineCount() const;

  // How many bytes of the text are left to read.
  std::size_t remainingBytes() const { return text_.size() - pos_; }

  // The line of the file (1-based, counting line feeds) that the last piece
  // read comes from.
  int32_t lineNumber() const { return lineNumber_; }

  // How many bytes of that line come before the last piece read: 0 but for
  // the later pieces of a line longer than kMaxLinePiece.
  int32_t pieceOffset() const { return pieceOffset_; }

  // Where the last piece read begins in the text.
  std::size_t pieceStart() const { return pieceStart_; }

 private:
  // The bytes, when the reader was given them; they stay where they are
  // when the reader moves.
  std::shared_ptr<const std::string> owned_;
  std::string_view text_;  // the bytes it reads: owned_ or the caller's
  std::size_t pos_ = 0;
  std::size_t lineStart_ = 0;  // where the line of the next piece begins
  int32_t lineNumber_ = 0;
  int32_t nextLineNumber_ = 1;
  int32_t pieceOffset_ = 0;
  std::size_t pieceStart_ = 0;
};

}  // namespace tamrix
