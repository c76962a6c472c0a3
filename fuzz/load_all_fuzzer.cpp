// Fuzzes the whole load: one input is cut at every "@@@@" into the skill,
// standard item, type, random item and change files (in load order), which
// are written to a private folder; a piece that the input does not reach
// leaves its file missing. After a successful load every item number is
// described and the tables and texts are checked for what must always hold.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "database/item_database.h"

namespace {

constexpr std::string_view kSeparator = "@@@@";

// In load order, which is also the order of the pieces of an input.
constexpr const char* kFileNames[] = {"skill.txt", "stditem.txt", "type.txt", "rnditem.txt",
                                      "change.txt"};
constexpr std::size_t kFileCount = sizeof kFileNames / sizeof kFileNames[0];

[[noreturn]] void fail(const char* what, int32_t number = 0) {
  std::fprintf(stderr, "load_all_fuzzer: %s (number %d)\n", what, number);
  std::abort();
}

// The folder the files are written to: on a memory file system where there
// is one, removed when the fuzzer exits normally.
class ScratchDir {
 public:
  ScratchDir() {
    for (const char* base : {"/dev/shm", "/tmp"}) {
      std::string pattern = std::string(base) + "/tamrix-fuzz-XXXXXX";
      if (mkdtemp(pattern.data()) != nullptr) {
        path_ = pattern;
        return;
      }
    }
    fail("cannot create a scratch folder");
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string file(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

const ScratchDir& scratch() {
  static const ScratchDir dir;
  return dir;
}

void writeFile(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    fail("cannot write a data file");
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written)
    fail("cannot write a data file");
}

// Writes the pieces of `input`; the files beyond the last piece are removed.
void writeDataFiles(std::string_view input) {
  for (std::size_t i = 0; i < kFileCount; ++i) {
    const std::string path = scratch().file(kFileNames[i]);
    if (input.data() == nullptr) {
      std::remove(path.c_str());
      continue;
    }
    const std::size_t cut = input.find(kSeparator);
    writeFile(path, input.substr(0, cut));
    if (cut == std::string_view::npos)
      input = std::string_view();
    else
      input.remove_prefix(cut + kSeparator.size());
  }
}

template <typename Flags>
void checkFixedTable(const Flags& flags, std::size_t slots, int32_t count, std::size_t tableSize) {
  if (count != static_cast<int32_t>(slots) || flags.size() != slots || tableSize != slots)
    fail("a fixed table has the wrong size");
  for (const auto flag : flags)
    if (flag != 0 && flag != 1)
      fail("a presence byte is neither 0 nor 1");
}

void checkLoadedTables(const tamrix::ItemDatabase& db) {
  checkFixedTable(db.specItemPresent, 1000, db.specItemCount, db.specItems.size());
  checkFixedTable(db.skillPresent, 110, db.skillCount, db.skills.size());
  checkFixedTable(db.stdItemPresent, 450, db.stdItemCount, db.stdItems.size());
  checkFixedTable(db.rndItemPresent, 64, db.rndItemCount, db.rndItems.size());
  if (db.groupSize != 15)
    fail("groupSize is not 15");
  if (db.typeCount != static_cast<int32_t>(db.types.size()) ||
      db.changeCount != static_cast<int32_t>(db.changes.size()))
    fail("a growable table's count differs from its records");
  for (const tamrix::TypeEntry& type : db.types)
    if (type.lineCount > tamrix::kTypeMaxLines)
      fail("a type record has more amount lines than it can hold");
  for (std::size_t slot = 0; slot < db.stdItems.size(); ++slot) {
    const bool groupBase = slot % 15 == 0;
    if (db.stdItemPresent[slot] == 1 && db.stdItems[slot].prefixedName.has_value() != groupBase)
      fail("a present standard item has a prefixed name but is no group base, or the reverse");
  }
  if (db.lastError)
    fail("a successful load left an error text");
}

void checkDescription(tamrix::ItemDatabase& db, int32_t number) {
  const char* text = db.describe(number);
  if (text == nullptr || !db.descriptionBuffer || text != db.descriptionBuffer->c_str())
    fail("describe did not return its buffer", number);
  const std::string& buffer = *db.descriptionBuffer;
  if (std::strlen(text) != buffer.size())
    fail("the description holds a NUL byte", number);
  // The finished text is normalised (the normalisation fuzzer checks the
  // rest of that rule; this is the part that is cheap on every number).
  if (!buffer.empty() && (buffer.front() == ' ' || buffer.back() == ' '))
    fail("the description has a blank at an end", number);
  if (buffer.find("  ") != std::string::npos)
    fail("the description has a run of blanks", number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  writeDataFiles(std::string_view(reinterpret_cast<const char*>(data), size));

  tamrix::ItemDatabase db;
  const bool loaded = db.loadAll(scratch().file("stditem.txt"), scratch().file("specitem.txt"),
                                 scratch().file("skill.txt"), scratch().file("rnditem.txt"),
                                 scratch().file("type.txt"), scratch().file("change.txt"));
  if (!loaded) {
    // Every failure names its file before the rejected text.
    if (!db.lastError || db.lastError->find(" : ") == std::string::npos)
      fail("a failed load left no error text");
    return 0;
  }
  checkLoadedTables(db);

  constexpr int32_t kFirst = 999;
  constexpr int32_t kLast = 29800;
  for (int32_t number = kFirst; number <= kLast; ++number)
    checkDescription(db, number);
  for (const int32_t number : {0, -1, kFirst, kLast, std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::max()}) {
    checkDescription(db, number);
    if (!db.descriptionBuffer->empty())
      fail("a number that is no item has a description", number);
  }
  return 0;
}
