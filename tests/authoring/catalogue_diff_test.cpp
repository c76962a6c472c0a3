// What an edit changed: the numbers whose descriptions differ between two sets.
#include <gtest/gtest.h>

#include <string>

#include "authoring/catalogue_diff.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

// Group base 1000 ("Kard") and grade 1001; prefixes 1 and, unless left out,
// 2, each on type 9 to skill 3.
DataSetText smallSet(const std::string& grade, bool prefix2) {
  DataSetText text;
  text.skills = "3 0 \"S3\"\n";
  text.stdItems = "1000 2 \"Kard\" \"kardja\"\n1001 2 \"" + grade + " \"\n";
  text.types = "9\n1\n1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n";
  text.rndItems = "#1450\n\"a\"\n9\n3\n";
  if (prefix2)
    text.rndItems += "#1900\n\"b\"\n9\n3\n";
  return text;
}

TEST(CatalogueDiffTest, ChangedAppearedAndDisappearedInNumberOrder) {
  const auto before = loadDataSet(smallSet("nagy", true));
  const auto after = loadDataSet(smallSet("kis", false));
  const std::vector<CatalogueChange> changes = diffCatalogues(*before, *after);
  // 1001 and 1451 change; prefix 2's block (1900 to 2349) disappears but
  // for its 30 chaos items, which read the same without the prefix's entry.
  ASSERT_EQ(changes.size(), 2u + 420u);
  EXPECT_EQ(changes[0].number, 1001);
  EXPECT_EQ(changes[0].before, "nagy Kard\nA t\xE1rgy t\xE1pjai :\n");
  EXPECT_EQ(changes[0].after, "kis Kard\nA t\xE1rgy t\xE1pjai :\n");
  EXPECT_EQ(changes[1].number, 1451);
  EXPECT_EQ(changes[2].number, 1900);
  EXPECT_EQ(changes[2].after, "");
  EXPECT_TRUE(std::is_sorted(changes.begin(), changes.end(),
                             [](const auto& a, const auto& b) { return a.number < b.number; }));
  // Swapping the sets swaps the sides.
  const std::vector<CatalogueChange> back = diffCatalogues(*after, *before);
  ASSERT_EQ(back.size(), changes.size());
  EXPECT_EQ(back[2].before, "");
  EXPECT_EQ(back[2].after, changes[2].before);
}

// The same edit shows as one group: a grade's name on its own and under
// prefix 1; the numbers of prefix 2 disappear together; a line that changes
// with a name is a part of its own. A list of numbers limits the comparison.
TEST(CatalogueDiffTest, ChangesGroupByWhatTheyLostAndGained) {
  const auto before = loadDataSet(smallSet("nagy", true));
  DataSetText text = smallSet("kis", false);
  text.stdItems += "1005 2 \"x \"\n";
  const auto after = loadDataSet(text);
  const std::vector<ChangeGroup> groups = groupChanges(*after, diffCatalogues(*before, *after));
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].kind, ChangeGroup::Kind::kDisappeared);
  EXPECT_EQ(groups[0].numbers.size(), 420u);
  EXPECT_EQ(groups[0].grades.size(), 14u);  // not the chaos grade
  EXPECT_EQ(groups[0].prefixes, std::vector<int32_t>{2});
  EXPECT_EQ(groups[1].kind, ChangeGroup::Kind::kChanged);
  EXPECT_EQ(groups[1].lost, std::vector<std::string>{"nagy"});
  EXPECT_EQ(groups[1].gained, std::vector<std::string>{"kis"});
  EXPECT_EQ(groups[1].numbers, (std::vector<int32_t>{1001, 1451}));
  EXPECT_EQ(groups[1].grades, std::vector<int32_t>{1});
  EXPECT_EQ(groups[1].prefixes, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(groups[2].lost,
            (std::vector<std::string>{
                "?", "A t\xE1rgy t\xE1pjai (az alapt\xE1rgy b\xF3nuszain fel\xFCl) :"}));
  EXPECT_EQ(groups[2].gained, (std::vector<std::string>{"x", "A t\xE1rgy t\xE1pjai :"}));
  EXPECT_EQ(groups[2].numbers, (std::vector<int32_t>{1005, 1455}));

  const std::vector<CatalogueChange> some = diffCatalogues(*before, *after, {1001, 1002, 1900});
  ASSERT_EQ(some.size(), 2u);
  EXPECT_EQ(some[1].number, 1900);
}

// A bonus or damage line is one part whatever its value: an edit over many
// grades and damage figures is one group, what was lost apart from what
// changed, each value a span over the group.
TEST(CatalogueDiffTest, OneEditOverGradesAndDamageIsOneGroup) {
  DataSetText text;
  text.skills = "3 0 \"S3\"\n";
  text.stdItems = "1000 11 4 1 1 0 0 \"Kard\" \"kardja\"\n1001 11 6 1 2 0 0 \"nagy \"\n";
  text.types = "9\n1\n1 3 1 1 1 1 1 1 1 1 1 1 1 1 1\n";
  text.rndItems = "#1450\n\"a\"\n9\n3\n";
  const auto before = loadDataSet(text);
  text.changes = "1450 11 -1 2\n";
  const auto after = loadDataSet(text);
  const std::vector<ChangeGroup> groups =
      groupChanges(*after, diffCatalogues(*before, *after, {1450, 1451}));
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].lost, std::vector<std::string>{"+1 to +3 S3"});
  EXPECT_TRUE(groups[0].gained.empty());
  ASSERT_EQ(groups[0].changed.size(), 1u);
  EXPECT_EQ(groups[0].changed[0].what, "sebz\xE9s");
  EXPECT_EQ(groups[0].changed[0].before, "1d4+1 to 1d6+2");
  EXPECT_EQ(groups[0].changed[0].after, "1d4+3 to 1d6+8");
  EXPECT_EQ(groups[0].numbers, (std::vector<int32_t>{1450, 1451}));
}

}  // namespace
}  // namespace tamrix::test
