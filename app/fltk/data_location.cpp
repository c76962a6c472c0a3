#include "app/fltk/data_location.h"

#include <string_view>
#include <system_error>

namespace tamrix {

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

std::filesystem::path chooseDataFolder(const std::vector<std::filesystem::path>& candidates) {
  for (const auto& folder : candidates) {
    std::error_code error;
    if (std::filesystem::is_directory(folder / "Data", error))
      return folder;
  }
  return ".";
}

std::filesystem::path installedDataFolder() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error)
    return {};
  return (program.parent_path() / TAMRIX_DATA_FROM_BINDIR).lexically_normal();
}

}  // namespace tamrix
