#include <gtest/gtest.h>

#include <array>
#include <string>

#include "database/item_database.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

// Each row replaces one file of a small valid set (nullptr removes it); the
// loaders after a failing one do not run and keep their counts at 0.
TEST(LoadAllTest, RunsTheLoadersInOrderAndStopsAtTheFirstFailure) {
  struct Row {
    const char* file;
    const char* data;
    const char* error;
    std::array<int32_t, 7> counts;  // special, skill, standard, group, type, random, change
  };
  const char* const kNoFile = " : a f\xE1jl nem nyithat\xF3 meg";
  const Row rows[] = {
      {"", "", nullptr, {1000, 110, 450, 15, 1, 64, 1}},
      {"skill.txt", "-start-\nx", "Data\\skill.txt : x", {1000, 110}},
      {"stditem.txt", nullptr, "Data\\stditem.txt", {1000, 110, 450, 15}},
      {"type.txt", "-start-\n1", "Data\\type.txt : ", {1000, 110, 450, 15}},
      {"rnditem.txt",
       "-start-\n#1450\n\"a\"\n6",
       "Data\\rnditem.txt : 6",
       {1000, 110, 450, 15, 1, 64}},
      {"change.txt",
       "x",
       "Data\\change.txt : hi\xE1nyzik a -start- sor",
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
    if (row.data == nullptr)
      std::filesystem::remove(std::string("Data/") + row.file);
    else if (*row.file)
      dir.write(std::string("Data/") + row.file, row.data);

    ItemDatabase db;
    EXPECT_EQ(db.loadAll("Data\\stditem.txt", "Data\\specitem.txt", "Data\\skill.txt",
                         "Data\\rnditem.txt", "Data\\type.txt", "Data\\change.txt"),
              row.error == nullptr)
        << row.file;
    std::optional<std::string> error;
    if (row.error)
      error = std::string(row.error) + (row.data ? "" : kNoFile);
    EXPECT_EQ(db.lastError, error) << row.file;
    const std::array<int32_t, 7> counts{db.specItemCount, db.skillCount, db.stdItemCount,
                                        db.groupSize,     db.typeCount,  db.rndItemCount,
                                        db.changeCount};
    EXPECT_EQ(counts, row.counts) << row.file;
  }
}

}  // namespace
}  // namespace tamrix::test
