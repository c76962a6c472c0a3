#include "authoring/shape_notes.h"

#include <algorithm>
#include <string_view>

#include "authoring/hungarian.h"
#include "authoring/message_text.h"
#include "authoring/source_file.h"
#include "authoring/warning_context.h"

namespace tamrix {

namespace {

constexpr std::string_view kMarker = "-start-";

const DataLine* lineOf(const SourceFile& file, int32_t line) {
  const auto found = std::find_if(file.lines().begin(), file.lines().end(),
                                  [line](const DataLine& l) { return l.line == line; });
  return found == file.lines().end() ? nullptr : &*found;
}

// The first line of a type record that should hold a number and holds a
// word: a remark written between records, read as an id or a count.
const DataLine* wordInTypeRecord(const SourceFile& file, int32_t before) {
  for (const TypeRecordLines& record : typeFileLayout(file).records)
    for (const DataLine* line : {record.id, record.count()})
      if (line != nullptr && (before == 0 || line->line <= before) &&
          !isPlainNumber(tokensOf(line->text()).front().text))
        return line;
  return nullptr;
}

}  // namespace

Utf16 utf16Shape(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
    return Utf16::kWithMark;
  // Latin text in UTF-16 has a NUL in every other byte.
  const std::size_t n = std::min<std::size_t>(bytes.size(), 400) / 2 * 2;
  if (n < 8)
    return Utf16::kNo;
  std::size_t even = 0;
  std::size_t odd = 0;
  for (std::size_t i = 0; i < n; i += 2) {
    even += bytes[i] == '\0';
    odd += bytes[i + 1] == '\0';
  }
  return std::max(even, odd) * 10 >= n / 2 * 8 ? Utf16::kWithoutMark : Utf16::kNo;
}

std::optional<std::string> typographicQuotes(std::string_view line) {
  // Windows-1250 „ “ ” and the same in UTF-8.
  const std::string_view kinds[] = {"\x84",         "\x93",         "\x94",
                                    "\xE2\x80\x9E", "\xE2\x80\x9C", "\xE2\x80\x9D"};
  std::string named;
  for (std::size_t k = 0; k < std::size(kinds); ++k)
    if (line.find(kinds[k]) != std::string_view::npos)
      named += std::string(named.empty() ? "" : " ") + std::string(kinds[k % 3]);
  if (named.empty())
    return std::nullopt;
  return named;
}

std::vector<DataNote> findShapeNotes(const ItemDatabase& db, const DataFileSet& files,
                                     const FileReader& readFile) {
  const std::optional<LoadFailure>& failure = db.lastFailure();
  if (!failure)
    return {};
  const std::string& name = failure->fileName;
  const SharedBytes bytes = readFile(name);
  if (!bytes)
    return {};
  std::vector<DataNote> notes;
  if (const Utf16 shape = utf16Shape(*bytes); shape != Utf16::kNo) {
    notes.push_back(noteAt(
        name, 0,
        std::string("the file is written in UTF-16, ") +
            (shape == Utf16::kWithMark ? "with" : "without") +
            " a byte order mark: save it as Windows-1250 text",
        hu(shape == Utf16::kWithMark ? "a fájl UTF-16 kódolású, bájtsorrend-jellel: mentsük "
                                       "Windows-1250 szövegként"
                                     : "a fájl UTF-16 kódolású, bájtsorrend-jel nélkül: mentsük "
                                       "Windows-1250 szövegként")));
    return notes;
  }
  SourceFiles sources(readFile);
  const SourceFile* file = sources.file(name);
  if (file == nullptr)
    return notes;
  if (const DataLine* line = lineOf(*file, failure->line)) {
    if (const std::optional<std::string> quotes = typographicQuotes(line->stored()))
      notes.push_back(noteAt(name, line->line,
                             "the line has typographic quotes (" + *quotes +
                                 ") where the double quote \" belongs: to the program they are "
                                 "letters",
                             hu("a sorban nyomdai idézőjelek (") + *quotes +
                                 hu(") állnak az egyenes \" helyén: a program betűnek veszi "
                                    "őket")));
    if (line->text().find_first_not_of('\r') == std::string::npos)
      notes.push_back(noteAt(name, line->line,
                             "the line ends in CR CR LF: the carriage return before the CR LF "
                             "stays in it, so it looks empty but is read as data",
                             hu("a sor CR CR LF-re végződik: a CR LF előtti kocsivissza benne "
                                "marad, így a sor üresnek látszik, de a program adatként "
                                "olvassa")));
  }
  // Two lines with the marker: the header ends at the first.
  const auto second =
      std::find_if(file->lines().begin(), file->lines().end(),
                   [](const DataLine& l) { return l.text().find(kMarker) != std::string::npos; });
  if (second != file->lines().end() && failure->line == second->line)
    notes.push_back(noteAt(name, second->line,
                           "a second -start- line: the header ends at the first, line " +
                               str(file->startLine) + ", and this one is read as data",
                           hu("második -start- sor: a fejléc az elsőnél, a(z) ") +
                               str(file->startLine) +
                               hu(". sorban véget ér, ezt a program adatként olvassa")));
  else if (second != file->lines().end() && failure->line < second->line)
    notes.push_back(
        noteAt(name, file->startLine,
               "this header line holds -start-, so the header ends here and the "
               "lines after it are read as data, up to line " +
                   str(second->line) + " and beyond",
               hu("ez a fejlécsor tartalmazza a -start- szót, ezért a fejléc itt "
                  "véget ér, és az utána álló sorokat a program adatként olvassa, a(z) ") +
                   str(second->line) + hu(". sorig és tovább")));
  // A word where a type record has a number puts the records out of step.
  if (name == files[DataFile::kTypes] || name == files[DataFile::kRndItems])
    if (const SourceFile* types = sources.file(files[DataFile::kTypes]))
      if (const DataLine* word =
              wordInTypeRecord(*types, name == files[DataFile::kTypes] ? failure->line : 0))
        notes.push_back(noteAt(files[DataFile::kTypes], word->line,
                               "this line stands where a type record has its id or line count, "
                               "but holds no number: there are no remark lines after -start-, "
                               "so the records from here on are read out of step",
                               hu("ez a sor egy típus azonosítójának vagy sorszámának helyén "
                                  "áll, de nincs benne szám: a -start- után nincs "
                                  "megjegyzéssor, ezért innen a típusok elcsúsznak")));
  return notes;
}

}  // namespace tamrix
