// tamrix: the item number dialog for X11. Loads the data set that the
// search of data_location.h finds and shows the dialog until it is closed.
#include <FL/Fl.H>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/dialog_logic.h"
#include "app/fltk/main_window.h"
#include "disk/data_location.h"
#include "disk/disk_reader.h"
#include "text/encoding.h"

namespace {

// The process's one database, alive until exit; it reads Data relative to
// the current directory.
tamrix::ItemDatabase database(tamrix::diskReader());

// The files a data set must hold: "skill.txt, stditem.txt, ...".
std::string readFileList() {
  std::string list;
  for (const tamrix::DataFile file : tamrix::kReadFiles) {
    if (!list.empty())
      list += ", ";
    list += tamrix::dataFileName(file);
  }
  return list;
}

// A failure to start is written to standard error and, since a start from a
// menu has no terminal, shown in a message box when there is a display.
void reportFailure(const std::string& utf8) {
  std::fprintf(stderr, "%s\n", utf8.c_str());
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0')
    tamrix::showMessageBox(utf8);
}

}  // namespace

int main() {
  // The program has no options: the command line is not read. It ends with
  // 1 whether the data loaded or not; a failed load shows no dialog.
  const auto candidates = tamrix::dataFolderCandidates();
  const auto folder = tamrix::findDataSet(candidates, tamrix::dialogDataFiles());
  if (!folder) {
    // Each folder searched, with what it lacks.
    std::string searched;
    for (const auto& candidate : candidates) {
      const tamrix::IncompleteDataSet set =
          tamrix::dataSetLack(candidate, tamrix::dialogDataFiles());
      // Appended step by step: GCC 12 warns falsely of an overlapping copy
      // in the one-expression form.
      searched.append("\n").append(tamrix::folderList({candidate}, ""));
      if (set.dataFolderExists)
        searched.append(" (a Data mappából hiányzik: ").append(set.missingList()).append(")");
      else
        searched.append(" (nincs Data mappája)");
    }
    reportFailure("Nincs Data mappa az adatfájlokkal (" + readFileList() +
                  ") ezekben a mappákban:" + searched);
    return 1;
  }
  // A Data folder of the user's own that lacks files is named before the
  // dialog answers from another set (on standard error: a message box would
  // stand in the way of every start until the folder is mended).
  for (const auto& set : tamrix::setsPassedOver(candidates, *folder, tamrix::dialogDataFiles())) {
    std::fprintf(stderr, "%s\n",
                 ("A " + set.dataFolder + " mappából hiányzik: " + set.missingList() +
                  "; az adatokat innen " + "olvasom: " + tamrix::folderList({*folder}, ""))
                     .c_str());
  }
  // The load reads Data relative to the current directory.
  std::error_code error;
  const std::filesystem::path place = std::filesystem::absolute(*folder, error);
  std::filesystem::current_path(place, error);  // on failure the load names what it missed
  if (!tamrix::loadDataFiles(database)) {
    const std::string message =
        tamrix::cp1250ToUtf8(database.lastError().value_or("the data files could not be loaded"));
    reportFailure(tamrix::hostLoadError(message, place, tamrix::dialogDataFiles()));
    return 1;
  }
  tamrix::MainWindow window(database);
  window.show();
  Fl::run();
  return 1;
}
