#include "bench/data_set.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>

namespace tamrix::bench {

namespace {

constexpr int kExtraTypes = 10000;
constexpr int kExtraChanges = 10000;
// How often the slot files (standard items, skills, random items) are
// written before their final copy, and how many lines the long headers add.
constexpr int kSlotFileCopies = 9;
constexpr int kExtraHeaderLines = 1000;
// Extra type ids start far above the ids the sample uses.
constexpr int kExtraTypeIdBase = 100000;

// Put in front of every name in the early copies of the slot files
// (Windows-1250). Data files are written with single blanks, like the
// sample; one line in kSpacedLineEvery has runs of blanks instead, so that
// the lines that normalisation must rewrite are measured as well.
constexpr std::string_view kLongNamePrefix =
    "nagyon hossz\xFA n\xE9v, amelyet a f\xE1jl k\xE9s\xF5"
    "bbi sora fel\xFCl\xEDr, hogy a bet\xF6lt\xE9s hossz\xFA nevekkel is m\xE9rhet\xF5 legyen ";
constexpr std::string_view kSpacedNamePrefix =
    "nagyon   hossz\xFA   n\xE9v   sok   sz\xF3k\xF6zzel   ";
constexpr int kSpacedLineEvery = 16;

std::optional<std::string> readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad())
    return std::nullopt;
  return bytes;
}

bool writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// A sample file cut around its "-start-" line: the header lines before it,
// the marker line itself, the data part and the line ending the file uses.
struct SplitFile {
  std::string header;
  std::string marker;
  std::string data;
  std::string eol;
};

std::optional<SplitFile> splitAtMarker(const std::string& bytes) {
  const std::size_t marker = bytes.find("-start-");
  if (marker == std::string::npos)
    return std::nullopt;
  const std::size_t lineStart = bytes.rfind('\n', marker);
  const std::size_t markerStart = lineStart == std::string::npos ? 0 : lineStart + 1;
  std::size_t dataStart = bytes.find('\n', marker);
  dataStart = dataStart == std::string::npos ? bytes.size() : dataStart + 1;
  const bool crlf = bytes.find("\r\n") != std::string::npos;
  SplitFile split{bytes.substr(0, markerStart), bytes.substr(markerStart, dataStart - markerStart),
                  bytes.substr(dataStart), crlf ? "\r\n" : "\n"};
  if (!split.data.empty() && split.data.back() != '\n')
    split.data += split.eol;
  return split;
}

// Calls `each` with every line of `text`, without its line ending.
template <typename Each>
void forEachLine(std::string_view text, Each each) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    each(line);
    if (end == std::string_view::npos)
      break;
    text.remove_prefix(end + 1);
  }
}

std::vector<std::string_view> tokens(std::string_view line) {
  std::vector<std::string_view> result;
  std::size_t pos = 0;
  while (pos < line.size()) {
    const std::size_t start = line.find_first_not_of(' ', pos);
    if (start == std::string_view::npos)
      break;
    const std::size_t end = std::min(line.find(' ', start), line.size());
    result.push_back(line.substr(start, end - start));
    pos = end;
  }
  return result;
}

// The data part with kLongNamePrefix inserted after every opening quote.
// Names are quoted in pairs in the slot files, so the odd quotes open them.
std::string withLongNames(const SplitFile& file) {
  std::string out;
  int lineNumber = 0;
  forEachLine(file.data, [&](std::string_view line) {
    const std::string_view prefix =
        ++lineNumber % kSpacedLineEvery == 0 ? kSpacedNamePrefix : kLongNamePrefix;
    bool opening = true;
    for (const char c : line) {
      out += c;
      if (c == '"') {
        if (opening)
          out += prefix;
        opening = !opening;
      }
    }
    out += file.eol;
  });
  return out;
}

// The sample's header with many more lines, one of them longer than the line
// buffer, which the reader delivers in pieces; then the marker line.
std::string longHeader(const SplitFile& file) {
  std::string lines = file.header;
  for (int i = 0; i < kExtraHeaderLines; ++i) {
    lines += "Magyar\xE1zat   " + std::to_string(i) +
             ".   sora:   a   fejl\xE9"
             "cet   a   program   sorr\xF3l   sorra   \xE1tugorja" +
             file.eol;
  }
  lines += std::string(12000, '=') + file.eol;
  return lines + file.marker;
}

// Slot files: the early copies fill every slot with long names, the final
// copy overwrites each slot with the sample's own line.
std::string largeSlotFile(const SplitFile& file) {
  std::string out = file.header + file.marker;
  const std::string early = withLongNames(file);
  for (int copy = 0; copy < kSlotFileCopies; ++copy)
    out += early;
  out += file.data;
  return out;
}

