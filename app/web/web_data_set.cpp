#include "app/web/web_data_set.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "app/dialog_logic.h"
#include "authoring/wording.h"
#include "text/encoding.h"

namespace tamrix::web {

namespace {

// The file name without its folder ("Data\skill.txt" -> "skill.txt").
std::string baseName(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Reads the dialog's data files from a file set: "Data\skill.txt" is the
// file named skill.txt in any letter case; a file the set lacks cannot be
// opened, as on disk.
FileReader readerOf(std::shared_ptr<const FileSet> files) {
  return [files = std::move(files)](const std::string& fileName) -> SharedBytes {
    const auto found = files->find(lowerCase(baseName(fileName)));
    if (found == files->end())
      return nullptr;
    // Lent, not copied: the set lives as long as any reader of its files.
    return SharedBytes(files, &found->second);
  };
}

Json lineNumber(int32_t n) {
  return n > 0 ? Json(n) : Json(nullptr);
}

// "Data/type.txt:69:11", "Data/type.txt:69" or "Data/type.txt".
std::string location(const SourceLine& where) {
  std::string text = where.fileName;
  for (char& c : text)
    c = c == '\\' ? '/' : c;
  text = cp1250ToUtf8(text);
  if (where.line > 0)
    text += ":" + std::to_string(where.line);
  if (where.line > 0 && where.column > 0)
    text += ":" + std::to_string(where.column);
  return text;
}

}  // namespace

std::string lowerCase(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string fingerprintOf(const FileSet& files) {
  // FNV-1a over each read data file's name, size and bytes, in load order.
  uint64_t hash = 14695981039346656037ull;
  const auto add = [&hash](std::string_view bytes) {
    for (const char c : bytes)
      hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  };
  for (const DataFile file : kReadFiles) {
    const std::string name(dataFileName(file));
    const auto found = files.find(name);
    add(name);
    add(found == files.end() ? std::string_view("-") : std::to_string(found->second.size()));
    add(found == files.end() ? std::string_view() : std::string_view(found->second));
  }
  constexpr char kDigits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4)
    text[static_cast<size_t>(i)] = kDigits[hash & 15];
  return text;
}

// {"file","line","column","text"} for each note, in Hungarian.
Json notesAnswer(const std::vector<DataNote>& notes) {
  Json answer = Json::array();
  for (const DataNote& note : notes)
    answer.push_back({{"file", cp1250ToUtf8(note.where.fileName)},
                      {"line", lineNumber(note.where.line)},
                      {"column", lineNumber(note.where.column)},
                      {"text", cp1250ToUtf8(note.hungarian())}});
  return answer;
}

Json loadSet(FileSet files, LoadedSet& loaded) {
  const std::string fingerprint = fingerprintOf(files);
  const FileReader readFile = readerOf(std::make_shared<const FileSet>(std::move(files)));
  auto db = std::make_unique<ItemDatabase>(readFile);
  Json answer;
  if (!loadDataFiles(*db)) {
    const std::optional<LoadFailure>& failure = db->lastFailure();
    answer["ok"] = false;
    answer["error"] = cp1250ToUtf8(db->lastError().value_or(std::string()));
    answer["file"] = failure ? cp1250ToUtf8(failure->fileName) : "";
    answer["line"] = lineNumber(failure ? failure->line : 0);
    answer["reason"] = failure ? loadFaultWording(failure->fault).hungarian : "";
    answer["notes"] = notesAnswer(findLoadFailureNotes(*db, dialogDataFiles(), readFile));
    return answer;
  }
  LoadedSet set;
  WarningWindow listed;
  listed.capacity = kListedWarnings;
  listed.language = WarningLanguage::kHungarian;
  set.warnings = findDataWarnings(*db, dialogDataFiles(), readFile, listed);
  set.readFile = readFile;
  set.catalogue = std::make_unique<Catalogue>(*db);
  set.db = std::move(db);
  set.fingerprint = fingerprint;
  answer["ok"] = true;
  answer["fingerprint"] = fingerprint;
  answer["warnings"] = set.warnings.count;
  answer["first"] = set.catalogue->firstNumber();
  answer["last"] = set.catalogue->lastNumber();
  loaded = std::move(set);
  return answer;
}

Json warningsAnswer(const LoadedSet& set, std::size_t limit) {
  const FoundWarnings& kept = set.warnings;
  // More than the load kept: found again, as many as asked for.
  FoundWarnings more;
  if (limit > kept.kept.size() && kept.kept.size() < kept.count) {
    WarningWindow window;
    window.capacity = limit;
    window.language = WarningLanguage::kHungarian;
    more = findDataWarnings(*set.db, dialogDataFiles(), set.readFile, window);
  }
  const std::vector<DataWarning>& warnings = more.count > 0 ? more.kept : kept.kept;
  Json shown = Json::array();
  for (std::size_t i = 0; i < warnings.size() && i < limit; ++i) {
    const DataWarning& w = warnings[i];
    shown.push_back({{"file", cp1250ToUtf8(dialogDataFiles()[w.file])},
                     {"line", lineNumber(w.line)},
                     {"column", lineNumber(w.column)},
                     {"code", w.codeName()},
                     {"text", cp1250ToUtf8(std::string(w.hungarian()))},
                     {"notes", notesAnswer(w.notes)}});
  }
  return {{"count", kept.count}, {"shown", std::move(shown)}};
}

Json checkRound(LoadedSet& set, bool fromStart, std::size_t roundCapacity) {
  if (fromStart || !set.download) {
    set.download = WarningWindow{};
    set.download->language = WarningLanguage::kEnglish;
    set.download->capacity =
        roundCapacity > 0 ? roundCapacity : roundCapacityFor(set.db->dataSetBytes());
  }
  const FoundWarnings round =
      findDataWarnings(*set.db, dialogDataFiles(), set.readFile, *set.download);
  std::string text;
  for (const DataWarning& w : round.kept) {
    text.append(location(w.where(dialogDataFiles())))
        .append(": warning: ")
        .append(cp1250ToUtf8(w.message()))
        .append(" [")
        .append(w.codeName())
        .append("]\n");
    for (const DataNote& note : w.notes)
      text.append(location(note.where))
          .append(": note: ")
          .append(cp1250ToUtf8(note.message()))
          .append("\n");
  }
  set.download = nextRound(*set.download, round);
  return {{"text", std::move(text)}, {"done", !set.download}};
}

}  // namespace tamrix::web
