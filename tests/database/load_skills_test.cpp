#include <gtest/gtest.h>

#include "database_fixture.h"

namespace tamrix::test {
namespace {

using SkillsTest = LoaderTest;

TEST_F(SkillsTest, LinesFillTheirSlots) {
  struct Row {
    const char* data;
    int32_t index;
    const char* name;
    int32_t flag;
  };
  const Row rows[] = {
      {"0 1 \"Er\xF5\"", 0, "Er\xF5", 1},
      {"109 2 \"a\"b\"", 109, "a\"b", 2},  // first to last quote
      {"7 -1 x \"n\" comment", 7, "n", -1},
      {"8 0 \"\"", 8, "", 0},
      {"9abc 0 \"x\"", 9, "x", 0},
      {"  3  0   \"a    b\" ", 3, "a b", 0},
      {"4 1 \"a\"\n4 0 \"b\"", 4, "b", 0},  // the later line wins
      {"5\" 0\"x\"", 5, " 0\"x", 0},        // the name starts at the line's first quote
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(load(&ItemDatabase::loadSkills, row.data)) << row.data << " " << error();
    const auto slot = static_cast<std::size_t>(row.index);
    EXPECT_EQ(db.skillPresent[slot], 1) << row.data;
    EXPECT_EQ(db.skills[slot].name, row.name) << row.data;
    EXPECT_EQ(db.skills[slot].doublingFlag, row.flag) << row.data;
  }
}

TEST_F(SkillsTest, EmptyFileGivesEmptySlots) {
  ASSERT_TRUE(load(&ItemDatabase::loadSkills, "\n   \n"));
  EXPECT_EQ(db.skillCount, 110);
  ASSERT_EQ(db.skills.size(), 110u);
  EXPECT_EQ(db.skillPresent, std::vector<uint8_t>(110, 0));
}

TEST_F(SkillsTest, RejectedLines) {
  struct Row {
    const char* data;
    const char* error;
  };
  const Row rows[] = {
      {"x 1 \"a\"", "x 1 \"a\""},
      {"-0 1 \"a\"", "-0 1 \"a\""},
      {"5", "5"},
      {"5 x \"a\"", "5 x \"a\""},
      {"5 \"a\"", "5 \"a\""},  // the flag is a quote
      {"5 1 a", "5 1 a"},
      {"5\" 1 a", "5\" 1 a"},     // its only quote is before the blank
      {"5 1 a \"b c", "5 1 a "},  // one quote: the text before it
      {"110 1 \"a\"", "110 1 \"a\""},
      {"-1 1 \"a\"", "-1 1 \"a\""},
      {"110", "110"},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(load(&ItemDatabase::loadSkills, row.data)) << row.data;
    EXPECT_EQ(error(), row.error) << row.data;
  }
}

TEST_F(SkillsTest, FailureKeepsEarlierLines) {
  EXPECT_FALSE(load(&ItemDatabase::loadSkills, "1 1 \"a\"\nbad\n2 1 \"b\""));
  EXPECT_EQ(error(), "bad");
  EXPECT_EQ(db.skillPresent[1], 1);
  EXPECT_EQ(db.skillPresent[2], 0);
}

}  // namespace
}  // namespace tamrix::test
