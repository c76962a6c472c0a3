// The mechanical repairs: each slip an author's editor makes is undone to
// the byte, and nothing else is touched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/mechanical_fixes.h"
#include "disk/file_bytes.h"
#include "test_support.h"
#include "text/encoding.h"

namespace tamrix::test {
namespace {

const std::string kFile =
    "header\twith a tab, \x84quoted\x94 and\xA0spaced\r\n"
    "-start-\r\n"
    "1000 11 8 1 0 0 40 \"\xE9les kard\" \"kard\"\r\n"
    "1001 11 8 1 0 0 40 \"a\tb\xA0\x84\" \"kard\"\r\n"
    "24 0 \"hidegsebz\xE9s\"\r\n";

// Replaces the first `from` after byte `after` of kFile by `to`.
std::string slip(std::string_view from, std::string_view to, std::size_t after = 0) {
  std::string text = kFile;
  return text.replace(text.find(from, after), from.size(), to);
}

TEST(MechanicalFixesTest, EachSlipIsUndoneToTheByte) {
  const std::size_t data = kFile.find("-start-");
  const std::string utf8Line = cp1250ToUtf8("1000 11 8 1 0 0 40 \"\xE9les kard\" \"kard\"");
  const std::string wholeUtf8 = "\xEF\xBB\xBF" + cp1250ToUtf8(kFile);
  struct Row {
    const char* slip;
    std::string broken;
    int32_t line;
    int32_t column;
  } rows[] = {
      {"a tab between fields", slip("1000 11", "1000\t11"), 3, 5},
      {"a no-break space between fields",
       slip("24 0",
            "24\xA0"
            "0"),
       5, 3},
      {"typographic quotes for a name's", slip("\"hidegsebz\xE9s\"", "\x84hidegsebz\xE9s\x94"), 5,
       6},
      {"a line pasted as UTF-8", slip("1000 11 8 1 0 0 40 \"\xE9les kard\" \"kard\"", utf8Line), 3,
       1},
      {"CR CR LF", slip("-start-\r\n", "-start-\r\r\n"), 2, 8},
      {"a lone CR", slip("\r\n24", "\r24", data), 4, 34},
      {"the whole file in UTF-8", wholeUtf8, 1, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.slip);
    const std::vector<TextFix> fixes = findMechanicalFixes(row.broken);
    ASSERT_FALSE(fixes.empty());
    EXPECT_EQ(std::tuple(fixes[0].line, fixes[0].column), std::tuple(row.line, row.column));
    EXPECT_EQ(applyFixes(row.broken, fixes), kFile);
  }
}

TEST(MechanicalFixesTest, NamesHeadersAndTheTextAfterTheEndStayAsWritten) {
  // kFile's header and its name holding a tab, a no-break space and a
  // typographic quote need no repair; nor does anything after a Ctrl-Z.
  EXPECT_TRUE(findMechanicalFixes(kFile).empty());
  EXPECT_TRUE(findMechanicalFixes(kFile + "\x1A"
                                          "1002\t11\r\r\n")
                  .empty());
  for (const char* name : {"skill.txt", "stditem.txt", "type.txt", "rnditem.txt", "change.txt"}) {
    const std::optional<std::string> sample = readFileBytes(sampleDataDir() / name);
    ASSERT_TRUE(sample);
    EXPECT_TRUE(findMechanicalFixes(*sample).empty()) << name;
  }
}

}  // namespace
}  // namespace tamrix::test
