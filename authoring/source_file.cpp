#include "authoring/source_file.h"

#include <algorithm>
#include <utility>

#include "database/data_line_reader.h"
#include "database/number_field.h"

namespace tamrix {

static_assert(sizeof(DataLine) <= 16, "a set of tiny records holds a DataLine per few bytes");

// Normalisation drops the blanks at the start and makes each run of blanks
// one: walk the stored piece until as many normalised bytes have passed.
int32_t DataLine::column(std::size_t at) const {
  const std::string_view stored = this->stored();
  std::size_t i = 0;
  while (i < stored.size() && stored[i] == ' ')
    ++i;
  for (std::size_t passed = 0; i < stored.size() && passed < at; ++passed) {
    if (stored[i] != ' ') {
      ++i;
      continue;
    }
    while (i < stored.size() && stored[i] == ' ')
      ++i;
  }
  return offset() + static_cast<int32_t>(i) + 1;
}

namespace {

// Gives `each` the data lines of `text` as the loaders read them: each
// piece as stored, its text when normalisation changes it (else empty), the
// bytes of its line before it, and its line. Normalisation leaves no line
// empty; a line it empties is no data line.
template <typename Each>
void walkLines(std::string_view text, Each&& each) {
  // The reader reads `text` in place, so its pieces lie there.
  DataLineReader reader{text};
  if (!reader.skipHeader())
    return;
  for (std::string piece; reader.readLine(piece);) {
    std::string normalized = piece;
    normalizeLine(normalized);
    if (normalized.empty())
      continue;
    if (normalized == piece)
      normalized.clear();
    each(text.substr(reader.pieceStart(), piece.size()), std::move(normalized),
         reader.pieceOffset(), reader.lineNumber());
  }
}

// A line needs its LineDetail when normalisation changes it or it is a later
// piece of a long line.
bool needsDetail(const std::string& normalized, int32_t offset) {
  return !normalized.empty() || offset != 0;
}

}  // namespace

const std::vector<DataLine>& SourceFile::lines() const {
  if (lines_)
    return *lines_;
  std::vector<DataLine>& lines = lines_.emplace();
  DataLineReader counter{text};
  if (counter.skipHeader())
    lines.reserve(counter.remainingDataLineCount());
  walkLines(text,
            [&](std::string_view stored, std::string normalized, int32_t offset, int32_t line) {
              if (needsDetail(normalized, offset))
                lines.emplace_back(
                    details_.emplace_back(LineDetail{stored, std::move(normalized), offset}), line);
              else
                lines.emplace_back(stored, line);
            });
  return lines;
}

void SourceFile::forEachLine(const std::function<void(const DataLine&)>& each) const {
  if (lines_) {
    for (const DataLine& line : *lines_)
      each(line);
    return;
  }
  walkLines(text,
            [&](std::string_view stored, std::string normalized, int32_t offset, int32_t line) {
              if (!needsDetail(normalized, offset))
                return each(DataLine(stored, line));
              const LineDetail detail{stored, std::move(normalized), offset};
              each(DataLine(detail, line));
            });
}

const SourceFile* SourceFiles::file(const std::string& fileName) {
  auto [found, added] = files_.try_emplace(fileName);
  if (!added)
    return found->second ? &*found->second : nullptr;
  SharedBytes bytes = readFile_(fileName);
  if (!bytes)
    return nullptr;
  SourceFile& file = found->second.emplace();
  file.bytes = std::move(bytes);
  const std::string_view whole = *file.bytes;
  const std::size_t end = std::min(whole.find('\x1A'), whole.size());
  file.afterEnd = whole.substr(end);
  file.text = whole.substr(0, end);
  if (DataLineReader reader{file.text}; reader.skipHeader())
    file.startLine = reader.lineNumber();
  return &file;
}

std::vector<Token> tokensOf(std::string_view text) {
  std::vector<Token> tokens;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t blank = std::min(text.find(' ', at), text.size());
    tokens.push_back({at, text.substr(at, blank - at)});
    at = blank + 1;
  }
  return tokens;
}

