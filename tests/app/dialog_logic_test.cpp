// What the dialog's two fields show, and how a typed number is read.
#include "app/dialog_logic.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace tamrix {
namespace {

TEST(ReadNumberFieldTest, BlanksAnOptionalMinusAndDigits) {
  const std::pair<const char*, int32_t> rows[] = {
      {"2385", 2385}, {" \t2385 \t", 2385}, {"12\r", 12}, {"2147483647", INT32_MAX},
      {"12 \r", 12},  {" -12\r", -12},      {"007", 7},   {"-2147483648", INT32_MIN}};
  for (const auto& [field, value] : rows)
    EXPECT_EQ(readNumberField(field), value) << field;
  for (const char* field : {"", "  ", "+5", "-", "--5", "- 5", "12a", "12:", "1 2", "12\r\r",
                            "\r12", "2147483648", "-2147483649", "99999999999999999999999"})
    EXPECT_EQ(readNumberField(field), 0) << field;
}

TEST(AnswerCommandTest, FillsTheTwoFields) {
  const auto db = test::loadDataSet({});  // empty tables: every name is a placeholder
  const std::string header = "A t\xE1rgy t\xE1pjai (az alapt\xE1rgy b\xF3nuszain fel\xFCl) :\n";
  const std::tuple<int32_t, std::string, std::string> rows[] = {{0, "", "Ertelmetlen szam"},
                                                                {1464, "K\xE1osz t\xE1rgy!", ""},
                                                                {1015, "?\n" + header, header}};
  for (const auto& [number, name, description] : rows) {
    const auto [nameField, descriptionField] = answerCommand(*db, number);
    EXPECT_EQ(std::tie(nameField, descriptionField), std::tie(name, description)) << number;
  }
}

}  // namespace
}  // namespace tamrix
