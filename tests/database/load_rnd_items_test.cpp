#include <gtest/gtest.h>

#include <array>

#include "database_fixture.h"

namespace tamrix::test {
namespace {

class RndItemsTest : public LoaderTest {
 protected:
  // Type 5 has two amount lines, type 9 none (it still takes one value line).
  RndItemsTest() { EXPECT_TRUE(load(&ItemDatabase::loadTypes, "5\n2\n1\n2\n9\n0\n1\n")); }
};

TEST_F(RndItemsTest, EntriesFillTheirSlots) {
  struct Row {
    const char* data;
    int32_t slot;
    const char* name;
    int32_t typeId;
    std::array<int32_t, 6> skills;
  };
  const Row rows[] = {
      {"#1450\n\"\xC9les\"\n5\n3\n\n7", 1, "\xC9les", 5, {3, 7}},
      {"11899\n x\"A\" \n5\n0\n12 words", 1, "A", 5, {0, 12}},  // the marker may be a digit
      {"#1000\n\"a\"b\"c\"\n5\n007\n-1", 0, "a\"b\"c", 5, {7, -1}},
      {"#551\n\"\"\n9\n4\n#1450", 0, "", 9, {4}},
      {"#29799\n\"z\"", 63, "z", 0, {}},         // ends after the name line
      {"#29350\n\"z\"\n5\n8", 63, "z", 5, {8}},  // ends inside the value lines
      {"#1450\n\"a\"\n5\n1\n2\n#1460\n\"b\"\n9\n3", 1, "b", 9, {3, 2}},  // a later entry overwrites
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(load(&ItemDatabase::loadRndItems, row.data)) << row.data << " " << error();
    const auto slot = static_cast<std::size_t>(row.slot);
    EXPECT_EQ(db.rndItemPresent[slot], 1) << row.data;
    EXPECT_EQ(db.rndItems[slot].name, row.name) << row.data;
    EXPECT_EQ(db.rndItems[slot].typeId, row.typeId) << row.data;
    EXPECT_EQ(db.rndItems[slot].skillIndex, row.skills) << row.data;
  }
}

TEST_F(RndItemsTest, EndOfFileBeforeTheNameLeavesTheSlotEmpty) {
  ASSERT_TRUE(load(&ItemDatabase::loadRndItems, "#1450\n"));
  EXPECT_EQ(db.rndItemCount, 64);
  EXPECT_EQ(db.rndItemPresent, std::vector<uint8_t>(64, 0));
}

TEST_F(RndItemsTest, Failures) {
  struct Row {
    const char* data;
    const char* error;
  };
  const Row rows[] = {
      {"#1450\nno quote", "no quote"},
      {"#1450\nab\"cd", "ab"},
      {"#1450\n\"a\"\n0", "0"},
      {"#1450\n\"a\"\nx5", "x5"},
      {"#1450\n\"a\"\n77", "77"},  // no such type
      {"#1450\n\"a\"\n5\nx", "x"},
      {"#1450\n\"a\"\n5\n1\n-0", "-0"},
      // Number lines that give no slot.
      {"#550\n\"a\"", "#550"},
      {"#29800\n\"a\"", "#29800"},
      {" 1450\n\"a\"", "1450"},  // blanks go first: reads 450
      {"#\n\"a\"", "#"},
      {"#-2147483648", "#-2147483648"},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(load(&ItemDatabase::loadRndItems, row.data)) << row.data;
    EXPECT_EQ(error(), row.error) << row.data;
  }
}

TEST_F(RndItemsTest, FailureKeepsWhatWasStored) {
  EXPECT_FALSE(load(&ItemDatabase::loadRndItems, "#1450\n\"a\"\n5\n1\n2\n#1900\n\"b\"\n77"));
  EXPECT_EQ(db.rndItems[1].skillIndex[1], 2);
  EXPECT_EQ(db.rndItemPresent[2], 1);  // named before its type was rejected
  EXPECT_EQ(db.rndItems[2].typeId, 77);
}

TEST(RndItemsWithoutTables, FailsInsteadOfDividingByZero) {
  TempDir dir;
  ItemDatabase db;
  const std::string file = dir.write("r.txt", "-start-\n#1450\n");
  EXPECT_FALSE(db.loadRndItems(file));
  EXPECT_EQ(db.lastError, file + " : #1450");
}

}  // namespace
}  // namespace tamrix::test
