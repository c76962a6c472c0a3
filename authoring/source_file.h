// A data file read again for the authoring tools: its data lines as the
// loaders see them, each with its place in the file and its bytes as stored,
// so that a field can be named by line and column; and the records of the
// multi-line files, grouped as their loaders group them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/file_reader.h"
#include "database/item_database.h"

namespace tamrix {

// A line that normalisation changes: its text as the loaders parse it, and
// the piece as stored, which the columns are counted in.
struct NormalizedLine {
  std::string text;
  std::string_view stored;
};

// The texts are views into the SourceFile that holds the line. A set of tiny
// records holds one of these per few bytes, so a line that normalisation
// leaves alone, as nearly all are, holds its text once.
struct DataLine {
  std::string_view text;                       // normalised, as the loaders parse it
  const NormalizedLine* normalized = nullptr;  // null when `text` is the stored piece
  int32_t line = 0;                            // the line of the file, from 1
  int32_t offset = 0;  // bytes of that line before this piece (long lines come in pieces)

  // The piece as read, before normalisation.
  std::string_view stored() const { return normalized != nullptr ? normalized->stored : text; }
  // The column (from 1) in the file's line of byte `at` of `text`.
  int32_t column(std::size_t at) const;
};

// Its lines point into it, so it stays where it was made.
struct SourceFile {
  SourceFile() = default;
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;

  std::string text;             // the bytes that the reader reads: up to a Ctrl-Z
  std::string afterEnd;         // the bytes from that Ctrl-Z on, which it never reads
  int32_t startLine = 0;        // the -start- line; 0 when there is none
  std::vector<DataLine> lines;  // the data lines after it, in order
  // The lines that normalisation changes.
  std::deque<NormalizedLine> normalized;
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
// which follow each other in the file's lines. `cutShort` when the file ends
// before all its amount lines (it is dropped). A set of tiny records holds
// one of these per dozen bytes, so it keeps only where its lines begin.
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

struct TypeFileLayout {
  std::vector<TypeRecordLines> records;
  // The first record whose line count seems not to match its amount lines:
  // the id or count line of the record after it holds several numbers. The
  // records after it are read out of step.
  const TypeRecordLines* outOfStep = nullptr;
  // That record seems to lack its count line: the line read as its count
  // holds several numbers.
  bool countLost = false;
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
