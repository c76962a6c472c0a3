#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "database/item_database.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

// A data file's name may stand for something other than a file; only a
// regular file, reached directly or through a link, is read. A device or a
// pipe fails at once, as a file that cannot be opened, instead of keeping
// the load waiting for input or reading without end.
TEST(HardeningRegressionTest, OnlyARegularFileIsReadAsADataFile) {
  struct Row {
    const char* linkTarget;  // relative to the folder, or absolute
    const char* error;       // nullptr: the load succeeds
  };
  const Row rows[] = {
      {"real-skill.txt", nullptr},
      {"/dev/null", "Data\\skill.txt : a f\xE1jl nem nyithat\xF3 meg"},
  };
  for (const Row& row : rows) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    dir.write("real-skill.txt", "-start-\n3 1 \"S3\"\n");
    std::filesystem::create_directory("Data");
    std::filesystem::create_symlink(std::filesystem::path(row.linkTarget).is_absolute()
                                        ? row.linkTarget
                                        : dir.path() / row.linkTarget,
                                    "Data/skill.txt");

    ItemDatabase db;
    EXPECT_EQ(db.loadSkills("Data\\skill.txt"), row.error == nullptr) << row.linkTarget;
    EXPECT_EQ(db.lastError().value_or(""), row.error ? row.error : "") << row.linkTarget;
    EXPECT_EQ(db.skills().at(3).has_value(), row.error == nullptr) << row.linkTarget;
  }
}

}  // namespace
}  // namespace tamrix::test