// Extra types with ids no random item names, then the sample's types, then
// records with the sample's ids (and counts) but other amounts, which a
// lookup must never return.
std::string largeTypeFile(const SplitFile& file) {
  std::string out = longHeader(file);
  for (int i = 0; i < kExtraTypes; ++i) {
    const int lineCount = 1 + i % 6;
    out += std::to_string(kExtraTypeIdBase + i) + file.eol + std::to_string(lineCount) + file.eol;
    for (int line = 0; line < lineCount; ++line) {
      for (int grade = 0; grade < 15; ++grade) {
        out += std::to_string((i * 7 + line * 13 + grade * 3) % 200 - 50);
        out += grade < 14 ? " " : file.eol;
      }
    }
    out += file.eol;
  }
  out += file.data;
  forEachLine(file.data, [&](std::string_view line) {
    if (tokens(line).size() < 2) {
      out += line;  // an id or a count line
    } else {
      for (int grade = 0; grade < 15; ++grade)
        out += grade < 14 ? "99 " : "99";
    }
    out += file.eol;
  });
  return out;
}

// Extra changes for prefix and kind pairs that no item has, then the
// sample's changes, then records with the sample's pairs but other targets,
// which never apply because an earlier record has the same pair.
std::string largeChangeFile(const SplitFile& file) {
  std::string out = longHeader(file);
  for (int i = 0; i < kExtraChanges; ++i) {
    // Kinds from 14 up: no standard item has one.
    const int number = 1450 + 450 * (i % 63) + i % 450;
    const int kind = 14 + i / 63;
    out += std::to_string(number) + " " + std::to_string(kind) + " " + std::to_string(i % 110) +
           " " + std::to_string(1 + i % 5) +
           (i % kSpacedLineEvery == 0 ? "    ezt   a   sort   egyetlen   t\xE1rgy   sem"
                                      : " ezt a sort egyetlen t\xE1rgy sem haszn\xE1lja") +
           file.eol;
  }
  out += file.data;
  forEachLine(file.data, [&](std::string_view line) {
    const std::vector<std::string_view> fields = tokens(line);
    if (fields.size() < 2)
      return;
    out += std::string(fields[0]) + " " + std::string(fields[1]) + " 0 7 ism\xE9tl\xE9s" + file.eol;
  });
  return out;
}

}  // namespace

DataFileSet DataSetFiles::names() const {
  return DataFileSet::namedBy(
      [this](DataFile file) { return (folder / dataFileName(file)).string(); });
}

std::vector<std::string> DataSetFiles::readFiles() const {
  const DataFileSet files = names();
  std::vector<std::string> paths;
  for (const DataFile file : kReadFiles)
    paths.push_back(files[file]);
  return paths;
}

std::uintmax_t DataSetFiles::readBytes() const {
  std::uintmax_t total = 0;
  for (const std::string& file : readFiles()) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error)
      total += size;
  }
  return total;
}

DataSetFiles dataSetIn(const std::filesystem::path& dataDir) {
  return {dataDir};
}

bool loadDataSet(ItemDatabase& db, const DataSetFiles& files, std::string& error) {
  if (db.loadAll(files.names()))
    return true;
  error = db.lastError().value_or("the data set could not be loaded");
  return false;
}

bool writeLargeDataSet(const std::filesystem::path& sampleDir, const std::filesystem::path& outDir,
                       std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) {
    error = "cannot create " + outDir.string() + ": " + ec.message();
    return false;
  }
  const auto makerOf = [](DataFile file) {
    return file == DataFile::kTypes     ? largeTypeFile
           : file == DataFile::kChanges ? largeChangeFile
                                        : largeSlotFile;
  };
  for (const DataFile file : kReadFiles) {
    const std::string_view name = dataFileName(file);
    const std::filesystem::path from = sampleDir / name;
    const std::optional<std::string> bytes = readBytes(from);
    if (!bytes) {
      error = "cannot read " + from.string();
      return false;
    }
    const std::optional<SplitFile> split = splitAtMarker(*bytes);
    if (!split) {
      error = from.string() + " has no -start- line";
      return false;
    }
    const std::filesystem::path to = outDir / name;
    if (!writeBytes(to, makerOf(file)(*split))) {
      error = "cannot write " + to.string();
      return false;
    }
  }
  // Never opened by the loaders, but part of a complete set.
  const std::filesystem::path reserved = outDir / dataFileName(DataFile::kSpecItems);
  if (!writeBytes(reserved, "-start-\r\n")) {
    error = "cannot write " + reserved.string();
    return false;
  }
  return true;
}

}  // namespace tamrix::bench
