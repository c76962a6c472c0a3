#include "database/number_field.h"

#include <gtest/gtest.h>

#include <string>

namespace tamrix {
namespace {

TEST(NumberFieldTest, ReadAndCheck) {
  struct Row {
    std::string field;
    int32_t value;
    bool accepted;
  };
  const Row rows[] = {
      {"0abc", 0, true},
      {"007", 7, true},
      {"12abc", 12, true},
      {"-5 x", -5, true},
      {"abc", 0, false},
      {"", 0, false},
      {"-0", 0, false},
      {"+0", 0, false},
      {" 0", 0, false},  // the field's own first character must be the digit
      {" \t\v\f\r\n+12", 12, true},
      {"2147483648", 2147483647, true},
      {"-2147483648", -2147483647 - 1, true},
      {"-99999999999999999999999", -2147483647 - 1, true},
      {"-00000000000000000000000001", -1, true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(readNumber(row.field), row.value) << row.field;
    EXPECT_EQ(passesNumberCheck(row.field, readNumber(row.field)), row.accepted) << row.field;
  }
}

}  // namespace
}  // namespace tamrix