bool isPlainNumber(std::string_view token) {
  if (!token.empty() && (token[0] == '+' || token[0] == '-'))
    token.remove_prefix(1);
  return !token.empty() &&
         std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

namespace {

// An id or count line that holds several numbers is an amount line read out
// of step.
bool holdsSeveralNumbers(const DataLine& line) {
  const std::vector<Token> tokens = tokensOf(line.text());
  return std::count_if(tokens.begin(), tokens.end(),
                       [](const Token& t) { return isPlainNumber(t.text); }) > 1;
}

}  // namespace

TypeFileLayout typeFileLayout(const SourceFile& file) {
  TypeFileLayout layout;
  std::optional<std::size_t> outOfStep;
  const std::vector<DataLine>& lines = file.lines();
  // Each record but a last cut short takes three lines at least.
  layout.records.reserve(lines.size() / 3 + 1);
  for (std::size_t i = 0; i < lines.size();) {
    TypeRecordLines& record = layout.records.emplace_back();
    record.id = &lines[i++];
    if (i == lines.size())
      break;  // the loader fails here
    record.hasCount = true;
    ++i;
    // A count of several numbers under a plain id is an amount line: this
    // record lost its count line, unless the record before swallowed the
    // real id as an amount line of one number. Otherwise the record before
    // read too few or too many amount lines.
    const TypeRecordLines* previous =
        layout.records.size() > 1 ? &layout.records[layout.records.size() - 2] : nullptr;
    const bool swallowed = previous != nullptr && previous->amountCount > 0 &&
                           !holdsSeveralNumbers(previous->amounts().back());
    if (!outOfStep && !swallowed && !holdsSeveralNumbers(*record.id) &&
        holdsSeveralNumbers(*record.count())) {
      outOfStep = layout.records.size() - 1;
      layout.countLost = true;
    } else if (!outOfStep && layout.records.size() > 1 &&
               (holdsSeveralNumbers(*record.id) || holdsSeveralNumbers(*record.count()))) {
      outOfStep = layout.records.size() - 2;
    }
    const int32_t count = readNumber(record.count()->text());
    if (count > kTypeMaxLines)
      break;  // the loader fails here
    const std::size_t wanted = static_cast<std::size_t>(std::max(count, 1));
    const std::size_t given = std::min(wanted, lines.size() - i);
    record.amountCount = static_cast<uint32_t>(given);
    record.cutShort = given < wanted;
    i += given;
  }
  if (outOfStep)
    layout.outOfStep = &layout.records[*outOfStep];
  return layout;
}

std::vector<RndEntryLines> rndFileLayout(const SourceFile& file, const ItemDatabase& db) {
  std::vector<RndEntryLines> entries;
  const std::vector<DataLine>& lines = file.lines();
  std::size_t i = 0;
  const auto next = [&](const DataLine*& into) {
    into = i < lines.size() ? &lines[i++] : nullptr;
    return into != nullptr;
  };
  while (i < lines.size()) {
    RndEntryLines& entry = entries.emplace_back();
    entry.number = &lines[i++];
    if (!next(entry.name) || !next(entry.type)) {
      entry.cutShort = true;
      break;
    }
    const int32_t typeId = readNumber(entry.type->text());
    entry.typeEntry = typeId == 0 ? nullptr : db.findType(typeId);
    if (entry.typeEntry == nullptr)
      break;  // the loader fails here
    const auto wanted = static_cast<std::size_t>(std::max(entry.typeEntry->lineCount, 1));
    const std::size_t given = std::min(wanted, lines.size() - i);
    entry.skills = std::span(lines).subspan(i, given);
    entry.cutShort = given < wanted;
    i += given;
  }
  return entries;
}

}  // namespace tamrix
