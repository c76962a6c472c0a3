// tamrix: the item number dialog for X11. Loads the data files from the
// current directory and shows the dialog until it is closed.
#include <FL/Fl.H>

#include "app/dialog_logic.h"
#include "app/fltk/main_window.h"

namespace {
// The process's one database, alive until exit.
tamrix::ItemDatabase database;
}  // namespace

int main() {
  // The program has no options: the command line is not read. It ends with
  // 1 whether the data loaded or not; a failed load shows no window.
  if (tamrix::loadDataFiles(database)) {
    tamrix::MainWindow window(database);
    window.show();
    Fl::run();
  }
  return 1;
}
