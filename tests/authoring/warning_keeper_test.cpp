// The warnings' pass keeps a window of what it raises: the first so many in
// report order after a given warning, of each file and in all, while it
// counts every one.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "authoring/warning_context.h"
#include "authoring/warning_keeper.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

TEST(WarningKeeperTest, KeepsTheWindowInReportOrderAndCountsAll) {
  const DataFileSet& names = shortNames();
  // Raised out of order, with places shared, as the checks raise them.
  struct Raised {
    DataFile file;
    int32_t line, column;
  };
  // Half of them in the type file, which lies between the other two: the
  // file keeping the most gathers the others' warnings before and after.
  std::vector<Raised> raised;
  for (int i = 0; i < 40; ++i)
    raised.push_back({i % 4 == 0   ? DataFile::kChanges
                      : i % 4 == 1 ? DataFile::kSkills
                                   : DataFile::kTypes,
                      (i * 7) % 5, (i * 11) % 3});
  // The report: by file in load order, line and column, then as raised.
  std::vector<std::size_t> report(raised.size());
  for (std::size_t i = 0; i < report.size(); ++i)
    report[i] = i;
  std::stable_sort(report.begin(), report.end(), [&](std::size_t a, std::size_t b) {
    const Raised &x = raised[a], &y = raised[b];
    return std::tie(x.file, x.line, x.column) < std::tie(y.file, y.line, y.column);
  });
  struct Row {
    std::size_t capacity, perFile;
    std::optional<std::size_t> after;  // the place in the report kept after
  };
  const Row rows[] = {{kAll, kAll, {}}, {0, kAll, {}}, {1, kAll, {}}, {7, kAll, {}},
                      {7, kAll, 0},     {7, kAll, 12}, {7, kAll, 39}, {kAll, 2, {}},
                      {5, 4, {}},       {kAll, 0, {}}, {3, 2, 20}};
  for (const Row& row : rows) {
    const std::string label = std::to_string(row.capacity) + "/" + std::to_string(row.perFile) +
                              "/" + (row.after ? std::to_string(*row.after) : "-");
    // Kept: after `after`, the first perFile of each file, then the first capacity.
    std::vector<std::string> expected;
    std::array<std::size_t, kDataFileCount> ofFile{};
    for (std::size_t k = row.after ? *row.after + 1 : 0; k < report.size(); ++k)
      if (ofFile[static_cast<std::size_t>(raised[report[k]].file)]++ < row.perFile &&
          expected.size() < row.capacity)
        expected.push_back("w" + std::to_string(report[k]));
    WarningWindow window;
    window.capacity = row.capacity;
    window.perFile = row.perFile;
    WarningKeeper everything(names, {});
    for (std::size_t i = 0; i < raised.size(); ++i)
      everything.add({names[raised[i].file], raised[i].line, raised[i].column},
                     WarningCode::kNumberText, [&] {
                       return WarningTexts{"w" + std::to_string(i), ""};
                     });
    const FoundWarnings all = std::move(everything).take();
    if (row.after)
      window.after = all.kept[*row.after].rank();
    WarningKeeper keeper(names, window);
    // Texts are built only for the warnings the window takes in.
    std::size_t built = 0;
    for (std::size_t i = 0; i < raised.size(); ++i)
      keeper.add({names[raised[i].file], raised[i].line, raised[i].column},
                 WarningCode::kNumberText, [&] {
                   ++built;
                   return WarningTexts{"w" + std::to_string(i), "hu"};
                 });
    const FoundWarnings found = std::move(keeper).take();
    std::vector<std::string> kept;
    for (const DataWarning& w : found.kept)
      kept.emplace_back(w.message());
    EXPECT_EQ(kept, expected) << label;
    EXPECT_LE(built, std::min(found.countAfter, row.capacity == 0 ? 0 : raised.size())) << label;
    EXPECT_EQ(found.count, raised.size()) << label;
    EXPECT_EQ(found.countAfter, raised.size() - (row.after ? *row.after + 1 : 0)) << label;
    EXPECT_EQ(found.countOf[static_cast<std::size_t>(DataFile::kSkills)], 10u) << label;
  }
}

// What a stretch of records follows from goes last on each warning past
// its line, and on none before it.
TEST(WarningKeeperTest, TrailingNoteGoesOnTheWarningsPastItsLine) {
  const DataFileSet& names = shortNames();
  WarningKeeper keeper(names, {});
  keeper.trailingNote = {{2, noteAt(names[DataFile::kTypes], 2, "count", "sz")}};
  for (const int32_t line : {1, 2, 3})
    keeper.add({names[DataFile::kTypes], line}, WarningCode::kNumberText, [&] {
      return WarningTexts{"w", "", {noteAt(names[DataFile::kTypes], 1, "own", "saj")}};
    });
  keeper.trailingNote.reset();
  keeper.add({names[DataFile::kTypes], 4}, WarningCode::kNumberText, [] {
    return WarningTexts{"w", ""};
  });
  std::vector<std::size_t> notes;
  for (const DataWarning& w : std::move(keeper).take().kept)
    notes.push_back(w.notes.size());
  EXPECT_EQ(notes, (std::vector<std::size_t>{1, 1, 2, 0}));
}

// A window keeps the texts its reader shows, of each warning and its notes.
TEST(WarningKeeperTest, KeepsTheTextsOfItsLanguage) {
  const DataFileSet& names = shortNames();
  // English, then Hungarian: the warning's, its own note's, the trailing note's.
  const std::tuple<WarningLanguage, std::string, std::string> rows[] = {
      {WarningLanguage::kBoth, "w|own|count", "f|saj|sz"},
      {WarningLanguage::kEnglish, "w|own|count", "||"},
      {WarningLanguage::kHungarian, "||", "f|saj|sz"},
  };
  for (const auto& [language, english, hungarian] : rows) {
    WarningWindow window;
    window.language = language;
    WarningKeeper keeper(names, window);
    keeper.trailingNote = {{0, noteAt(names[DataFile::kTypes], 1, "count", "sz")}};
    keeper.add({names[DataFile::kTypes], 2}, WarningCode::kNumberText, [&] {
      return WarningTexts{"w", "f", {noteAt(names[DataFile::kTypes], 1, "own", "saj")}};
    });
    const FoundWarnings found = std::move(keeper).take();
    ASSERT_EQ(found.kept.size(), 1u);
    const DataWarning& w = found.kept[0];
    std::string gotEnglish(w.message()), gotHungarian(w.hungarian());
    for (const DataNote& note : w.notes) {
      gotEnglish.append("|").append(note.message());
      gotHungarian.append("|").append(note.hungarian());
    }
    EXPECT_EQ(std::pair(gotEnglish, gotHungarian), std::pair(english, hungarian))
        << static_cast<int>(language);
  }
}

}  // namespace
}  // namespace tamrix::test
