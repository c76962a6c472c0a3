#include "authoring/source_file.h"

#include <algorithm>
#include <array>
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

namespace {

// A type record's lines while it is walked or is the record before: a
// line's detail is the walk's for one call only, so it is copied.
struct TypeRecordBuffer {
  std::vector<DataLine> lines;
  std::deque<LineDetail> details;
  TypeRecordLines record;

  void add(const DataLine& line) {
    if (line.offset() == 0 && line.text() == line.stored()) {
      lines.emplace_back(line.stored(), line.line);
      return;
    }
    const std::string normalized = line.text() == line.stored() ? "" : std::string(line.text());
    lines.emplace_back(details.emplace_back(LineDetail{line.stored(), normalized, line.offset()}),
                       line.line);
  }
  void clear() {
    lines.clear();
    details.clear();
  }
};

// Finds the out-of-step record from each record and the one before it.
class OutOfStepSearch {
 public:
  void see(const TypeRecordLines& record, const TypeRecordLines* previous) {
    if (found || record.count() == nullptr)
      return;
    // A count of several numbers under a plain id is an amount line: this
    // record lost its count line, unless the record before swallowed the
    // real id as an amount line of one number. Otherwise the record before
    // read too few or too many amount lines.
    const bool swallowed = previous != nullptr && previous->amountCount > 0 &&
                           !holdsSeveralNumbers(previous->amounts().back());
    if (!swallowed && !holdsSeveralNumbers(*record.id) && holdsSeveralNumbers(*record.count()))
      found = of(record, true);
    else if (previous != nullptr &&
             (holdsSeveralNumbers(*record.id) || holdsSeveralNumbers(*record.count())))
      found = of(*previous, false);
  }

  std::optional<TypeOutOfStep> found;

 private:
  static TypeOutOfStep of(const TypeRecordLines& record, bool countLost) {
    return {readNumber(record.id->text()), record.id->line, record.count()->line, countLost};
  }
};

}  // namespace

void forEachTypeRecord(const SourceFile& file, const EachTypeRecord& each) {
  std::array<TypeRecordBuffer, 2> buffers;
  TypeRecordBuffer* now = &buffers[0];
  const TypeRecordLines* before = nullptr;
  std::size_t seen = 0;    // data lines walked
  std::size_t first = 0;   // the place of the walked record's id line
  std::size_t wanted = 0;  // its amount lines
  bool stopped = false;
  const auto give = [&] {
    TypeRecordLines& record = now->record;
    record.id = now->lines.data();
    record.hasCount = now->lines.size() > 1;
    record.amountCount = static_cast<uint32_t>(record.hasCount ? now->lines.size() - 2 : 0);
    record.cutShort = record.hasCount && record.amountCount < wanted;
    each(record, before, first);
    before = &now->record;
    now = now == &buffers[0] ? &buffers[1] : &buffers[0];
    now->clear();
  };
  file.forEachLine([&](const DataLine& line) {
    if (stopped)
      return;
    if (now->lines.empty())
      first = seen;
    ++seen;
    now->add(line);
    if (now->lines.size() == 2) {
      const int32_t count = readNumber(line.text());
      if (count > kTypeMaxLines) {
        stopped = true;  // the loader fails here
        wanted = 0;
        give();
        return;
      }
      // At least one amount line, even for a count of 0 or below.
      wanted = static_cast<std::size_t>(std::max(count, 1));
    } else if (now->lines.size() == 2 + wanted) {
      give();
    }
  });
  // The file ends after an id (the loader fails there) or inside the
  // amount lines.
  if (!stopped && !now->lines.empty())
    give();
}

std::optional<TypeOutOfStep> findTypeOutOfStep(const SourceFile& file) {
  OutOfStepSearch search;
  forEachTypeRecord(file, [&](const TypeRecordLines& record, const TypeRecordLines* before,
                              std::size_t) { search.see(record, before); });
  return search.found;
}

TypeFileLayout typeFileLayout(const SourceFile& file) {
  TypeFileLayout layout;
  const std::vector<DataLine>& lines = file.lines();
  // Each record but a last cut short takes three lines at least.
  layout.records.reserve(lines.size() / 3 + 1);
  OutOfStepSearch search;
  forEachTypeRecord(
      file, [&](const TypeRecordLines& record, const TypeRecordLines* before, std::size_t first) {
        search.see(record, before);
        layout.records.push_back(record);
        layout.records.back().id = &lines[first];
      });
  layout.outOfStep = search.found;
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
