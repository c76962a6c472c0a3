#include "database/data_line_reader.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "database/item_database.h"

namespace tamrix {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The shell names its files with a backslash ("Data\skill.txt"); where the
// backslash is an ordinary character the same file is Data/skill.txt.
std::string hostPath(const std::string& fileName) {
#ifdef _WIN32
  return fileName;
#else
  std::string path = fileName;
  for (char& c : path)
    if (c == '\\')
      c = '/';
  return path;
#endif
}

}  // namespace

DataLineReader::DataLineReader(std::string fileBytes) : text_(std::move(fileBytes)) {
  const std::size_t end = text_.find('\x1A');
  if (end != std::string::npos)
    text_.resize(end);
  std::size_t write = 0;
  for (std::size_t read = 0; read < text_.size(); ++read) {
    if (text_[read] == '\r' && read + 1 < text_.size() && text_[read + 1] == '\n')
      continue;
    text_[write++] = text_[read];
  }
  text_.resize(write);
}

std::optional<std::string> DataLineReader::readFile(const std::string& fileName) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(hostPath(fileName).c_str(), "rb"));
  if (!file)
    return std::nullopt;
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    bytes.append(chunk, got);
    if (got < sizeof chunk)
      break;
  }
  // A folder opens on some systems but cannot be read.
  if (std::ferror(file.get()))
    return std::nullopt;
  return bytes;
}

bool DataLineReader::readLine(std::string& line) {
  line.clear();
  if (pos_ >= text_.size())
    return false;
  const std::size_t start = pos_;
  std::size_t stored = 0;
  while (pos_ < text_.size() && stored < kMaxLinePiece) {
    if (text_[pos_++] == '\n')
      break;
    ++stored;
  }
  // The piece counts every byte read, but its text ends at the first NUL.
  std::string_view piece(text_.data() + start, stored);
  const std::size_t nul = piece.find('\0');
  if (nul != std::string_view::npos)
    piece = piece.substr(0, nul);
  line.assign(piece);
  return true;
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
    ItemDatabase::normalizeLine(line);
    if (!line.empty())
      return true;
  }
  return false;
}

}  // namespace tamrix
