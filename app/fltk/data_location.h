// Where the X11 dialog finds its Data folder. An installed program started
// from a menu runs in the home folder, so besides the current directory it
// looks in the user's data folder and in the installed sample set.
#pragma once

#include <filesystem>
#include <vector>

namespace tamrix {

// The folders that may hold Data, in the order they are tried: the current
// directory; $XDG_DATA_HOME/tamrix, or ~/.local/share/tamrix when that is
// unset, empty or not absolute; then `installed`. `xdgDataHome` and `home`
// are the environment's values, null when unset.
std::vector<std::filesystem::path> dataFolderCandidates(const char* xdgDataHome, const char* home,
                                                        const std::filesystem::path& installed);

// The first candidate that has a Data folder, or the current directory when
// none has one (so the load error names the file it missed there).
std::filesystem::path chooseDataFolder(const std::vector<std::filesystem::path>& candidates);

// The sample set installed beside the program: <prefix>/share/tamrix for a
// program in <prefix>/bin.
std::filesystem::path installedDataFolder();

}  // namespace tamrix
