// Drives tamrix.exe from another process, run from the folder that holds
// tamrix.exe and Data. Prints a "FAIL ..." line per failed check and exits
// with the number of failures.
//
//   dialog_probe set TEXT...   put each TEXT into the number field; check the answer
//   dialog_probe expect TEXT   wait until the field holds TEXT and the answer shows
//   dialog_probe scribble      overwrite both output fields, so a re-decode shows
//   dialog_probe close         send WM_CLOSE to the dialog
//   dialog_probe icon          tamrix.exe has its 32 x 32, 16-colour icon
//   dialog_probe no-window     start tamrix.exe: it must end with 1 and show no window
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "app/dialog_logic.h"
#include "app/encoding.h"

namespace {

int failures = 0;

void fail(const std::string& what) {
  std::printf("FAIL %s\n", what.c_str());
  ++failures;
}

std::wstring wide(std::string_view cp1250) {
  const std::u16string utf16 = tamrix::cp1250ToUtf16(cp1250);
  return {utf16.begin(), utf16.end()};
}

std::string utf8(const std::wstring& text) {
  std::string out(text.size() * 3, '\0');
  out.resize(static_cast<size_t>(
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                          static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}

std::wstring text(HWND dialog, int id) {
  wchar_t buffer[4096];
  return std::wstring(buffer, GetDlgItemTextW(dialog, id, buffer, 4096));
}

// Typed keys arrive in their own time: waits up to five seconds for the
// field to hold `field` and the two output fields to show the answer to it.
void expectAnswer(HWND dialog, tamrix::ItemDatabase& db, const std::string& field) {
  const tamrix::DialogAnswer want = tamrix::answerCommand(db, tamrix::readNumberField(field));
  const std::wstring shown[] = {wide(field), wide(want.nameField), wide(want.descriptionField)};
  for (int tries = 0; tries < 100; ++tries, Sleep(50)) {
    if (text(dialog, 1000) == shown[0] && text(dialog, 1003) == shown[1] &&
        text(dialog, 1002) == shown[2] && IsWindowVisible(dialog))
      return;
  }
  fail("field \"" + field + "\": the dialog shows \"" + utf8(text(dialog, 1000)) + "\" / \"" +
       utf8(text(dialog, 1003)) + "\" / \"" + utf8(text(dialog, 1002)) + "\"");
}

void expectNoWindow() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  wchar_t command[] = L"tamrix.exe";
  if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return fail("cannot start tamrix.exe");
  std::pair<DWORD, bool> search{process.dwProcessId, false};
  for (int tries = 0;
       tries < 1000 && !search.second && WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT;
       ++tries) {
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* found = reinterpret_cast<std::pair<DWORD, bool>*>(param);
          DWORD pid = 0;
          GetWindowThreadProcessId(window, &pid);
          found->second |= pid == found->first && IsWindowVisible(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  TerminateProcess(process.hProcess, 2);  // fails once it has ended by itself
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  if (search.second || code != 1)
    fail("with broken data tamrix.exe ends with " + std::to_string(code) +
         (search.second ? " after showing a window" : ""));
}

void expectIcon() {
  HMODULE exe = LoadLibraryExW(L"tamrix.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC icon = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(3) /* RT_ICON */);
  // A bitmap header, 16 palette entries, 4-bit pixels and the 1-bit mask.
  if (FindResourceW(exe, MAKEINTRESOURCEW(102), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */) ==
          nullptr ||
      icon == nullptr || SizeofResource(exe, icon) != 40 + 16 * 4 + 512 + 128)
    fail("tamrix.exe lacks its 32 x 32, 16-colour icon in group 102");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "no-window" || mode == "icon") {
    (mode == "icon" ? expectIcon : expectNoWindow)();
    return failures;
  }
  tamrix::ItemDatabase db;
  HWND dialog = nullptr;
  for (int tries = 0; tries < 400 && dialog == nullptr; ++tries, Sleep(50))
    dialog = FindWindowW(L"#32770", L"Tamrix v0.9");
  if (!tamrix::loadDataFiles(db) || dialog == nullptr) {
    fail("no dialog captioned Tamrix v0.9, or no Data to check it against");
    return 100;
  }
  if (mode == "close")
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  for (const int id : {1002, 1003}) {
    if (mode == "scribble")
      SetDlgItemTextW(dialog, id, L"-");
  }
  for (int i = 2; i < argc && (mode == "set" || mode == "expect"); ++i) {
    if (mode == "set")
      SetDlgItemTextW(dialog, 1000, wide(argv[i]).c_str());
    expectAnswer(dialog, db, argv[i]);
  }
  return failures;
}
