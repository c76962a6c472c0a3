#include "database/data_line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "database/item_database.h"

namespace tamrix {

DataLineReader::DataLineReader(std::string fileBytes) : text_(std::move(fileBytes)) {
  const std::size_t end = text_.find('\x1A');
  if (end != std::string::npos)
    text_.resize(end);
  // Most files hold no NUL byte at all; they need no search for one per line.
  hasNul_ = text_.find('\0') != std::string::npos;
}

// The lines are cut from the text as it is: the carriage return that a
// text-mode read drops before a line feed can only be the last byte before
// the line feed that ends the piece, so it is left out here instead of in a
// separate pass over the whole file.
bool DataLineReader::nextPiece(std::string_view& piece) {
  if (pos_ >= text_.size())
    return false;
  const char* begin = text_.data() + pos_;
  const std::size_t left = text_.size() - pos_;
  // A piece of kMaxLinePiece translated bytes may be followed by a dropped
  // carriage return, so the line feed that ends it can lie one byte further.
  const std::size_t window = std::min(left, kMaxLinePiece + 1);
  const auto* feed = static_cast<const char*>(std::memchr(begin, '\n', window));
  std::size_t length = feed == nullptr ? window : static_cast<std::size_t>(feed - begin);
  if (feed != nullptr && length > 0 && begin[length - 1] == '\r')
    --length;
  if (feed != nullptr && length < kMaxLinePiece) {
    pos_ += static_cast<std::size_t>(feed - begin) + 1;  // the line feed is consumed
  } else {
    // A full piece; the rest of the line, its line feed included, follows as
    // the next piece.
    length = std::min(length, kMaxLinePiece);
    pos_ += length;
  }
  piece = std::string_view(begin, length);
  // The piece counts every byte read, but its text ends at the first NUL.
  if (hasNul_) {
    const std::size_t nul = piece.find('\0');
    if (nul != std::string_view::npos)
      piece = piece.substr(0, nul);
  }
  return true;
}

bool DataLineReader::readLine(std::string& line) {
  std::string_view piece;
  if (!nextPiece(piece)) {
    line.clear();
    return false;
  }
  line.assign(piece);
  return true;
}

bool DataLineReader::skipHeader() {
  std::string_view piece;
  while (nextPiece(piece))
    if (piece.find("-start-") != std::string_view::npos)
      return true;
  return false;
}

bool DataLineReader::readDataLine(std::string& line) {
  while (readLine(line)) {
    ItemDatabase::normalizeLine(line);
    if (!line.empty())
      return true;
  }
  return false;
}

bool DataLineReader::readDataLine(std::string_view& line, std::string& storage) {
  std::string_view piece;
  while (nextPiece(piece)) {
    if (isNormalLine(piece)) {
      if (piece.empty())
        continue;
      line = piece;
      return true;
    }
    storage.assign(piece);
    ItemDatabase::normalizeLine(storage);
    if (!storage.empty()) {
      line = storage;
      return true;
    }
  }
  line = {};
  return false;
}

std::size_t DataLineReader::remainingLineBound() const {
  if (pos_ >= text_.size())
    return 0;
  // Counted in blocks of up to 255 bytes with a one-byte counter, which the
  // compiler turns into wide compares; a wider counter halves the speed.
  const char* p = text_.data() + pos_;
  std::size_t left = text_.size() - pos_;
  std::size_t feeds = 0;
  while (left > 0) {
    const std::size_t block = std::min<std::size_t>(left, 255);
    unsigned char count = 0;
    for (std::size_t k = 0; k < block; ++k)
      count = static_cast<unsigned char>(count + (p[k] == '\n'));
    feeds += count;
    p += block;
    left -= block;
  }
  return feeds + 1 + (text_.size() - pos_) / kMaxLinePiece;
}

}  // namespace tamrix
