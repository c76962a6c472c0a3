#include "disk/data_location.h"

#include <cstdlib>
#include <system_error>

#include "database/data_file_set.h"
#include "disk/data_path.h"

namespace tamrix {

namespace {

std::filesystem::path absoluteFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(folder, error);
  if (error)
    return folder;
  absolute = absolute.lexically_normal();
  // "/home/u/." normalises to "/home/u/".
  if (!absolute.has_filename() && absolute.has_relative_path())
    absolute = absolute.parent_path();
  return absolute;
}

#ifndef _WIN32
std::filesystem::path installedDataFolder() {
#ifdef __linux__
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error)
    return {};
  return (program.parent_path() / TAMRIX_DATA_FROM_BINDIR).lexically_normal();
#else
  return {};
#endif
}
#endif

}  // namespace

std::vector<std::filesystem::path> dataFolderCandidates(const char* xdgDataHome, const char* home,
                                                        const std::filesystem::path& installed) {
  std::vector<std::filesystem::path> candidates{"."};
  // XDG base directories ignore a relative XDG_DATA_HOME.
  const std::filesystem::path xdg = xdgDataHome != nullptr ? xdgDataHome : "";
  if (xdg.is_absolute()) {
    candidates.push_back(xdg / "tamrix");
  } else if (home != nullptr && *home != '\0') {
    candidates.push_back(std::filesystem::path(home) / ".local/share/tamrix");
  }
  if (!installed.empty())
    candidates.push_back(installed);
  return candidates;
}

std::vector<std::filesystem::path> dataFolderCandidates() {
#ifdef _WIN32
  return {};
#else
  return dataFolderCandidates(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"),
                              installedDataFolder());
#endif
}

std::optional<std::string> missingDataFile(const std::filesystem::path& folder,
                                           const DataFileSet& files) {
  for (const DataFile file : kReadFiles) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(dataFilePath(folder, files[file]), error))
      return files[file];
  }
  return std::nullopt;
}

std::string IncompleteDataSet::missingList() const {
  std::string list;
  for (const std::string& file : missing)
    list += (list.empty() ? "" : ", ") + file;
  return list;
}

IncompleteDataSet dataSetLack(const std::filesystem::path& folder, const DataFileSet& files) {
  IncompleteDataSet set;
  std::filesystem::path dataFolder;
  for (const DataFile file : kReadFiles) {
    const std::filesystem::path path = dataFilePath(folder, files[file]);
    dataFolder = path.parent_path();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
      set.missing.push_back(path.filename().string());
  }
  std::error_code error;
  set.dataFolderExists = std::filesystem::is_directory(dataFolder, error);
  // The current directory reads as "./Data", which says where the program runs.
  set.dataFolder =
      folder == "."
          ? dataFolder.string()
          : dataFilePath(absoluteFolder(folder), files[kReadFiles[0]]).parent_path().string();
  return set;
}

std::vector<IncompleteDataSet> setsPassedOver(const std::vector<std::filesystem::path>& candidates,
                                              const std::filesystem::path& chosen,
                                              const DataFileSet& files) {
  std::vector<IncompleteDataSet> passedOver;
  for (const auto& folder : candidates) {
    if (folder == chosen)
      break;
    IncompleteDataSet set = dataSetLack(folder, files);
    if (!set.missing.empty() && set.dataFolderExists)
      passedOver.push_back(std::move(set));
  }
  return passedOver;
}

std::optional<std::filesystem::path> findDataSet(
    const std::vector<std::filesystem::path>& candidates, const DataFileSet& files) {
  for (const auto& folder : candidates) {
    if (!missingDataFile(folder, files))
      return folder;
  }
  return std::nullopt;
}

std::string folderList(const std::vector<std::filesystem::path>& folders,
                       std::string_view separator) {
  std::string list;
  for (const auto& folder : folders) {
    if (!list.empty())
      list += separator;
    list += absoluteFolder(folder).string();
  }
  return list;
}

std::string hostLoadError(std::string_view error, const std::filesystem::path& folder,
                          const DataFileSet& files) {
  for (const DataFile file : kReadFiles) {
    const std::string_view name = files[file];
    if (error.starts_with(name) && error.substr(name.size()).starts_with(" : ")) {
      std::string shown = dataFilePath(absoluteFolder(folder), name).string();
      shown += error.substr(name.size());
      return shown;
    }
  }
  return std::string(error);
}

}  // namespace tamrix
