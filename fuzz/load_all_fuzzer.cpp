// Fuzzes the whole load: one input is cut at every "@@@@" into the skill,
// standard item, type, random item and change files (in load order), which
// the loaders read from memory; a piece that the input does not reach
// leaves its file missing. After a successful load every item number is
// described and its text checked for what must always hold;
// the authoring tools read the same tables (warnings, item explanations),
// and after a failure the notes that trace it back.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "authoring/data_warnings.h"
#include "authoring/explain_item.h"
#include "authoring/wording.h"
#include "database/item_database.h"
#include "decoder/decode_item.h"
#include "decoder/describe.h"

namespace {

constexpr std::string_view kSeparator = "@@@@";

// In load order, which is also the order of the pieces of an input.
constexpr std::array<const char*, 5> kFileNames = {"skill.txt", "stditem.txt", "type.txt",
                                                   "rnditem.txt", "change.txt"};

[[noreturn]] void fail(const char* what, int32_t number = 0) {
  std::fprintf(stderr, "load_all_fuzzer: %s (number %d)\n", what, number);
  std::abort();
}

// The pieces of `input` by file name; the files beyond the last piece are missing.
std::map<std::string, std::string> dataFiles(std::string_view input) {
  std::map<std::string, std::string> files;
  for (const char* name : kFileNames) {
    const std::size_t cut = input.find(kSeparator);
    files[name] = std::string(input.substr(0, cut));
    if (cut == std::string_view::npos)
      break;
    input.remove_prefix(cut + kSeparator.size());
  }
  return files;
}

const tamrix::DataFileNames kNames{"stditem.txt", "skill.txt", "type.txt", "rnditem.txt",
                                   "change.txt"};

tamrix::FileReader memoryReader(const std::map<std::string, std::string>& files) {
  return [&files](const std::string& name) -> std::optional<std::string> {
    const auto found = files.find(name);
    return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
  };
}

void checkDescription(const tamrix::ItemDatabase& db, int32_t number, std::string& text) {
  tamrix::describeItem(db, number, text);
  // The finished text is normalised (the part of that rule that is cheap to
  // check on every number).
  if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
    fail("the description has a blank at an end", number);
  if (text.find("  ") != std::string::npos)
    fail("the description has a run of blanks", number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::map<std::string, std::string> files =
      dataFiles(std::string_view(reinterpret_cast<const char*>(data), size));
  tamrix::ItemDatabase db(memoryReader(files));
  const bool loaded = db.loadAll("stditem.txt", "specitem.txt", "skill.txt", "rnditem.txt",
                                 "type.txt", "change.txt");
  if (!loaded) {
    // Every failure names its file before the rejected text.
    if (!db.lastError() || db.lastError()->find(" : ") == std::string::npos)
      fail("a failed load left no error text");
    // ... and its place: the file named first in the text.
    if (!db.lastFailure() || db.lastError()->rfind(db.lastFailure()->fileName + " : ", 0) != 0 ||
        db.lastFailure()->line < 0)
      fail("a failed load left no place, or another file than its error text names");
    for (const tamrix::DataNote& note :
         tamrix::findLoadFailureNotes(db, kNames, memoryReader(files)))
      if (note.where.line <= 0 || note.message.empty())
        fail("a note on a failed load names no line");
    return 0;
  }
  if (db.lastError())
    fail("a successful load left an error text");
  for (const tamrix::DataWarning& warning :
       tamrix::findDataWarnings(db, kNames, memoryReader(files))) {
    if (!tamrix::findCodeWording(warning.code) || warning.where.line < 0 ||
        warning.where.column < 0 || (warning.where.line == 0 && warning.where.column != 0))
      fail("a warning with an unknown code, or a negative line or column");
    for (const tamrix::DataNote& note : warning.notes)
      if (note.where.line <= 0)
        fail("a warning's note names no line");
  }

  constexpr int32_t kFirst = tamrix::kFirstItemNumber - 1;
  constexpr int32_t kLast = tamrix::kEndItemNumber;
  std::string text;
  for (int32_t number = kFirst; number <= kLast; ++number)
    checkDescription(db, number, text);
  // The explanation adds up to the decoder's sums (a sample of the numbers).
  for (int32_t number = kFirst; number <= kLast; number += 37) {
    const std::optional<tamrix::ItemDecoding> decoding = tamrix::decodeItem(db, number);
    if (decoding && tamrix::explainItem(db, kNames, number).sums != decoding->sums)
      fail("the explanation's sums differ from the decoder's", number);
  }
  for (const int32_t number : {0, -1, kFirst, kLast, std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::max()}) {
    if (!tamrix::describeItem(db, number).empty())
      fail("a number that is no item has a description", number);
  }
  return 0;
}
