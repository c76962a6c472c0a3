// What each line of an edit did, on a realistic rebalance of the sample set.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "authoring/edit_review.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

void replaceOnce(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

// One type's amounts +10%, a prefix renamed, two change records added.
std::map<std::string, std::string> rebalanced() {
  std::map<std::string, std::string> files = sampleFiles();
  replaceOnce(files["type"],
              "\r\n9\r\n2\r\n5 8 10 13 15 18 20 23 25 28 30 33 35 38 40\r\n"
              "2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\r\n",
              "\r\n9\r\n2\r\n6 9 11 14 17 20 22 25 28 31 33 36 39 42 44\r\n"
              "2 3 4 6 7 8 9 10 11 12 13 14 15 17 18\r\n");
  replaceOnce(files["rnd"], "\r\n\"jeges\"\r\n", "\r\n\"z\xFAzmar\xE1s\"\r\n");
  replaceOnce(files["change"], "\r\n2800 1 18 2",
              "\r\n3250 11 -1 1 fagyos\r\n3700 12 -1 1 dermeszt\xF5\r\n2800 1 18 2");
  return files;
}

std::vector<int32_t> numbersOf(const std::vector<CatalogueChange>& changes) {
  std::vector<int32_t> numbers;
  for (const CatalogueChange& c : changes)
    numbers.push_back(c.number);
  return numbers;
}

TEST(EditReviewTest, RebalanceNamesItsThreeCausesAndTheirItems) {
  const std::map<std::string, std::string> old = sampleFiles();
  const std::map<std::string, std::string> now = rebalanced();
  const auto before = loadFiles(old);
  const auto after = loadFiles(now);
  const std::vector<CatalogueChange> changes = diffCatalogues(*before, *after);
  const EditReview review =
      reviewEdit(shortNames(), memoryFiles(old), memoryFiles(now), *before, *after, changes);

  struct Want {
    DataFile file;
    int32_t line;
    const char* record;
    const char* change;
    std::size_t items;
  } const wants[] = {
      // Type 9 is prefixes 13 and 41: 2 × 30 slots × 14 grades (not the
      // chaos grade); on line 2 the first three amounts round to themselves.
      {DataFile::kTypes, 79, "type 9, amount line 1", "amounts +10%", 840},
      {DataFile::kTypes, 80, "type 9, amount line 2", "amounts +10%", 660},
      {DataFile::kRndItems, 68, "prefix 4, name line", "\"jeges\" \u2192 \"z\u00FAzmar\u00E1s\"",
       420},
      // 8 group bases of kind 11 and 4 of kind 12, 14 grades each.
      {DataFile::kChanges, 45, "change record for prefix 5 and kind 11", "added", 112},
      {DataFile::kChanges, 46, "change record for prefix 6 and kind 12", "added", 56},
  };
  ASSERT_EQ(review.places.size(), std::size(wants));
  EXPECT_TRUE(review.together.empty());
  // Each file's places change, alone, exactly the items that the file's edit
  // changes on its own.
  std::map<DataFile, std::set<int32_t>> byFile;
  for (std::size_t i = 0; i < std::size(wants); ++i) {
    const ChangedPlace& place = review.places[i];
    EXPECT_EQ(place.file, wants[i].file);
    EXPECT_EQ(place.lines.newFirst + 1, wants[i].line);
    EXPECT_EQ(place.record, wants[i].record);
    EXPECT_EQ(place.change, wants[i].change);
    EXPECT_EQ(place.numbers.size(), wants[i].items) << place.record;
    byFile[place.file].insert(place.numbers.begin(), place.numbers.end());
  }
  for (const auto& [file, numbers] : byFile) {
    std::map<std::string, std::string> alone = old;
    alone[shortNames()[file]] = now.at(shortNames()[file]);
    const std::vector<int32_t> want = numbersOf(diffCatalogues(*before, *loadFiles(alone)));
    EXPECT_EQ(std::vector<int32_t>(numbers.begin(), numbers.end()), want) << shortNames()[file];
  }
  // Each change record's effect is one group, what was lost apart from the
  // damage line.
  for (const std::size_t i : {3u, 4u}) {
    ASSERT_EQ(review.places[i].groups.size(), 1u);
    const ChangeGroup& group = review.places[i].groups[0];
    EXPECT_EQ(group.lost.size(), 2u);
    ASSERT_EQ(group.changed.size(), 1u);
    EXPECT_EQ(group.changed[0].what, "sebz\xE9s");
  }
}

// Past the bound, neighbouring places of a file are taken together, and
// each still names the items it changes.
TEST(EditReviewTest, TooManyPlacesAreTakenTogether) {
  const std::map<std::string, std::string> old = sampleFiles();
  const std::map<std::string, std::string> now = rebalanced();
  const auto before = loadFiles(old);
  const auto after = loadFiles(now);
  const std::vector<CatalogueChange> changes = diffCatalogues(*before, *after);
  const EditReview review =
      reviewEdit(shortNames(), memoryFiles(old), memoryFiles(now), *before, *after, changes, 3);
  EXPECT_EQ(review.placesFound, 5);
  ASSERT_EQ(review.places.size(), 3u);
  EXPECT_EQ(review.places[0].joined, 2);
  EXPECT_EQ(review.places[0].record, "type 9, amount line 1 to amount line 2");
  EXPECT_EQ(review.places[2].joined, 2);
  std::size_t count = 0;
  for (const ChangedPlace& place : review.places)
    count += place.numbers.size();
  EXPECT_EQ(count, changes.size());  // the three files' edits touch other prefixes
}

// A prefix moved to a type that the same edit adds: alone, the moved type
// line does not load and the added type changes nothing; the items are the
// places' together.
TEST(EditReviewTest, WhatOnlyThePlacesTogetherChange) {
  DataSetText text;
  text.skills = "3 0 \"S3\"\n";
  text.stdItems = "1000 2 \"Kard\" \"kardja\"\n";
  text.types = "9\n1\n1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n";
  text.rndItems = "#1450\n\"a\"\n9\n3\n";
  const std::map<std::string, std::string> old = dataSetFiles(text);
  text.types += "8\n1\n2 2 2 2 2 2 2 2 2 2 2 2 2 2 2\n";
  text.rndItems = "#1450\n\"a\"\n8\n3\n";
  const std::map<std::string, std::string> now = dataSetFiles(text);
  const auto before = loadFiles(old);
  const auto after = loadFiles(now);
  const std::vector<CatalogueChange> changes = diffCatalogues(*before, *after);
  const EditReview review =
      reviewEdit(shortNames(), memoryFiles(old), memoryFiles(now), *before, *after, changes);
  ASSERT_EQ(review.places.size(), 2u);
  EXPECT_EQ(review.places[0].record, "type 8, id line to amount line 1");
  EXPECT_EQ(review.places[0].change, "added 3 lines");
  EXPECT_TRUE(review.places[0].numbers.empty());
  EXPECT_EQ(review.places[1].record, "prefix 1, type line");
  EXPECT_TRUE(review.places[1].loadError);
  std::size_t together = 0;
  for (const ChangeGroup& group : review.together)
    together += group.numbers.size();
  EXPECT_EQ(together, changes.size());
}

}  // namespace
}  // namespace tamrix::test
