// Fuzzes the whole load: one input is cut at every "@@@@" into the skill,
// standard item, type, random item and change files (in load order), which
// the loaders read from memory; a piece that the input does not reach
// leaves its file missing. After a successful load every item number is
// described and the authoring tools read the same tables (warnings, item
// explanations); after a failure, the notes that trace it back. The
// sanitizers watch all of it.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "authoring/data_warnings.h"
#include "authoring/explain_item.h"
#include "authoring/wording.h"
#include "database/item_database.h"
#include "decoder/describe.h"
#include "test_support.h"

namespace {

constexpr std::string_view kSeparator = "@@@@";

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "load_all_fuzzer: %s\n", what);
  std::abort();
}

// The pieces of `input` by file name; the files beyond the last piece are missing.
std::map<std::string, std::string> dataFiles(std::string_view input) {
  std::map<std::string, std::string> files;
  // The pieces come in load order.
  for (const tamrix::DataFile file : tamrix::kReadFiles) {
    const std::size_t cut = input.find(kSeparator);
    files[std::string(tamrix::dataFileName(file))] = std::string(input.substr(0, cut));
    if (cut == std::string_view::npos)
      break;
    input.remove_prefix(cut + kSeparator.size());
  }
  return files;
}

const tamrix::DataFileSet kNames = tamrix::DataFileSet::inFolder("");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::map<std::string, std::string> files =
      dataFiles(std::string_view(reinterpret_cast<const char*>(data), size));
  const tamrix::FileReader readFile = tamrix::test::memoryFiles(files);
  tamrix::ItemDatabase db(readFile);
  if (!db.loadAll(kNames)) {
    // Every failure names the file of its place before the rejected text.
    if (!db.lastError() || !db.lastFailure() ||
        db.lastError()->rfind(db.lastFailure()->fileName + " : ", 0) != 0)
      fail("a failed load left no error text, or one that names another file");
    // Line 0 is the file as a whole, as for a note on its encoding.
    for (const tamrix::DataNote& note : tamrix::findLoadFailureNotes(db, kNames, readFile))
      if (note.where.line < 0 || note.where.column < 0)
        fail("a note on a failed load with a negative line or column");
    return 0;
  }
  for (const tamrix::DataWarning& warning : tamrix::findDataWarnings(db, kNames, readFile).kept) {
    if (!tamrix::findCodeWording(warning.codeName()) || warning.line < 0 || warning.column < 0)
      fail("a warning with an unknown code, or a negative line or column");
  }
  // Every number is described, and a sample explained, under the sanitizers.
  std::string text;
  for (int32_t number = tamrix::kFirstItemNumber - 1; number <= tamrix::kEndItemNumber; ++number)
    tamrix::describeItem(db, number, text);
  for (int32_t number = tamrix::kFirstItemNumber; number < tamrix::kEndItemNumber; number += 37)
    tamrix::explainItem(db, kNames, number);
  return 0;
}
