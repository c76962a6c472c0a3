// An item's explanation: every amount with its data line, summing to what
// the decoder sums.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/dialog_logic.h"
#include "authoring/explain_item.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

using Source = Contribution::Source;

const std::string kAmounts4 = "4 4 4 4 4 4 4 4 4 4 4 4 4 4 4\n";
const std::string kAmounts2 = "2 2 2 2 2 2 2 2 2 2 2 2 2 2 2\n";

// Item 2385 (prefix 3, slot 35, group base 30, grade 5): a weapon base, its
// grade with its own numbers, prefix "éles" on type 9 (4 and 2 at every
// grade) to skills 3 and 7, of which 7 doubles; `changes` is the change file.
// Lines: skill 7 on 4; 1030 on 2, 1035 on 3; type 9 on 2, its amount lines
// on 4 and 5; prefix 3 on 2, its skill indices on 5 and 6.
std::unique_ptr<ItemDatabase> workedExample(const std::string& changes) {
  DataSetText text;
  text.skills = "3 0 \"S3\"\n6 0 \"S6\"\n7 1 \"S7\"\n";
  text.stdItems = "1030 11 0 0 0 0 0 \"N30\" \"W30\"\n1035 11 4 1 1 2 1 \"G35 \"\n";
  text.types = "9\n2\n" + kAmounts4 + kAmounts2;
  text.rndItems = "#2350\n\"\xE9les\"\n9\n3\n7\n";
  text.changes = changes;
  auto db = loadDataSet(text);
  EXPECT_EQ(db->lastError(), std::nullopt);
  return db;
}

const DataFileNames kNames{"std", "skill", "type", "rnd", "change"};

struct Expected {
  Source source;
  const char* file;
  int32_t line;
  int32_t amountLine;
  std::optional<int32_t> sum;
  bool doubled;
  int32_t added;
};

TEST(ExplainItemTest, WorkedExampleWithAndWithoutChangeRecord) {
  const std::vector<Expected> ownNumbers = {{Source::kOwnNumber, "std", 3, 0, 6, false, 1},
                                            {Source::kOwnNumber, "std", 3, 0, 7, false, 2},
                                            {Source::kOwnNumber, "std", 3, 0, 110, false, 4},
                                            {Source::kOwnNumber, "std", 3, 0, 111, false, 1},
                                            {Source::kOwnNumber, "std", 3, 0, 112, false, 1}};
  struct Row {
    std::string changes;
    std::vector<Expected> prefixAmounts;
    const char* text;
  };
  const Row rows[] = {
      {"",
       {{Source::kPrefixSkill, "rnd", 5, 1, 3, false, 4},
        {Source::kPrefixSkill, "rnd", 6, 2, 7, true, 4}},
       "+4 S3 +1 S6 +6% S7 ezzel a fegyverrel! \nsebz\xE9s : 1d4+1"},
      // The damage bonus is never doubled.
      {"2350 2 3 1\n2350 11 -1 1",
       {{Source::kChange, "change", 3, 1, 112, false, 4},
        {Source::kChange, "change", 3, 2, 112, false, 2}},
       "+1 S6 +2% S7 ezzel a fegyverrel! \nsebz\xE9s : 1d4+7"},
      {"2350 11 7 3",
       {{Source::kChange, "change", 2, 1, 7, true, 24},
        {Source::kChange, "change", 2, 2, 7, true, 12}},
       "+1 S6 +38% S7 ezzel a fegyverrel! \nsebz\xE9s : 1d4+1"},
      {"2350 11 200 3",
       {{Source::kChange, "change", 2, 1, std::nullopt, false, 0},
        {Source::kChange, "change", 2, 2, std::nullopt, false, 0}},
       "+1 S6 +2% S7 ezzel a fegyverrel! \nsebz\xE9s : 1d4+1"},
  };
  for (const Row& row : rows) {
    const auto db = workedExample(row.changes);
    const ItemExplanation e = explainItem(*db, kNames, 2385);
    ASSERT_TRUE(e.item.has_value());
    EXPECT_EQ(e.item->prefix, 3);
    EXPECT_EQ(e.item->slot, 35);
    EXPECT_EQ(e.item->groupBase, 30);
    EXPECT_EQ(e.item->grade, 5);
    EXPECT_EQ(e.kind, 11);
    EXPECT_EQ(e.groupBase.line, 2);
    EXPECT_EQ(e.type->line, 2);
    EXPECT_EQ(e.text, "az \xE9les G35 W30\nA t\xE1rgy t\xE1pjai :\n" + std::string(row.text));
    std::vector<Expected> expected = row.prefixAmounts;
    expected.insert(expected.end(), ownNumbers.begin(), ownNumbers.end());
    ASSERT_EQ(e.contributions.size(), expected.size()) << row.changes;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const Contribution& c = e.contributions[i];
      const Expected& want = expected[i];
      EXPECT_EQ(c.source, want.source) << row.changes << " #" << i;
      EXPECT_EQ(c.from.fileName, want.file) << row.changes << " #" << i;
      EXPECT_EQ(c.from.line, want.line) << row.changes << " #" << i;
      EXPECT_EQ(c.amountLine, want.amountLine) << row.changes << " #" << i;
      EXPECT_EQ(c.amountAt ? c.amountAt->line : 0, want.amountLine == 0 ? 0 : 3 + want.amountLine)
          << row.changes << " #" << i;
      EXPECT_EQ(c.sum, want.sum) << row.changes << " #" << i;
      EXPECT_EQ(c.doubledBy.has_value(), want.doubled) << row.changes << " #" << i;
      EXPECT_EQ(c.added, want.added) << row.changes << " #" << i;
      if (c.doubledBy) {
        EXPECT_EQ(c.doubledBy->line, 4) << row.changes << " #" << i;
      }
    }
  }
}

// Each amount of item 2385 cites its own amount line and its grade's column,
// and the skill index line that sends it.
TEST(ExplainItemTest, SampleItemCitesItsAmountAndSkillIndexLines) {
  ScopedCurrentDir inSample(sampleDataDir().parent_path());
  ItemDatabase db;
  ASSERT_TRUE(loadDataFiles(db));
  SourceFiles sources(readDataFile);
  const ItemExplanation e = explainItem(db, dialogFileNames(), 2385, &sources);
  ASSERT_GE(e.contributions.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const Contribution& c = e.contributions[i];
    EXPECT_EQ(c.from.fileName, kRndItemFile);
    EXPECT_EQ(c.from.line, 64 + static_cast<int32_t>(i));
    ASSERT_TRUE(c.amountAt.has_value());
    EXPECT_EQ(c.amountAt->fileName, kTypeFile);
    EXPECT_EQ(c.amountAt->line, 69 + static_cast<int32_t>(i));
    EXPECT_EQ(c.amountAt->column, 11);  // grade 5, the sixth number
  }
}

}  // namespace
}  // namespace tamrix::test
