// A data file read again for the authoring tools: its data lines as the
// loaders see them, each with its place in the file and its bytes as stored,
// so that a field can be named by line and column; and the records of the
// multi-line files, grouped as their loaders group them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/file_reader.h"
#include "database/item_database.h"

namespace tamrix {

// A piece that normalisation changes, or a later piece of a long line: the
// piece as stored, which the columns are counted in, its text as the loaders
// parse it when that differs (normalisation leaves no line empty), and the
// bytes of its line before it.
struct LineDetail {
  std::string_view stored;
  std::string normalized;  // empty when the piece is its own text
  int32_t offset = 0;

  std::string_view text() const { return normalized.empty() ? stored : normalized; }
};

// A data line of a SourceFile, whose bytes it points into. A set of tiny
// records holds one of these per few bytes, so it takes 16: a line that
// normalisation leaves alone and that is its line's first piece, as nearly
// all are, is its stored bytes and its line; any other line keeps its
// LineDetail.
class DataLine {
 public:
  DataLine(std::string_view stored, int32_t fileLine)
      : bytes_(stored.data()), size_(static_cast<uint32_t>(stored.size())), line(fileLine) {}
  DataLine(const LineDetail& detail, int32_t fileLine)
      : detail_(&detail), size_(kDetailed), line(fileLine) {}

  // Normalised, as the loaders parse it.
  std::string_view text() const {
    return detailed() ? detail_->text() : std::string_view(bytes_, size_);
  }
  // The piece as read, before normalisation.
  std::string_view stored() const { return detailed() ? detail_->stored : text(); }
  // The bytes of that line before this piece (long lines come in pieces).
  int32_t offset() const { return detailed() ? detail_->offset : 0; }
  // The column (from 1) in the file's line of byte `at` of `text()`.
  int32_t column(std::size_t at) const;

 private:
  // A piece is at most a few thousand bytes, so no size is this.
  static constexpr uint32_t kDetailed = std::numeric_limits<uint32_t>::max();
  bool detailed() const { return size_ == kDetailed; }

  union {
    const char* bytes_;         // the stored piece, which is also its text
    const LineDetail* detail_;  // when size_ is kDetailed
  };
  uint32_t size_;

 public:
  int32_t line;  // the line of the file, from 1
};

// Its lines point into it, so it stays where it was made.
struct SourceFile {
  SourceFile() = default;
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;

  SharedBytes bytes;          // the file's, which the views below lie in
  std::string_view text;      // the bytes that the reader reads: up to a Ctrl-Z
  std::string_view afterEnd;  // the bytes from that Ctrl-Z on, which it never reads
  int32_t startLine = 0;      // the -start- line; 0 when there is none

  // The data lines after the -start- line, in order: read on first use and
  // kept, for the checks that look lines up or keep their places.
  const std::vector<DataLine>& lines() const;
  // Gives `each` the data lines in order, the same as lines(), without
  // keeping them when they are not kept already: a line lasts for its call
  // only. A set of tiny records holds a kept line per few bytes, so a check
  // that goes through a file once, line by line, walks it.
  void forEachLine(const std::function<void(const DataLine&)>& each) const;

 private:
  mutable std::optional<std::vector<DataLine>> lines_;
  // The details of the kept lines that have them.
  mutable std::deque<LineDetail> details_;
};

// The files of one data set, each read at most once.
class SourceFiles {
 public:
  explicit SourceFiles(FileReader readFile) : readFile_(std::move(readFile)) {}
  // The file, or null when it cannot be read.
  const SourceFile* file(const std::string& fileName);

 private:
  FileReader readFile_;
  std::map<std::string, std::optional<SourceFile>> files_;
};

// The blank-separated pieces of a normalised line, each with its position.
struct Token {
  std::size_t at = 0;
  std::string_view text;
};
std::vector<Token> tokensOf(std::string_view text);

// Whether `token` is an optional sign and digits, and so reads as it says.
bool isPlainNumber(std::string_view token);

// A type record as the loader reads it: id line, count line, amount lines,
// which follow each other. `cutShort` when the file ends before all its
// amount lines (it is dropped). A set of tiny records holds one of these per
// dozen bytes when it keeps them, so it keeps only where its lines begin.
struct TypeRecordLines {
  const DataLine* id = nullptr;
  uint32_t amountCount = 0;
  bool hasCount = false;
  bool cutShort = false;

  const DataLine* count() const { return hasCount ? id + 1 : nullptr; }
  std::span<const DataLine> amounts() const {
    return amountCount == 0 ? std::span<const DataLine>() : std::span(id + 2, amountCount);
  }
};

// Gives `each` the type file's records in order, as the loader groups its
// lines, without keeping them: a record's lines last for its call and the
// next, when it is `before`, the record before (null for the first).
// `first` is the place of its id line among the file's data lines.
using EachTypeRecord = std::function<void(const TypeRecordLines& record,
                                          const TypeRecordLines* before, std::size_t first)>;
void forEachTypeRecord(const SourceFile& file, const EachTypeRecord& each);

// The first record whose line count seems not to match its amount lines:
// the id or count line of the record after it holds several numbers. The
// records after it are read out of step.
struct TypeOutOfStep {
  int32_t id = 0;  // the record's type id, as read
  int32_t idLine = 0;
  int32_t countLine = 0;
  // The record seems to lack its count line: the line read as its count
  // holds several numbers.
  bool countLost = false;
};
std::optional<TypeOutOfStep> findTypeOutOfStep(const SourceFile& file);

// The type file's records kept, pointing into its lines().
struct TypeFileLayout {
  std::vector<TypeRecordLines> records;
  std::optional<TypeOutOfStep> outOfStep;
};

TypeFileLayout typeFileLayout(const SourceFile& file);

// A random prefix entry as the loader reads it, with the type the loader
// found for it (null when its type line is missing or names no type).
struct RndEntryLines {
  const DataLine* number = nullptr;
  const DataLine* name = nullptr;
  const DataLine* type = nullptr;
  std::span<const DataLine> skills;  // they follow each other
  const TypeEntry* typeEntry = nullptr;
  bool cutShort = false;  // the file ends before all its lines
};

// The entries of the random prefix file read with the types of `db`; the
// walk stops at an entry whose type it cannot find.
std::vector<RndEntryLines> rndFileLayout(const SourceFile& file, const ItemDatabase& db);

}  // namespace tamrix
