// What the dialog's two fields show, and how a typed number is read.
#include "app/dialog_logic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "decoder/decoder_fixture.h"

namespace tamrix::test {
namespace {

TEST(ReadNumberFieldTest, BlanksAnOptionalMinusAndDigits) {
  const std::pair<const char*, int32_t> rows[] = {{"2385", 2385},
                                                  {" \t2385 \t", 2385},
                                                  {"12\r", 12},
                                                  {"12 \r", 12},
                                                  {" -12\r", -12},
                                                  {"007", 7},
                                                  {"2147483647", INT32_MAX},
                                                  {"-2147483648", INT32_MIN},
                                                  // Everything else reads as 0.
                                                  {"", 0},
                                                  {"  ", 0},
                                                  {"+5", 0},
                                                  {"-", 0},
                                                  {"--5", 0},
                                                  {"- 5", 0},
                                                  {"12a", 0},
                                                  {"1 2", 0},
                                                  {"12\r\r", 0},
                                                  {"\r12", 0},
                                                  {"2147483648", 0},
                                                  {"-2147483649", 0},
                                                  {"99999999999999999999999", 0}};
  for (const auto& [field, value] : rows)
    EXPECT_EQ(readNumberField(field), value) << field;
}

TEST(FirstLineTest, EndsAtTheFirstLineFeed) {
  const std::pair<const char*, const char*> rows[] = {
      {"", ""}, {"abc", "abc"}, {"a\nb\nc", "a"}, {"\nb", ""}};
  for (const auto& [text, line] : rows)
    EXPECT_EQ(firstLine(text), line) << text;
}

using AnswerCommandTest = DecoderTest;

TEST_F(AnswerCommandTest, FillsTheTwoFields) {
  setStdItem(15, "Pajzs", 3);
  const std::string header = "A t\xE1rgy t\xE1pjai :\n";
  const std::tuple<int32_t, std::string, std::string> rows[] = {
      {0, "", "Ertelmetlen szam"},
      {999, "", ""},
      {1464, "K\xE1osz t\xE1rgy!", ""},  // no line feed: all in the name field
      {1015, "Pajzs\n" + header, header}};
  for (const auto& [number, name, description] : rows) {
    const DialogAnswer answer = answerCommand(db, number);
    EXPECT_EQ(answer.nameField, name) << number;
    EXPECT_EQ(answer.descriptionField, description) << number;
  }
}

}  // namespace
}  // namespace tamrix::test
