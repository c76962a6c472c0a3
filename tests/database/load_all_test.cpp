#include <gtest/gtest.h>

#include <string>

#include "database/item_database.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

// Each row spoils one file of a small valid set (nullptr removes it, a file
// name turns it into a folder); the loaders after it do not run.
TEST(LoadAllTest, RunsTheLoadersInOrderAndStopsAtTheFirstFailure) {
  struct Row {
    const char* file;
    const char* data;
    const char* error;
    std::array<int32_t, 7> counts;  // spec, skill, std, group, type, rnd, change
  };
  const Row rows[] = {
      {"", "", nullptr, {1000, 110, 450, 15, 1, 64, 1}},
      {"skill.txt", "-start-\nx", "Data\\skill.txt : x", {1000, 110, 0, 0, 0, 0, 0}},
      {"skill.txt", "0 0 \"a\"", "Data\\skill.txt : hi\xE1nyzik a -start- sor", {1000, 110}},
      {"stditem.txt",
       nullptr,
       "Data\\stditem.txt : a f\xE1jl nem nyithat\xF3 meg",
       {1000, 110, 450, 15}},
      {"type.txt", "-start-\n1", "Data\\type.txt : ", {1000, 110, 450, 15, 0, 0, 0}},
      {"rnditem.txt",
       "-start-\n#1450\n\"a\"\n6",
       "Data\\rnditem.txt : 6",
       {1000, 110, 450, 15, 1, 64}},
      {"change.txt",
       "x",
       "Data\\change.txt : hi\xE1nyzik a -start- sor",
       {1000, 110, 450, 15, 1, 64}},
      {"change.txt",
       "folder",
       "Data\\change.txt : a f\xE1jl nem nyithat\xF3 meg",
       {1000, 110, 450, 15, 1, 64}},
  };
  for (const Row& row : rows) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    dir.write("Data/skill.txt",
              "header\r\n-start-\r\n0 0 \"S0\"\r\n\x1A"
              "1");
    dir.write("Data/stditem.txt", "-start-\n1000 11 1 2 3 4 5 \"Kard\" \"Kardj\"");
    dir.write("Data/type.txt", "-start-\n5\n1\n1 2 3\n");
    dir.write("Data/rnditem.txt", "-start-\n#1450\n\"\xE9les\"\n5\n3\n");
    dir.write("Data/change.txt", "-start-\n1450 11 -1 2\n");
    const std::string spoiled = std::string("Data/") + row.file;
    if (row.data == nullptr) {
      std::filesystem::remove(spoiled);
    } else if (std::string(row.data) == "folder") {
      std::filesystem::remove(spoiled);
      std::filesystem::create_directory(spoiled);
    } else if (*row.file) {
      dir.write(spoiled, row.data);
    }
    ItemDatabase db;
    EXPECT_EQ(db.loadAll("Data\\stditem.txt", "Data\\specitem.txt", "Data\\skill.txt",
                         "Data\\rnditem.txt", "Data\\type.txt", "Data\\change.txt"),
              row.error == nullptr)
        << row.file;
    EXPECT_EQ(db.lastError, row.error ? std::optional<std::string>(row.error) : std::nullopt);
    const std::array<int32_t, 7> counts{db.specItemCount, db.skillCount, db.stdItemCount,
                                        db.groupSize,     db.typeCount,  db.rndItemCount,
                                        db.changeCount};
    EXPECT_EQ(counts, row.counts) << row.file;
  }
}

}  // namespace
}  // namespace tamrix::test
