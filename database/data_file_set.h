// The files of a data set: which there are, the order they are loaded in,
// and the names under which one set's files are read.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tamrix {

// The data files, in the order the loaders read them: later loaders compute
// slots from the capacities that earlier ones set, and random items look up
// types.
enum class DataFile : std::size_t {
  kSpecItems,  // reserved: named, never read
  kSkills,
  kStdItems,
  kTypes,
  kRndItems,
  kChanges,
};
inline constexpr std::size_t kDataFileCount = 6;

// Every file, in load order.
inline constexpr std::array<DataFile, kDataFileCount> kLoadOrder = {
    DataFile::kSpecItems, DataFile::kSkills,   DataFile::kStdItems,
    DataFile::kTypes,     DataFile::kRndItems, DataFile::kChanges};
// The files that are read, in load order.
inline constexpr std::array<DataFile, kDataFileCount - 1> kReadFiles = {
    DataFile::kSkills, DataFile::kStdItems, DataFile::kTypes, DataFile::kRndItems,
    DataFile::kChanges};

// The file's name in its folder: "skill.txt".
std::string_view dataFileName(DataFile file);

// The name each file of one set is read under, as the loaders and every
// message give it.
class DataFileSet {
 public:
  // Each file under `folder`, joined with a backslash as the dialog names
  // them ("Data\skill.txt"); with an empty folder, the file names alone.
  static DataFileSet inFolder(std::string_view folder);
  // Each file under the name that `nameOf` gives it.
  static DataFileSet namedBy(const std::function<std::string(DataFile)>& nameOf);

  const std::string& operator[](DataFile file) const {
    return names_[static_cast<std::size_t>(file)];
  }

  // The file that `name` names, if any.
  const DataFile* find(std::string_view name) const;

 private:
  DataFileSet() = default;
  std::array<std::string, kDataFileCount> names_;
};

}  // namespace tamrix
