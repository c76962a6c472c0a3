// An item's explanation: every amount with its data line, summing to what
// the decoder sums.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "authoring/explain_item.h"
#include "decoder/describe.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

using Source = Contribution::Source;

const std::string kAmounts4 = "4 4 4 4 4 4 4 4 4 4 4 4 4 4 4\n";
const std::string kAmounts2 = "2 2 2 2 2 2 2 2 2 2 2 2 2 2 2\n";

// Item 2385 (prefix 3, slot 35, group base 30, grade 5): a weapon base, its
// grade with its own numbers, given again by a line of a kind without
// numbers, prefix "éles" on type 9 (4 and 2 at every grade) to skills 3 and
// 7, of which 7 doubles; `changes` is the change file. Lines: skill 7 on 4;
// 1030 on 2, 1035 on 3 and 4; type 9 on 2, its amount lines on 4 and 5;
// prefix 3 on 2, its skill indices on 5 and 6.
DataSetText workedExample(const std::string& changes) {
  DataSetText text;
  text.skills = "3 0 \"S3\"\n6 0 \"S6\"\n7 1 \"S7\"\n";
  text.stdItems =
      "1030 11 0 0 0 0 0 \"N30\" \"W30\"\n1035 11 4 1 1 2 1 \"G35 \"\n1035 2 \"G35 \"\n";
  text.types = "9\n2\n" + kAmounts4 + kAmounts2;
  text.rndItems = "#2350\n\"\xE9les\"\n9\n3\n7\n";
  text.changes = changes;
  return text;
}

const DataFileSet& kNames = shortNames();

// A contribution: its source, the file and line that send it, its amount
// line, the sum it adds to, whether a skill's flag doubles it, and what it
// adds.
using Step =
    std::tuple<Source, std::string, int32_t, int32_t, std::optional<int32_t>, bool, int32_t>;

// With a change record, the explanation also names the skill index lines it
// overrides and the prefix's records that do not apply, and why: another
// kind, an earlier record. The own numbers cite the line that gave them, not
// the one that gave the slot last.
TEST(ExplainItemTest, WorkedExampleWithAndWithoutChangeRecord) {
  const std::vector<Step> ownNumbers = {{Source::kOwnNumber, "std", 3, 0, 6, false, 1},
                                        {Source::kOwnNumber, "std", 3, 0, 7, false, 2},
                                        {Source::kOwnNumber, "std", 3, 0, 110, false, 4},
                                        {Source::kOwnNumber, "std", 3, 0, 111, false, 1},
                                        {Source::kOwnNumber, "std", 3, 0, 112, false, 1}};
  const std::tuple<std::string, std::vector<Step>, std::vector<std::string>> rows[] = {
      {"",
       {{Source::kPrefixSkill, "rnd", 5, 1, 3, false, 4},
        {Source::kPrefixSkill, "rnd", 6, 2, 7, true, 4}},
       {}},
      // The damage bonus is never doubled.
      {"2350 2 3 1\n2350 11 -1 1\n2350 11 5 1",
       {{Source::kChange, "change", 3, 1, 112, false, 4},
        {Source::kChange, "change", 3, 2, 112, false, 2}},
       {"rnd:5", "rnd:6", "change:2 it is for kind 2",
        "change:4 an earlier record for the same prefix and kind applies"}},
      {"2350 11 200 3",
       {{Source::kChange, "change", 2, 1, std::nullopt, false, 0},
        {Source::kChange, "change", 2, 2, std::nullopt, false, 0}},
       {"rnd:5", "rnd:6"}},
  };
  for (const auto& [changes, prefixAmounts, notApplied] : rows) {
    const DataSetText text = workedExample(changes);
    const auto db = loadDataSet(text);
    ASSERT_EQ(db->lastError(), std::nullopt);
    SourceFiles sources(memoryFiles(dataSetFiles(text)));
    const ItemExplanation e = explainItem(*db, kNames, 2385, &sources);
    EXPECT_EQ(std::tie(e.kind, e.groupBase.line, e.ownSlot.line, e.type->line),
              std::make_tuple(11, 2, 4, 2));
    EXPECT_EQ(e.text, describeItem(*db, 2385));
    std::vector<Step> steps;
    for (const Contribution& c : e.contributions) {
      steps.emplace_back(c.source, c.from.fileName, c.from.line, c.amountLine, c.sum,
                         c.doubledBy.has_value(), c.added);
      // An amount cites its line of type 9 and grade 5's column, the sixth
      // number; a doubling cites skill 7's line.
      EXPECT_EQ(c.amountAt.has_value(), c.amountLine != 0) << changes;
      if (c.amountAt) {
        EXPECT_EQ(std::tie(c.amountAt->fileName, c.amountAt->line, c.amountAt->column),
                  std::make_tuple("type", 3 + c.amountLine, 11));
      }
      if (c.doubledBy) {
        EXPECT_EQ(c.doubledBy->line, 4) << changes;
      }
    }
    std::vector<Step> expected = prefixAmounts;
    expected.insert(expected.end(), ownNumbers.begin(), ownNumbers.end());
    EXPECT_EQ(steps, expected) << changes;
    std::vector<std::string> lines;
    for (const SourceLine& line : e.overridden)
      lines.push_back(line.fileName + ":" + std::to_string(line.line));
    for (const ItemExplanation::UnusedChange& other : e.otherChanges)
      lines.push_back("change:" + std::to_string(other.record.line) + " " +
                      other.reason.substr(0, other.reason.find(',')));
    EXPECT_EQ(lines, notApplied) << changes;
  }
}

}  // namespace
}  // namespace tamrix::test
