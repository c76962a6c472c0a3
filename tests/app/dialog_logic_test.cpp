// What the dialog's two fields show, and how a typed number is read.
#include "app/dialog_logic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "decoder/decoder_fixture.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

TEST(ReadNumberFieldTest, AcceptsBlanksAroundAnOptionalMinusAndDigits) {
  struct Row {
    std::string field;
    int32_t value;
  };
  const Row rows[] = {
      {"2385", 2385},
      {"  2385  ", 2385},
      {"\t12\t", 12},
      {"12\r", 12},
      {"12 \r", 12},
      {" -12\r", -12},
      {"007", 7},
      {"0", 0},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
  };
  for (const Row& row : rows)
    EXPECT_EQ(readNumberField(row.field), row.value) << row.field;
}

TEST(ReadNumberFieldTest, ReadsEverythingElseAsZero) {
  const char* rejected[] = {
      "",       "   ",  "\r",         "+5",          "-",
      "--5",    "- 5",  "12a",        "1 2",         "0x10",
      "12\r\r", "\r12", "2147483648", "-2147483649", "99999999999999999999999999",
      "\xE9",
  };
  for (const char* field : rejected)
    EXPECT_EQ(readNumberField(field), 0) << field;
}

TEST(FirstLineTest, EndsAtTheFirstLineFeed) {
  struct Row {
    std::string text, line;
  };
  const Row rows[] = {{"", ""}, {"abc", "abc"}, {"a\nb\nc", "a"}, {"\nb", ""}, {"a\n", "a"}};
  for (const Row& row : rows)
    EXPECT_EQ(firstLine(row.text), row.line) << row.text;
}

class AnswerCommandTest : public DecoderTest {
 protected:
  AnswerCommandTest() { setGroupBase(15, "Pajzs", 3); }
};

TEST_F(AnswerCommandTest, FillsTheTwoFields) {
  struct Row {
    int32_t number;
    std::string name, description;
  };
  const std::string header = "A t\xE1rgy t\xE1pjai :\n";
  const Row rows[] = {
      {0, "", "Ertelmetlen szam"},
      {999, "", ""},                     // no item: both fields empty
      {1464, "K\xE1osz t\xE1rgy!", ""},  // no line feed: all in the name field
      {1015, "Pajzs\n" + header, header},
  };
  for (const Row& row : rows) {
    const DialogAnswer answer = answerCommand(db, row.number);
    EXPECT_EQ(answer.nameField, row.name) << row.number;
    EXPECT_EQ(answer.descriptionField, row.description) << row.number;
  }
}

TEST(LoadDataFilesTest, ReadsTheDataFolderOfTheCurrentDirectory) {
  TempDir dir;
  dir.write("Data/skill.txt", "-start-\n");
  dir.write("Data/stditem.txt", "-start-\n1000 3 \"Pajzs\" \"Pajzsa\"\n");
  dir.write("Data/type.txt", "-start-\n");
  dir.write("Data/rnditem.txt", "-start-\n");
  dir.write("Data/change.txt", "-start-\n1450 3 -1 1\n");
  ItemDatabase db;
  {
    ScopedCurrentDir inDir(dir.path());
    ASSERT_TRUE(loadDataFiles(db)) << db.lastError.value_or("");
  }
  EXPECT_EQ(db.stdItemPresent[0], 1);
  EXPECT_EQ(db.changeCount, 1);

  // The special item file is never read; a missing change file fails.
  std::filesystem::remove(dir.path() / "Data" / "change.txt");
  ItemDatabase failed;
  ScopedCurrentDir inDir(dir.path());
  EXPECT_FALSE(loadDataFiles(failed));
  EXPECT_EQ(failed.lastError.value_or(""), "Data\\change.txt : a f\xE1jl nem nyithat\xF3 meg");
}

}  // namespace
}  // namespace tamrix::test
