// Where the Linux programs look for their data set: the folders, in order,
// and which of them hold a set.
#include "disk/data_location.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "test_support.h"

namespace tamrix {
namespace {

const DataFileSet kFiles = DataFileSet::inFolder("Data");

TEST(DataLocationTest, CurrentFolderThenTheUsersThenTheInstalledSet) {
  struct Row {
    const char* xdgDataHome;
    const char* home;
    std::vector<std::filesystem::path> candidates;
  };
  const std::filesystem::path installed = "/usr/share/tamrix";
  for (const Row& row : {
           Row{"/x/data", "/home/u", {".", "/x/data/tamrix", installed}},
           Row{nullptr, "/home/u", {".", "/home/u/.local/share/tamrix", installed}},
           Row{"", "/home/u", {".", "/home/u/.local/share/tamrix", installed}},
           Row{"relative", "/home/u", {".", "/home/u/.local/share/tamrix", installed}},
           Row{nullptr, nullptr, {".", installed}},
       }) {
    EXPECT_EQ(dataFolderCandidates(row.xdgDataHome, row.home, installed), row.candidates)
        << (row.xdgDataHome ? row.xdgDataHome : "unset") << " " << (row.home ? row.home : "unset");
  }
}

// A folder holds a data set when its Data folder has the five files that a
// load reads; the first that lacks one is named as the load would name it.
TEST(DataLocationTest, OnlyADataFolderWithTheFilesIsADataSet) {
  const test::TempDir dir;
  const auto folder = [&](const std::string& name, std::vector<std::string> files) {
    std::filesystem::create_directories(dir.path() / name / "Data");
    for (const std::string& file : files)
      dir.write(name + "/Data/" + file, "-start-\n");
    return dir.path() / name;
  };
  std::filesystem::create_directories(dir.path() / "folders/Data/skill.txt");
  const std::vector<std::string> all = {"stditem.txt", "skill.txt", "type.txt", "rnditem.txt",
                                        "change.txt"};
  const std::pair<std::filesystem::path, std::optional<std::string>> rows[] = {
      {dir.path() / "nothing", "Data\\skill.txt"},
      {folder("decoy", {}), "Data\\skill.txt"},
      {folder("four", {"stditem.txt", "skill.txt", "type.txt", "rnditem.txt"}), "Data\\change.txt"},
      {folder("upper", {"STDITEM.TXT", "skill.txt", "type.txt", "rnditem.txt", "change.txt"}),
       "Data\\stditem.txt"},
      {folder("folders", {"stditem.txt", "type.txt", "rnditem.txt", "change.txt"}),
       "Data\\skill.txt"},
      {folder("five", all), std::nullopt},
  };
  for (const auto& [path, missing] : rows)
    EXPECT_EQ(missingDataFile(path, kFiles), missing) << path;

  const auto full = folder("full", all);
  EXPECT_EQ(
      findDataSet({dir.path() / "decoy", dir.path() / "four", full, dir.path() / "five"}, kFiles),
      full);
  EXPECT_EQ(findDataSet({dir.path() / "decoy", dir.path() / "nothing"}, kFiles), std::nullopt);

  // What a folder lacks: every file when it has no Data folder, none when it
  // holds the set.
  const std::tuple<std::filesystem::path, bool, std::string> lacks[] = {
      {dir.path() / "nothing", false, "skill.txt, stditem.txt, type.txt, rnditem.txt, change.txt"},
      {dir.path() / "four", true, "change.txt"},
      {full, true, ""},
  };
  for (const auto& [path, exists, missing] : lacks) {
    const IncompleteDataSet set = dataSetLack(path, kFiles);
    EXPECT_EQ(std::make_tuple(set.dataFolder, set.dataFolderExists, set.missingList()),
              std::make_tuple((path / "Data").string(), exists, missing));
  }

  // Each folder before the one that answers and with a Data folder of its
  // own is named with all it lacks; those without one, and those after, not.
  std::vector<std::string> named;
  for (const IncompleteDataSet& set :
       setsPassedOver({dir.path() / "nothing", dir.path() / "decoy", dir.path() / "four", full,
                       dir.path() / "upper"},
                      full, kFiles))
    named.push_back(set.dataFolder + ": " + set.missingList());
  EXPECT_EQ(named, (std::vector<std::string>{
                       (dir.path() / "decoy/Data").string() + ": " +
                           "skill.txt, stditem.txt, type.txt, rnditem.txt, change.txt",
                       (dir.path() / "four/Data").string() + ": change.txt"}));
}

TEST(DataLocationTest, MessagesNameFoldersAndFilesAsTheSystemDoes) {
  const test::TempDir dir;
  const test::ScopedCurrentDir here(dir.path());
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(folderList({".", "/usr/share/tamrix"}, ", "), cwd + ", /usr/share/tamrix");
  const std::pair<std::string, std::string> rows[] = {
      {"Data\\skill.txt : x\\y", "/usr/share/tamrix/Data/skill.txt : x\\y"},
      {"Data\\change.txt : a f\xE1jl", "/usr/share/tamrix/Data/change.txt : a f\xE1jl"},
      {"Data\\skill.txtx : y", "Data\\skill.txtx : y"},
      {"no file", "no file"},
  };
  for (const auto& [error, shown] : rows)
    EXPECT_EQ(hostLoadError(error, "/usr/share/tamrix", kFiles), shown) << error;
  EXPECT_EQ(hostLoadError("Data\\type.txt : 7", ".", kFiles), cwd + "/Data/type.txt : 7");
}

}  // namespace
}  // namespace tamrix
