#include <gtest/gtest.h>

#include <string>

#include "database/item_database.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

struct Counts {
  int32_t spec, skill, std, group, type, rnd, change;
  bool operator==(const Counts&) const = default;
};

// A Data folder with a small valid file set; tests then spoil one file.
class LoadAllTest : public ::testing::Test {
 protected:
  LoadAllTest() { writeGoodFiles(); }

  void writeGoodFiles() {
    write("skill.txt", "0 0 \"S0\"\n");
    write("stditem.txt", "1000 11 1 2 3 4 5 \"Kard\" \"Kardj\"\n");
    write("type.txt", "5\n1\n1 2 3\n");
    write("rnditem.txt", "#1450\n\"\xE9les\"\n5\n3\n");
    write("change.txt", "1450 11 -1 2\n");
  }

  void write(const std::string& name, const std::string& data) {
    dir.write("Data/" + name, "header\r\n-start-\r\n" + data);
  }

  bool loadAll() {
    return db.loadAll("Data\\stditem.txt", "Data\\specitem.txt", "Data\\skill.txt",
                      "Data\\rnditem.txt", "Data\\type.txt", "Data\\change.txt");
  }

  Counts counts() const {
    return {db.specItemCount, db.skillCount,   db.stdItemCount, db.groupSize,
            db.typeCount,     db.rndItemCount, db.changeCount};
  }

  TempDir dir;
  ScopedCurrentDir cwd{dir.path()};
  ItemDatabase db;
};

TEST_F(LoadAllTest, LoadsEveryTable) {
  ASSERT_TRUE(loadAll()) << db.lastError.value_or("");
  EXPECT_EQ(counts(), (Counts{1000, 110, 450, 15, 1, 64, 1}));
  EXPECT_EQ(db.lastError, std::nullopt);
  EXPECT_EQ(db.rndItems[1].name, "\xE9les");
  EXPECT_EQ(db.findChange(1, 11)->skillIndex, -1);
}

// Each row spoils one file; the loaders after it do not run.
TEST_F(LoadAllTest, StopsAtTheFirstFailure) {
  struct Row {
    const char* file;
    const char* data;  // nullptr: the file is removed
    const char* error;
    Counts counts;
  };
  const Row rows[] = {
      {"skill.txt", "x\n", "Data\\skill.txt : x", {1000, 110, 0, 0, 0, 0, 0}},
      {"stditem.txt",
       nullptr,
       "Data\\stditem.txt : a f\xE1jl nem nyithat\xF3 meg",
       {1000, 110, 450, 15, 0, 0, 0}},
      {"type.txt", "1\n", "Data\\type.txt : ", {1000, 110, 450, 15, 0, 0, 0}},
      {"rnditem.txt", "#1450\n\"a\"\n6\n", "Data\\rnditem.txt : 6", {1000, 110, 450, 15, 1, 64, 0}},
      {"change.txt", "1450 x\n", "Data\\change.txt : x", {1000, 110, 450, 15, 1, 64, 0}},
  };
  for (const Row& row : rows) {
    writeGoodFiles();
    ItemDatabase fresh;
    if (row.data == nullptr)
      std::filesystem::remove("Data/" + std::string(row.file));
    else
      write(row.file, row.data);
    EXPECT_FALSE(fresh.loadAll("Data\\stditem.txt", "Data\\specitem.txt", "Data\\skill.txt",
                               "Data\\rnditem.txt", "Data\\type.txt", "Data\\change.txt"))
        << row.file;
    EXPECT_EQ(fresh.lastError, row.error) << row.file;
    const Counts got{fresh.specItemCount, fresh.skillCount,   fresh.stdItemCount, fresh.groupSize,
                     fresh.typeCount,     fresh.rndItemCount, fresh.changeCount};
    EXPECT_EQ(got, row.counts) << row.file;
  }
}

TEST_F(LoadAllTest, FilesThatCannotBeUsed) {
  struct Row {
    std::string bytes;
    const char* error;
  };
  const Row rows[] = {
      {"0 0 \"a\"\n", "Data\\skill.txt : hi\xE1nyzik a -start- sor"},
      {"", "Data\\skill.txt : hi\xE1nyzik a -start- sor"},
      {"-start\x1A-\n", "Data\\skill.txt : hi\xE1nyzik a -start- sor"},
  };
  for (const Row& row : rows) {
    dir.write("Data/skill.txt", row.bytes);
    EXPECT_FALSE(loadAll()) << row.bytes;
    EXPECT_EQ(db.lastError, row.error) << row.bytes;
  }
  std::filesystem::remove("Data/skill.txt");
  std::filesystem::create_directory("Data/skill.txt");
  EXPECT_FALSE(loadAll());
  EXPECT_EQ(db.lastError, "Data\\skill.txt : a f\xE1jl nem nyithat\xF3 meg");
}

}  // namespace
}  // namespace tamrix::test
