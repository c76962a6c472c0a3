// The Windows dialog: loads the tables once, then decodes the item number
// on every command the dialog receives.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "app/dialog_logic.h"
#include "app/win32/resource.h"
#include "disk/disk_reader.h"
#include "text/encoding.h"

namespace {

// The one database of the process: built before WinMain, torn down at exit.
tamrix::ItemDatabase database(tamrix::diskReader());

// False until WM_INITDIALOG, so that commands sent while the dialog is being
// built are ignored; cleared again once the dialog starts to close.
bool dialogReady = false;

// The texts are Windows-1250; the wide-character call shows them right
// whatever the system's own code page is.
void setControlText(HWND dialog, int id, std::string_view cp1250) {
  const std::u16string utf16 = tamrix::cp1250ToUtf16(cp1250);
  const std::wstring wide(utf16.begin(), utf16.end());
  SetWindowTextW(GetDlgItem(dialog, id), wide.c_str());
}

// Reads the number field and shows the shared logic's answer in the two output fields.
void showAnswer(HWND dialog) {
  // The success flag is not consulted: an empty field, a value out of range
  // and 0 all read as 0, which the shared logic answers.
  const UINT raw = GetDlgItemInt(dialog, IDC_ITEM_NUMBER, nullptr, TRUE);
  const auto number = static_cast<int32_t>(raw);
  const tamrix::DialogAnswer answer = tamrix::answerCommand(database, number);
  setControlText(dialog, IDC_DESCRIPTION, answer.descriptionField);
  setControlText(dialog, IDC_ITEM_NAME, answer.nameField);
}

}  // namespace

// Enter and Escape arrive as IDOK and IDCANCEL commands: they re-decode and
// leave the dialog open. Only WM_CLOSE ends it.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      dialogReady = true;
      return FALSE;  // the dialog manager does not move the focus
    case WM_COMMAND:
      if (dialogReady) {
        showAnswer(dialog);
      }
      return FALSE;
    case WM_CLOSE:
      dialogReady = false;
      EndDialog(dialog, 1);
      return TRUE;
    default:
      return FALSE;
  }
}

// A failed load ends the program without a window or a message. The exit
// code is 1 either way.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (tamrix::loadDataFiles(database)) {
    dialogReady = false;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
  }
  return 1;
}
