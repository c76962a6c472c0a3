// Where a failed load points the author: the file, the line as stored, and
// the rule.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "authoring/load_error.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

// A set that loads: one skill, one group base, type 1 and prefix 1 on it.
std::map<std::string, std::string> validFiles() {
  return {{"skill", "-start-\n0 0 \"S0\"\n"},
          {"std", "-start-\n1000 2 \"a\" \"b\"\n"},
          {"type", "-start-\n1\n1\n1\n"},
          {"rnd", "-start-\n#1450\n\"p\"\n1\n0\n"},
          {"change", "-start-\n"}};
}

struct BrokenFile {
  const char* name;
  std::string bytes;  // replaces the valid file; empty: the file is missing
  int32_t line;
  LoadFault fault;
};

// A first piece of 4999 bytes that is a valid skill line (text after the
// name's last quote is ignored), so that the rest of line 3 fails on its own.
const std::string kLongSkillLine = "1 0 \"b\"" + std::string(4999 - 7, 'a') + "zzz\n";

TEST(LoadErrorTest, FailedLoadNamesFileLineAndRule) {
  const BrokenFile rows[] = {
      {"skill", "", 0, LoadFault::kCannotOpen},
      {"std", "no marker\n\n", 0, LoadFault::kNoStartLine},
      {"skill", "header\r\nheader\r\n-start-\r\n0 0 \"a\"\r\n\r\n200 0 \"b\"\r\n", 6,
       LoadFault::kSkillIndexOutOfRange},
      {"skill", "-start-\n0 0 \"a\"\n" + kLongSkillLine, 3, LoadFault::kSkillIndexNotNumber},
      {"skill", "-start-\n\n\n7\n", 4, LoadFault::kSkillNoBlank},
      {"skill", "-start-\n7 x \"a\"\n", 2, LoadFault::kSkillFlagNotNumber},
      {"skill", "-start-\n7 1 a \"b c\n", 2, LoadFault::kSkillOneQuote},
      {"std", "-start-\n1000 2 \"a\" \"b\"\n1450 2 \"a\"\n", 3, LoadFault::kStdNumberOutOfRange},
      {"std", "-start-\n1001 11 1 2 \"a\"\n", 2, LoadFault::kStdTooFewNumbers},
      {"std", "-start-\r\n1015 2 \"a\"\r\n", 2, LoadFault::kStdNoPrefixedName},
      // A record cut short by the end of the file: the line where it began.
      {"type", "-start-\n1\n1\n1\n\n5\n", 6, LoadFault::kTypeEndsAfterId},
      {"type", "-start-\n1\n7\n", 3, LoadFault::kTypeTooManyLines},
      {"rnd", "-start-\n#1450\nno quote\n", 3, LoadFault::kRndNoName},
      {"rnd", "-start-\n#1450\n\"p\"\n8\n", 4, LoadFault::kRndTypeUnknown},
      {"rnd", "-start-\n#29800\n", 2, LoadFault::kRndPrefixOutOfRange},
      {"change", "-start-\n1450 2 0 1\n1450 x 5 2\n", 3, LoadFault::kChangeNotNumber},
      {"change", "-start-\n1450\t5\t-1\t2\n", 2, LoadFault::kChangeTooFewNumbers},
  };
  for (const BrokenFile& row : rows) {
    std::map<std::string, std::string> files = validFiles();
    if (row.bytes.empty())
      files.erase(row.name);
    else
      files[row.name] = row.bytes;
    const std::optional<LoadFailure> failure = loadFiles(files)->lastFailure();
    ASSERT_TRUE(failure.has_value()) << row.bytes;
    EXPECT_EQ(std::tie(failure->fileName, failure->line, failure->fault),
              std::tie(row.name, row.line, row.fault))
        << row.bytes;
    EXPECT_FALSE(explainLoadFault(row.fault).empty());
  }
}

}  // namespace
}  // namespace tamrix::test
