// The warnings for data that loads but does not read as its author meant,
// and the notes that trace a failure or a warning back to its cause: each
// slip made once in the sample set.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "authoring/data_warnings.h"
#include "authoring/wording.h"
#include "test_support.h"
#include "text/encoding.h"

namespace tamrix::test {
namespace {

const DataFileSet& kNames = shortNames();

// Replaces every `before` in `text` by `after` when `line` is 0; otherwise
// the first `before` that starts on line `line` (from 1), which must be there.
void edit(std::string& text, int32_t line, const std::string& before, const std::string& after) {
  if (line == 0) {
    for (std::size_t at = text.find(before); at != std::string::npos;
         at = text.find(before, at + after.size()))
      text.replace(at, before.size(), after);
    return;
  }
  std::size_t from = 0;
  for (int32_t l = 1; l < line; ++l)
    from = text.find('\n', from) + 1;
  const std::size_t at = text.find(before, from);
  ASSERT_LT(at, text.find('\n', from)) << "line " << line << " holds no " << before;
  text.replace(at, before.size(), after);
}

std::string listed(const std::vector<DataWarning>& warnings) {
  std::string text;
  for (const DataWarning& w : warnings) {
    text.append(kNames[w.file]).append(":" + std::to_string(w.line) + ":");
    text.append(std::to_string(w.column) + " ").append(w.codeName()).append(" ");
    text.append(w.message()).append("\n");
    for (const DataNote& n : w.notes)
      text += "  note " + n.where.fileName + ":" + std::to_string(n.where.line) + " " +
              std::string(n.message()) + "\n";
  }
  return text;
}

// The numbers of a message, in order of size.
std::vector<std::string_view> numbersOf(std::string_view text) {
  std::vector<std::string_view> numbers;
  for (std::size_t at = text.find_first_of("0123456789"); at != std::string_view::npos;) {
    const std::size_t end = std::min(text.find_first_not_of("0123456789", at), text.size());
    numbers.push_back(text.substr(at, end - at));
    at = text.find_first_of("0123456789", end);
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

// The page shows a warning or note in Hungarian: a text of its own, with the
// numbers of the English one.
void expectOwnHungarian(std::string_view english, std::string_view hungarian) {
  EXPECT_NE(hungarian, english);
  EXPECT_FALSE(hungarian.empty()) << english;
  EXPECT_EQ(numbersOf(hungarian), numbersOf(english)) << english << "\n"
                                                      << cp1250ToUtf8(std::string(hungarian));
}

void expectOwnHungarian(const std::vector<DataWarning>& warnings) {
  for (const DataWarning& w : warnings) {
    expectOwnHungarian(w.message(), w.hungarian());
    for (const DataNote& note : w.notes)
      expectOwnHungarian(note.message(), note.hungarian());
  }
}

std::vector<DataWarning> allWarnings(const ItemDatabase& db,
                                     const std::map<std::string, std::string>& files) {
  return findDataWarnings(db, kNames, memoryFiles(files)).kept;
}

// Nor with LF line ends, letters that are UTF-8 but for an overlong form or
// a surrogate, or a target of -113 (skill 0).
TEST(DataWarningsTest, SampleSetAndItsVariantsHaveNone) {
  const std::pair<std::string, std::string> variants[] = {
      {"", ""}, {"\r\n", "\n"}, {"er\xF5", "\xC0\xAF\xED\xA0\x80"}, {"11 -1 1", "11 -113 1"}};
  for (const auto& [before, after] : variants) {
    std::map<std::string, std::string> files = sampleFiles();
    if (!before.empty())
      for (auto& [name, text] : files)
        edit(text, 0, before, after);
    const auto db = loadFiles(files);
    ASSERT_EQ(db->lastError(), std::nullopt);
    EXPECT_EQ(listed(allWarnings(*db, files)), "") << after;
  }
}

// One slip of the sample set: on line `line` of `file` (every line when 0),
// `before` becomes `after`. It raises exactly one warning, `code`, at
// `atFile`:`atLine`:`atColumn` (0: no line or no column), with a note at
// `noteLine` of the file it names when that is not 0.
struct Slip {
  const char* file;
  int32_t line;
  std::string before;
  std::string after;
  const char* code;
  const char* atFile;
  int32_t atLine;
  int32_t atColumn;
  int32_t noteLine = 0;
  const char* says = "";  // a part of the message
};

TEST(DataWarningsTest, EachSlipWarnsAtItsCause) {
  const std::string weapon = "1035 11 6 2 2 4 60 \"csiszolt \"";
  const std::string type7 = "2 3 4 5 6 7 8 9 10 11 12 13 14 15 16";
  const Slip slips[] = {
      {"std", 83, " 60 ", " 6O ", "number-text", "std", 83, 17},
      {"std", 83, "4 60 ", "4 ", "number-missing", "std", 83, 17},
      {"type", 69, " 15 16", " 15", "amount-line-short", "type", 69, 0},
      {"rnd", 53, "23 t", "23\tt", "tab", "rnd", 53, 3},
      {"skill", 43, "5 0", "5 0 \"karizma\"\r\n5 0", "skill-repeated", "skill", 44, 1, 43},
      {"std", 83, weapon, weapon + "\r\n" + weapon, "std-item-repeated", "std", 84, 1, 83},
      {"rnd", 53, "23 t", "23 t\xFBzsebz\xE9s\r\n#1450\r\n\"l\xE1ngol\xF3\"\r\n5\r\n23 t",
       "prefix-repeated", "rnd", 54, 2, 50},
      {"rnd", 53, "23 t", "110 t", "bonus-to-damage", "rnd", 53, 1},
      {"change", 40, "1450 11 -1 1", "1450 11 112 1", "bonus-to-damage", "change", 40, 9},
      {"change", 40, "1450 11", "1300 11", "change-no-prefix", "change", 40, 1, 0, "block"},
      // Columns count the blanks that normalisation drops.
      {"change", 40, "1450 11 -1 1", "  1450  11  -1  1x", "number-text", "change", 40, 17},
      // A long line comes in pieces of 4999 bytes, each read as a line; the
      // columns of a later one count the bytes before it.
      {"change", 40, "1450 11 -1 1", "1450 11 -1 1" + std::string(4987, ' ') + "1450 2 -1 1x",
       "number-text", "change", 40, 5010},
      // Prefix 63 on type 8 (count on type.txt:73) loses its last skill index line.
      {"rnd", 431, "79 p\xE1nc\xE9lt\xF6r\xE9s", "", "prefix-cut-short", "rnd", 427, 0, 73},
      {"std", 83, "1035 11", "1035 12", "grade-kind-differs", "std", 83, 6},
      {"std", 83, "\"csiszolt \"", "\"csiszolt\"", "name-runs-on", "std", 83, 20},
      {"type", 69, "6 7 8", "6 5 8", "amount-falls", "type", 69, 11},
      {"change", 0, "\r\n", "\r", "cr-line-ends", "change", 1, 36, 0, "without a line feed"},
      {"skill", 38, "er\xF5", "er\xC2\x80\xC5\x91", "utf8-line", "skill", 38, 8},
      // A tab inside the name does not stop the scan; two outside warn once.
      {"skill", 38, "er\xF5\"", "e\tr\xF5\"\t\t", "tab", "skill", 38, 11},
      // The warnings that were there before, at their causes.
      {"type", 170, type7, type7 + "\r\n\r\n5\r\n1\r\n" + type7, "type-id-repeated", "type", 172, 1,
       59},
      {"type", 170, type7, type7 + "\r\n\r\n25\r\n2\r\n" + type7, "type-short", "type", 173, 0},
      {"type", 69, " 16", " 16 17", "amount-line-long", "type", 69, 38},
      {"change", 40, "1450 11 -1 1", "1450 11 -1 1\r\n1450 11 -1 1", "change-hidden", "change", 41,
       0, 40},
      {"rnd", 53, "23 t", "113 t", "prefix-skill-outside", "rnd", 53, 1},
      {"change", 40, "1450 11 -1 1", "1450 11 -114 1", "change-target-outside", "change", 40, 9},
      {"change", 40, "1450 11 -1 1", "1450 11 113 1", "change-target-outside", "change", 40, 9},
      {"change", 40, "1450 11 -1 1", "1450 11 -3 1", "bonus-to-damage", "change", 40, 9},
      // The last slot of each table: a run of empty slots that reaches the end.
      {"std", 524, "1449 8 \"legend\xE1s \"", "", "std-slot-empty", "std", 0, 0},
      {"rnd", 427,
       "#29350\r\n\"kegyetlen\"\r\n8\r\n31 kritikus tal\xE1lat\r\n79 p\xE1nc\xE9lt\xF6r\xE9s", "",
       "prefix-slot-empty", "rnd", 0, 0},
      {"skill", 143, "105 0 \"zsebmetsz\xE9s\"", "", "bonus-to-empty-skill", "rnd", 351, 1},
      {"std", 83, "1035 11", "1035 99", "kind-out-of-range", "std", 83, 6},
  };
  for (const Slip& slip : slips) {
    std::map<std::string, std::string> files = sampleFiles();
    edit(files[slip.file], slip.line, slip.before, slip.after);
    const auto db = loadFiles(files);
    ASSERT_EQ(db->lastError(), std::nullopt) << slip.code;
    const std::vector<DataWarning> warnings = allWarnings(*db, files);
    ASSERT_EQ(warnings.size(), 1u) << slip.code << "\n" << listed(warnings);
    const DataWarning& w = warnings[0];
    EXPECT_EQ(std::make_tuple(std::string(w.codeName()), kNames[w.file], w.line, w.column,
                              w.notes.empty() ? 0 : w.notes[0].where.line),
              std::make_tuple(slip.code, slip.atFile, slip.atLine, slip.atColumn, slip.noteLine))
        << listed(warnings);
    EXPECT_NE(w.message().find(slip.says), std::string::npos) << w.message();
    expectOwnHungarian(warnings);
  }
}

// Slips that loaded in silence before: each is named, among what it may
// bring on further down, at the line and column that the author must edit.
// On line `line` of `file` (-1: at the end of the file) `before` becomes `after`.
TEST(DataWarningsTest, EachSlipOnceSilentIsNamedAtItsPlace) {
  const std::string skill6 = "6 1 \"tart\xF3ss\xE1g\"";
  const Slip slips[] = {
      // Text that no field reads.
      {"std", 47, " 45 \"", " 45 50 \"", "unread-text", "std", 47, 20},
      {"std", 47, " 45 \"", " 1 000 \"", "unread-text", "std", 47, 19},
      {"std", 238, "3 40 \"", "3 40 7 \"", "unread-text", "std", 238, 13},
      {"std", 446, "1375 2 \"", "1375 2 5 \"", "unread-text", "std", 446, 8},
      {"std", 510, "\" \"", "\"\t\"", "unread-text", "std", 510, 18},
      {"std", 510, "\" \"", "\"\xA0\"", "unread-text", "std", 510, 18},
      {"std", 47, "\"egysz", "\"egy\"sz", "unread-text", "std", 47, 25},
      {"change", 40, "1450 11 -1 1 ", "1450 11 -1 1 2 ", "unread-text", "change", 40, 14},
      {"skill", 43, "\"\r\n" + skill6, "\" " + skill6, "name-quote", "skill", 43, 13},
      {"skill", 43, "\"karizma\"", "\"karizma\" \"r\xE9gi\"", "name-quote", "skill", 43, 13},
      // Values that mean nothing, records that reach no item.
      {"skill", 43, "5 0", "5 2", "doubling-flag", "skill", 43, 3},
      {"skill", 43, "5 0", "5 -1", "doubling-flag", "skill", 43, 3},
      {"change", 40, "1450 11 -1", "1450 111 -1", "change-kind-unused", "change", 40, 6},
      {"change", 40, "1450 11 -1", "1450 -1 11", "change-kind-unused", "change", 40, 6},
      {"rnd", 50, "#1450", "#1400\r\n\"x\"\r\n5\r\n23\r\n#1450", "prefix-unreachable", "rnd", 50,
       2},
      {"rnd", 55, "#1900", "#1903", "number-inside-block", "rnd", 55, 2},
      // Names that print otherwise than written.
      {"rnd", 56, "\"izz", "\"az izz", "name-article", "rnd", 56, 2},
      {"rnd", 56, "\"izz", "\" izz", "name-blank", "rnd", 56, 2},
      {"rnd", 56, "\"izz", "\"Izz", "name-capital", "rnd", 56, 2},
      {"rnd", 56, "\"izz\xF3\"", "\"l\xE1ngol\xF3\"", "name-repeated", "rnd", 56, 2, 50},
      {"skill", 44, "\"tart\xF3ss\xE1g\"", "\"karizma\"", "name-repeated", "skill", 44, 6, 43},
      {"std", 47, "\"egyszer\xFB \"", "\"\"", "name-empty", "std", 47, 21},
      {"std", 446, "\" \"gy\xFBr\xFB\"", "\" \"\"", "name-empty", "std", 446, 17},
      {"skill", 43, "karizma", "kari?ma", "name-question-mark", "skill", 43, 6},
      {"rnd", 58, "23 t\xFBzsebz\xE9s", "23 hidegsebz\xE9s", "remark-other-skill", "rnd", 58, 4},
      {"skill", 43, "\"karizma\"\r\n", "\"karizma\"\r\r\n", "cr-line-ends", "skill", 43, 14},
      // What the reader never reaches.
      {"change", -1, "",
       "\x1A"
       "1450 12 -1 1\r\n",
       "after-end", "change", 78, 2, 78},
      {"change", -1, "", std::string(4, '\0'), "nul-byte", "change", 78, 1},
  };
  for (const Slip& slip : slips) {
    std::map<std::string, std::string> files = sampleFiles();
    if (slip.line < 0)
      files[slip.file] += slip.after;
    else
      edit(files[slip.file], slip.line, slip.before, slip.after);
    const auto db = loadFiles(files);
    ASSERT_EQ(db->lastError(), std::nullopt) << slip.code;
    const std::vector<DataWarning> warnings = allWarnings(*db, files);
    const auto found = std::find_if(warnings.begin(), warnings.end(), [&](const DataWarning& w) {
      return w.codeName() == slip.code && kNames[w.file] == slip.atFile && w.line == slip.atLine &&
             w.column == slip.atColumn;
    });
    ASSERT_NE(found, warnings.end()) << slip.code << " " << slip.atLine << "\n" << listed(warnings);
    EXPECT_EQ(found->notes.empty() ? 0 : found->notes[0].where.line, slip.noteLine) << slip.code;
    expectOwnHungarian(warnings);
  }
}

// What concerns a file as a whole (written in UTF-8, without data lines, or
// gone when the warnings' pass reads it again), and a file changed since.
TEST(DataWarningsTest, WholeFileWarnings) {
  struct Row {
    const char* file;
    std::optional<std::string> text;  // for the warnings' pass; nothing: unreadable
    bool loadsIt;                     // the load reads `text` too, not the sample's
    const char* code;
    int32_t line;
  };
  const std::map<std::string, std::string> sample = sampleFiles();
  const Row rows[] = {
      {"skill", cp1250ToUtf8(sample.at("skill")), true, "utf8-text", 1},
      {"skill", "-start-\r\n", true, "empty-table", 1},
      {"type", std::nullopt, false, "file-unreadable", 0},
      // Changed since the load: an entry past the last prefix, cut short.
      {"rnd", sample.at("rnd") + "#99999\r\n", false, "prefix-cut-short", 432},
  };
  for (const Row& row : rows) {
    std::map<std::string, std::string> files = sample;
    if (row.loadsIt)
      files[row.file] = *row.text;
    const auto db = loadFiles(files);
    ASSERT_EQ(db->lastError(), std::nullopt) << row.code;
    if (row.text)
      files[row.file] = *row.text;
    else
      files.erase(row.file);
    const std::vector<DataWarning> warnings = allWarnings(*db, files);
    ASSERT_EQ(warnings.size(), 1u) << row.code << "\n" << listed(warnings);
    EXPECT_EQ(std::make_tuple(std::string(warnings[0].codeName()), kNames[warnings[0].file],
                              warnings[0].line),
              std::make_tuple(std::string(row.code), std::string(row.file), row.line));
    expectOwnHungarian(warnings);
  }
}

// A slip that fails the load further on, traced back by a note to the line
// count that made the lines after it read out of step.
TEST(DataWarningsTest, FailedLoadIsTracedToTheCountThatCausedIt) {
  struct Row {
    const char* file;
    int32_t line;
    std::string before;
    std::string after;
    const char* failsIn;
    int32_t failsAt;
    std::vector<int32_t> noteLines;  // in type.txt
  };
  const Row rows[] = {
      // Type 5's count one too high swallows type 6's id; the records after it
      // are read out of step until a count reads above 6.
      {"type", 60, "1", "2", "type", 72, {60}},
      // Type 18 loses its count line: its first amount line is read as one.
      {"type", 133, "1", "", "type", 148, {134}},
      // Type 24 loses an amount line at the end of the file and is dropped.
      {"type", 170, "2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", "", "rnd", 393, {164}},
      // Prefix 2 lacks a skill index line of type 16: prefix 3's number line
      // is read as one; prefix 1 has one too many for type 5.
      {"rnd", 59, "17 t\xFBz\xE1ll\xF3s\xE1g", "", "rnd", 61, {120}},
      {"rnd", 53, "23 t\xFBzsebz\xE9s", "23\r\n17 t\xFBz", "rnd", 54, {60}},
  };
  for (const Row& row : rows) {
    std::map<std::string, std::string> files = sampleFiles();
    edit(files[row.file], row.line, row.before, row.after);
    const auto db = loadFiles(files);
    ASSERT_TRUE(db->lastFailure().has_value()) << row.file << ":" << row.line;
    EXPECT_EQ(db->lastFailure()->fileName, row.failsIn) << row.file << ":" << row.line;
    EXPECT_EQ(db->lastFailure()->line, row.failsAt) << row.file << ":" << row.line;
    std::vector<int32_t> noteLines;
    for (const DataNote& note : findLoadFailureNotes(*db, kNames, memoryFiles(files))) {
      EXPECT_EQ(note.where.fileName, "type");
      expectOwnHungarian(note.message(), note.hungarian());
      noteLines.push_back(note.where.line);
    }
    EXPECT_EQ(noteLines, row.noteLines) << row.file << ":" << row.line;
  }
}

// A failure whose rule does not say what the bytes look like gets a note
// that does: at `noteLine` of `noteFile`, a message holding `says`.
TEST(DataWarningsTest, FailedLoadNamesWhatItsBytesLookLike) {
  const auto utf16 = [](bool mark) {
    return [mark](std::string& text) {
      std::string wide = mark ? "\xFF\xFE" : "";
      for (const char c : text)
        wide += std::string(1, c) + '\0';
      text = wide;
    };
  };
  const auto replace = [](int32_t line, std::string before, std::string after) {
    return [=](std::string& text) { edit(text, line, before, after); };
  };
  struct Row {
    const char* file;
    std::function<void(std::string&)> change;
    int32_t failsAt;
    const char* noteFile;
    int32_t noteLine;
    const char* says;
  };
  const Row rows[] = {
      {"skill", utf16(true), 0, "skill", 0, "UTF-16, with a byte order mark"},
      {"skill", utf16(false), 0, "skill", 0, "UTF-16, without"},
      {"skill", replace(43, "\"karizma\"", "\x84karizma\x94"), 43, "skill", 43, "typographic"},
      {"skill", replace(43, "\"\r\n", "\"\r\n\r\r\n"), 44, "skill", 44, "CR CR LF"},
      {"skill", replace(37, "-start-", "-start-\r\n-start-"), 38, "skill", 38, "second -start-"},
      {"skill", replace(1, "(skill.txt)", "-start-"), 3, "skill", 1, "header line holds -start-"},
      {"type", replace(132, "18", "megjegyz\xE9s\r\n18"), 133, "type", 132, "holds no number"},
  };
  for (const Row& row : rows) {
    std::map<std::string, std::string> files = sampleFiles();
    row.change(files[row.file]);
    const auto db = loadFiles(files);
    ASSERT_TRUE(db->lastFailure().has_value()) << row.says;
    EXPECT_EQ(db->lastFailure()->line, row.failsAt) << row.says;
    std::string notes;
    bool found = false;
    for (const DataNote& note : findLoadFailureNotes(*db, kNames, memoryFiles(files))) {
      expectOwnHungarian(note.message(), note.hungarian());
      notes += note.where.fileName + ":" + std::to_string(note.where.line) + " " +
               std::string(note.message()) + "\n";
      found = found || (note.where.fileName == row.noteFile && note.where.line == row.noteLine &&
                        note.message().find(row.says) != std::string::npos);
    }
    EXPECT_TRUE(found) << row.says << "\n" << notes;
  }
}

// Found in rounds of any size, the warnings are those of one pass, in the
// same order, from one reading of the files: the sample set with slips in
// several files, and a set with many more warnings than a round holds.
TEST(DataWarningsTest, RoundsGiveWhatOnePassGives) {
  std::map<std::string, std::string> slips = sampleFiles();
  edit(slips["type"], 69, " 16", " 16 17");
  edit(slips["change"], 40, "1450 11 -1 1", "1450 11 -1 1\r\n1450 11 -1 1");
  edit(slips["rnd"], 53, "23 t", "113 t");
  edit(slips["skill"], 143, "105 0 \"zsebmetsz\xE9s\"", "");
  std::map<std::string, std::string> many = sampleFiles();
  for (int i = 0; i < 20; ++i)
    many["change"] += "1450 11 0 1\r\n";
  for (const auto* files : {&slips, &many}) {
    const auto db = loadFiles(*files);
    ASSERT_EQ(db->lastError(), std::nullopt);
    const std::string whole = listed(allWarnings(*db, *files));
    for (const std::size_t capacity : {1u, 2u, 7u, 1000u}) {
      std::vector<DataWarning> given;
      // However many rounds, each file is read once.
      std::map<std::string, int> reads;
      const FileReader read = memoryFiles(*files);
      const uint64_t count = forEachDataWarning(
          *db, kNames,
          [&](const std::string& name) {
            ++reads[name];
            return read(name);
          },
          [&](const DataWarning& w) { given.push_back(w); }, capacity);
      EXPECT_EQ(listed(given), whole) << capacity;
      EXPECT_EQ(count, given.size()) << capacity;
      for (const auto& [name, times] : reads)
        EXPECT_EQ(times, 1) << name << " " << capacity;
    }
  }
}

}  // namespace
}  // namespace tamrix::test
