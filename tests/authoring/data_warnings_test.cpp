// The warnings for data that loads but does not read as its author meant.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/dialog_logic.h"
#include "authoring/data_warnings.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

const std::string kAmounts = "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";

// A complete set without warnings, line by line after each "-start-": skills
// 0 and 6; all 450 standard items of kind 2 (no numbers of their own); type
// 9; all 63 prefixes on type 9 and skill 0 (prefix p on lines 4p-2 to 4p+1).
struct SetLines {
  std::vector<std::string> skills{"0 0 \"S0\"", "6 0 \"S6\""};
  std::vector<std::string> stdItems;
  std::vector<std::string> types{"9", "1", kAmounts};
  std::vector<std::string> rndItems;
  std::vector<std::string> changes;

  SetLines() {
    for (int slot = 0; slot < 450; ++slot)
      stdItems.push_back(std::to_string(1000 + slot) +
                         (slot % 15 == 0 ? " 2 \"base\" \"pbase\"" : " 2 \"grade \""));
    for (int prefix = 1; prefix <= 63; ++prefix)
      for (const std::string& line : {"#" + std::to_string(1000 + 450 * prefix),
                                      std::string("\"p\""), std::string("9"), std::string("0")})
        rndItems.push_back(line);
  }
};

std::string fileText(const std::vector<std::string>& lines) {
  std::string text = "-start-\n";
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

const DataFileNames kNames{"std", "skill", "type", "rnd", "change"};

// The warnings of `set`; the warnings' pass reads the files again without
// `gone`.
std::vector<DataWarning> warningsOf(const SetLines& set, const std::string& gone = "") {
  std::map<std::string, std::string> texts = {{"skill", fileText(set.skills)},
                                              {"std", fileText(set.stdItems)},
                                              {"type", fileText(set.types)},
                                              {"rnd", fileText(set.rndItems)},
                                              {"change", fileText(set.changes)}};
  ItemDatabase db(memoryFiles(texts));
  EXPECT_TRUE(db.loadAll("std", "spec", "skill", "rnd", "type", "change")) << *db.lastError();
  texts.erase(gone);
  return findDataWarnings(db, kNames, memoryFiles(texts));
}

struct WarningCase {
  const char* code;
  const char* file;
  int32_t line;  // 0: the file as a whole
  std::function<void(SetLines&)> edit;
};

// Each edit of the clean set raises exactly one warning.
const std::vector<WarningCase>& warningCases() {
  static const std::vector<WarningCase> cases = {
      {"type-id-repeated", "type", 5,
       [](SetLines& s) {
         s.types.insert(s.types.end(), {"9", "1", kAmounts});
       }},
      {"change-hidden", "change", 3,
       [](SetLines& s) {
         s.changes.insert(s.changes.end(), {"1450 2 0 1", "1899 2 6 2"});
       }},
      {"prefix-skill-outside", "rnd", 6, [](SetLines& s) { s.rndItems[7] = "113"; }},
      {"change-target-outside", "change", 2,
       [](SetLines& s) { s.changes.push_back("1900 2 -114 1"); }},
      // Prefix 63's entry ends before its type line.
      {"prefix-type-missing", "rnd", 250,
       [](SetLines& s) { s.rndItems.resize(s.rndItems.size() - 2); }},
      {"std-slot-empty", "std", 0, [](SetLines& s) { s.stdItems.erase(s.stdItems.begin() + 7); }},
      {"prefix-slot-empty", "rnd", 0,
       [](SetLines& s) { s.rndItems.erase(s.rndItems.begin() + 8, s.rndItems.begin() + 12); }},
      {"bonus-to-empty-skill", "std", 452,
       [](SetLines& s) { s.stdItems.push_back("1001 1 5 0 \"grade \""); }},
      {"amount-line-long", "type", 7,
       [](SetLines& s) {
         s.types.insert(s.types.end(), {"2", "1", kAmounts + " 1"});
       }},
      {"type-short", "type", 5,
       [](SetLines& s) {
         s.types.insert(s.types.end(), {"2", "2", kAmounts});
       }},
      {"kind-out-of-range", "std", 452, [](SetLines& s) { s.stdItems.push_back("1015 99 \"x\""); }},
      {"utf8-text", "skill", 4, [](SetLines& s) { s.skills.push_back("7 0 \"er\xC5\x91\""); }},
      {"empty-table", "skill", 1, [](SetLines& s) { s.skills.clear(); }},
      {"empty-table", "rnd", 1, [](SetLines& s) { s.rndItems.clear(); }},
  };
  return cases;
}

std::string codesOf(const std::vector<DataWarning>& warnings) {
  std::string codes;
  for (const DataWarning& w : warnings)
    codes += w.code + " " + w.where.fileName + ":" + std::to_string(w.where.line) + " " +
             w.message + "\n";
  return codes;
}

TEST(DataWarningsTest, CleanSetHasNone) {
  EXPECT_EQ(codesOf(warningsOf(SetLines())), "");
}

TEST(DataWarningsTest, SampleSetHasNone) {
  ScopedCurrentDir inSample(sampleDataDir().parent_path());
  ItemDatabase db;
  ASSERT_TRUE(loadDataFiles(db));
  const DataFileNames names{kStdItemFile, kSkillFile, kTypeFile, kRndItemFile, kChangeFile};
  EXPECT_EQ(codesOf(findDataWarnings(db, names, readDataFile)), "");
}

TEST(DataWarningsTest, EachEditRaisesItsWarningOnce) {
  for (const WarningCase& c : warningCases()) {
    SetLines set;
    c.edit(set);
    const std::vector<DataWarning> warnings = warningsOf(set);
    ASSERT_EQ(warnings.size(), 1u) << c.code << "\n" << codesOf(warnings);
    EXPECT_EQ(warnings[0].code, c.code);
    EXPECT_EQ(warnings[0].where.fileName, c.file) << c.code;
    EXPECT_EQ(warnings[0].where.line, c.line) << c.code;
  }
}

// One set with every edit that leaves the tables non-empty: every warning
// once, in the order of the files.
TEST(DataWarningsTest, OneSetRaisesEveryWarningOnce) {
  SetLines set;
  std::vector<std::string> expected;
  for (const WarningCase& c : warningCases()) {
    if (std::string(c.code) == "empty-table")
      continue;
    c.edit(set);
    expected.push_back(c.code);
  }
  std::vector<std::string> codes;
  for (const DataWarning& w : warningsOf(set))
    codes.push_back(w.code);
  std::sort(codes.begin(), codes.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(codes, expected);
}

// A file that loaded but cannot be read again is never passed over in silence.
TEST(DataWarningsTest, AFileThatCannotBeReadAgainIsReported) {
  const std::vector<DataWarning> warnings = warningsOf(SetLines(), "type");
  ASSERT_EQ(warnings.size(), 1u) << codesOf(warnings);
  EXPECT_EQ(warnings[0].code, "file-unreadable");
  EXPECT_EQ(warnings[0].where.fileName, "type");
}

// A type with fewer amount lines than its count swallows the next record's
// id as an amount line; the records after it are read out of step.
TEST(DataWarningsTest, TypeShortOfAmountLinesInsideTheFile) {
  SetLines set;
  set.types.insert(set.types.end(), {"2", "2", kAmounts, "5", "1", kAmounts, kAmounts});
  const std::vector<DataWarning> warnings = warningsOf(set);
  ASSERT_EQ(warnings.size(), 1u) << codesOf(warnings);
  EXPECT_EQ(warnings[0].code, "type-short");
  EXPECT_EQ(warnings[0].where.line, 5);
}

}  // namespace
}  // namespace tamrix::test
