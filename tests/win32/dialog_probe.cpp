// Drives tamrix.exe from another process, run from the folder that holds
// tamrix.exe and Data. Prints a "FAIL ..." line per failed check and exits
// with the number of failures.
//
//   dialog_probe set TEXT...   put each TEXT into the number field; check the answer
//   dialog_probe expect TEXT   wait until the field holds TEXT and the answer shows
//   dialog_probe scribble      overwrite both output fields, so a re-decode shows
//   dialog_probe close         send WM_CLOSE to the dialog
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/dialog_logic.h"
#include "disk/disk_reader.h"
#include "text/encoding.h"

namespace {

int failures = 0;

void fail(const std::string& what) {
  std::printf("FAIL %s\n", what.c_str());
  ++failures;
}

// A control's text in UTF-8.
std::string text(HWND dialog, int id) {
  wchar_t wide[4096];
  char utf8[3 * 4096];
  const int length = GetDlgItemTextW(dialog, id, wide, 4096);
  return {utf8, static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, sizeof utf8,
                                                        nullptr, nullptr))};
}

// Typed keys arrive in their own time: waits up to five seconds for the
// field to hold `field` and the two output fields to show the answer to it.
void expectAnswer(HWND dialog, tamrix::ItemDatabase& db, const std::string& field) {
  const tamrix::DialogAnswer want = tamrix::answerCommand(db, tamrix::readNumberField(field));
  for (int tries = 0; tries < 100; ++tries, Sleep(50)) {
    if (text(dialog, 1000) == field && text(dialog, 1003) == tamrix::cp1250ToUtf8(want.nameField) &&
        text(dialog, 1002) == tamrix::cp1250ToUtf8(want.descriptionField) &&
        IsWindowVisible(dialog))
      return;
  }
  fail("field \"" + field + "\": the dialog shows \"" + text(dialog, 1000) + "\" / \"" +
       text(dialog, 1003) + "\" / \"" + text(dialog, 1002) + "\"");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  tamrix::ItemDatabase db(tamrix::diskReader());
  HWND dialog = nullptr;
  for (int tries = 0; tries < 400 && dialog == nullptr; ++tries, Sleep(50))
    dialog = FindWindowW(L"#32770", L"Tamrix v0.9");
  if (!tamrix::loadDataFiles(db) || dialog == nullptr) {
    fail("no dialog captioned Tamrix v0.9, or no Data to check it against");
    return 100;
  }
  if (mode == "close")
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  if (mode == "scribble") {
    SetDlgItemTextW(dialog, 1002, L"-");
    SetDlgItemTextW(dialog, 1003, L"-");
  }
  for (int i = 2; i < argc && (mode == "set" || mode == "expect"); ++i) {
    if (mode == "set")
      SetDlgItemTextA(dialog, 1000, argv[i]);
    expectAnswer(dialog, db, argv[i]);
  }
  return failures;
}
