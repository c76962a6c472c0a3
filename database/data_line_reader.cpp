#include "database/data_line_reader.h"

#include <algorithm>
#include <utility>

namespace tamrix {

DataLineReader::DataLineReader(std::string fileBytes)
    : DataLineReader(std::make_shared<const std::string>(std::move(fileBytes))) {}

DataLineReader::DataLineReader(std::shared_ptr<const std::string> fileBytes)
    : DataLineReader(std::string_view(*fileBytes)) {
  owned_ = std::move(fileBytes);
}

DataLineReader::DataLineReader(std::string_view fileBytes)
    : text_(fileBytes.substr(0, std::min(fileBytes.size(), fileBytes.find('\x1A')))) {}

// A carriage return that a text-mode read drops can only be the byte right
// before the line feed that ends a piece, so it is left out here rather than
// in a pass over the whole file. It does not count towards the piece's size,
// so the line feed that ends a full piece may lie one byte further on.
bool DataLineReader::readLine(std::string& line) {
  line.clear();
  if (pos_ >= text_.size())
    return false;
  lineNumber_ = nextLineNumber_;
  pieceOffset_ = static_cast<int32_t>(pos_ - lineStart_);
  pieceStart_ = pos_;
  const std::string_view window = text_.substr(pos_, kMaxLinePiece + 1);
  const std::size_t feed = window.find('\n');
  std::size_t length = std::min(feed, window.size());
  if (feed != std::string_view::npos && length > 0 && window[length - 1] == '\r')
    --length;
  if (feed != std::string_view::npos && length < kMaxLinePiece) {
    pos_ += feed + 1;
    lineStart_ = pos_;
    ++nextLineNumber_;
  } else {
    // A full piece; the rest of the line, its line feed included, follows
    // as the next piece.
    length = std::min(length, kMaxLinePiece);
    pos_ += length;
  }
  // The piece counts every byte read, but its text ends at the first NUL.
  const std::string_view piece = window.substr(0, length);
  line.assign(piece.substr(0, piece.find('\0')));
  return true;
}

std::size_t DataLineReader::remainingDataLineCount() const {
  std::size_t lines = 0;
  bool blank = true;
  for (std::size_t i = pos_; i < text_.size(); ++i) {
    if (text_[i] == '\n') {
      lines += blank ? 0 : 1;
      blank = true;
    } else if (text_[i] != ' ' && text_[i] != '\r') {
      blank = false;
    }
  }
  return lines + (blank ? 0 : 1);
}

bool DataLineReader::skipHeader() {
  std::string line;
  while (readLine(line))
    if (line.find("-start-") != std::string::npos)
      return true;
  return false;
}

bool DataLineReader::readDataLine(std::string& line) {
  while (readLine(line)) {
    normalizeLine(line);
    if (!line.empty())
      return true;
  }
  return false;
}

}  // namespace tamrix
