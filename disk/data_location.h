// Where the Linux programs find their data set. A program started from a
// menu runs in the home folder, so besides the current directory they look
// in the user's data folder and in the sample set installed with them. The
// Windows programs read Data in the current directory only.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/data_file_set.h"

namespace tamrix {

// The folders that may hold the data set, in the order they are tried: the
// current directory ("."); $XDG_DATA_HOME/tamrix, or ~/.local/share/tamrix
// when that is unset, empty or not absolute; then `installed` unless it is
// empty. `xdgDataHome` and `home` are the environment's values, null when
// unset.
std::vector<std::filesystem::path> dataFolderCandidates(const char* xdgDataHome, const char* home,
                                                        const std::filesystem::path& installed);

// This process's candidates, from its environment and, on Linux, the
// program's own place (<prefix>/share/tamrix for a program in <prefix>/bin).
// Empty on Windows, where the programs read Data in the current directory
// and nowhere else.
std::vector<std::filesystem::path> dataFolderCandidates();

// The first file of `files` that the load reads and `folder` lacks, named
// as `files` names it ("Data\change.txt"); nothing when `folder` holds the
// set. Any Data folder does not do: an unrelated one must not hide the sets
// searched after it.
std::optional<std::string> missingDataFile(const std::filesystem::path& folder,
                                           const DataFileSet& files);

// What a folder lacks of the data set.
struct IncompleteDataSet {
  std::string dataFolder;  // as the user reads it: "./Data", "/home/u/.../Data"
  bool dataFolderExists = false;
  std::vector<std::string> missing;  // the files it lacks: "skill.txt", ...; all without Data

  // The files it lacks as a list: "skill.txt, type.txt".
  std::string missingList() const;
};

// What `folder` lacks of the set `files`: `missing` is empty when it holds it.
IncompleteDataSet dataSetLack(const std::filesystem::path& folder, const DataFileSet& files);

// The candidates before `chosen` that are passed over although they hold a
// Data folder, with what each lacks; a program names them before it answers
// from `chosen`, so that an incomplete set of one's own is never set aside
// in silence.
std::vector<IncompleteDataSet> setsPassedOver(const std::vector<std::filesystem::path>& candidates,
                                              const std::filesystem::path& chosen,
                                              const DataFileSet& files);

// The first candidate that holds the set `files`; nothing when none does.
std::optional<std::filesystem::path> findDataSet(
    const std::vector<std::filesystem::path>& candidates, const DataFileSet& files);

// The folders as a user reads them, `separator` between two: the relative
// ones (the current directory) as absolute paths.
std::string folderList(const std::vector<std::filesystem::path>& folders,
                       std::string_view separator);

// A load error of the data set in `folder` with its file named as the
// system names it: "Data\skill.txt : ..." becomes
// "/home/u/Data/skill.txt : ...". Any other text is returned as it is.
std::string hostLoadError(std::string_view error, const std::filesystem::path& folder,
                          const DataFileSet& files);

}  // namespace tamrix
