#include "database/data_line_reader.h"

#include <cstdio>
#include <memory>

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

DataLineReader::DataLineReader(std::string_view fileBytes) {
  const std::size_t end = fileBytes.find('\x1A');
  if (end != std::string_view::npos)
    fileBytes = fileBytes.substr(0, end);
  text_.reserve(fileBytes.size());
  for (std::size_t i = 0; i < fileBytes.size(); ++i) {
    if (fileBytes[i] == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n')
      continue;
    text_.push_back(fileBytes[i]);
  }
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
