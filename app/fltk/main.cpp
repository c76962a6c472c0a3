// tamrix: the item number dialog for X11. Loads the data files from the
// first folder that has Data (see data_location.h) and shows the dialog
// until it is closed.
#include <FL/Fl.H>
#include <FL/fl_ask.H>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/dialog_logic.h"
#include "app/fltk/data_location.h"
#include "app/fltk/main_window.h"
#include "app/version.h"
#include "text/encoding.h"

namespace {

// The process's one database, alive until exit.
tamrix::ItemDatabase database;

// A failed load has the exact error on standard error and, since a start
// from a menu has no terminal, in a message box when there is a display.
void reportLoadFailure() {
  const std::string message =
      tamrix::cp1250ToUtf8(database.lastError().value_or("the data files could not be loaded"));
  std::fprintf(stderr, "%s\n", message.c_str());
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0') {
    fl_message_title(TAMRIX_CAPTION);
    fl_alert("%s", message.c_str());
  }
}

}  // namespace

int main() {
  // The program has no options: the command line is not read. It ends with
  // 1 whether the data loaded or not; a failed load shows no dialog.
  const auto folder = tamrix::chooseDataFolder(tamrix::dataFolderCandidates(
      std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), tamrix::installedDataFolder()));
  std::error_code error;
  std::filesystem::current_path(folder, error);  // on failure the load names what it missed
  if (tamrix::loadDataFiles(database)) {
    tamrix::MainWindow window(database);
    window.show();
    Fl::run();
  } else {
    reportLoadFailure();
  }
  return 1;
}
