// Drives a running tamrix.exe from another process, the way a user would,
// and compares what its two output fields show with the shared dialog
// logic's answer for the same number and the same Data folder. Run from the
// folder that holds Data. Prints one "PASS ..." or "FAIL ..." line per
// check; the exit code is the number of failures (capped at 100), or 100
// when the probe itself cannot run.
//
//   dialog_probe answers          the field texts of a table, set one by one
//   dialog_probe set TEXT         put TEXT into the number field
//   dialog_probe expect TEXT      the field holds TEXT and the outputs match
//   dialog_probe keys             Enter and Escape re-decode, the dialog stays
//   dialog_probe close            WM_CLOSE ends the process with exit code 1
//   dialog_probe no-window EXE LABEL   EXE shows no window and exits with 1
//   dialog_probe resources EXE    the icon and dialog resources of EXE
//   dialog_probe pick-accented    prints a prefixed weapon with o/u double acute
//
// Before the mode, "--desktop NAME" switches to a Wine virtual desktop.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/dialog_logic.h"
#include "app/encoding.h"

namespace {

constexpr int kItemNumber = 1000;
constexpr int kDescription = 1002;
constexpr int kItemName = 1003;
constexpr const wchar_t* kCaption = L"Tamrix v0.9";
constexpr DWORD kWaitMs = 20000;
constexpr std::string_view kChaosText = "K\xE1osz t\xE1rgy!";
constexpr std::string_view kDamageLabel = "\nsebz\xE9s : ";

int failures = 0;

std::string toUtf8(const std::wstring& text) {
  if (text.empty())
    return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring toWide(std::string_view cp1250) {
  const std::u16string utf16 = tamrix::cp1250ToUtf16(cp1250);
  return std::wstring(utf16.begin(), utf16.end());
}

// Texts shown in one line of output, line feeds made visible.
std::string quoted(const std::wstring& text) {
  std::string out = "\"";
  for (const char c : toUtf8(text))
    out += (c == '\n') ? std::string("\\n") : std::string(1, c);
  return out + "\"";
}

void check(bool ok, const std::string& what, const std::string& detail = {}) {
  if (ok) {
    std::printf("PASS %s\n", what.c_str());
  } else {
    ++failures;
    std::printf("FAIL %s%s%s\n", what.c_str(), detail.empty() ? "" : ": ", detail.c_str());
  }
  std::fflush(stdout);
}

int finish() {
  return failures > 99 ? 99 : failures;
}

[[noreturn]] void cannotRun(const std::string& why) {
  std::printf("FAIL probe: %s\n", why.c_str());
  std::fflush(stdout);
  ExitProcess(100);
}

HWND waitForDialog() {
  const ULONGLONG end = GetTickCount64() + kWaitMs;
  while (GetTickCount64() < end) {
    if (HWND dialog = FindWindowW(L"#32770", kCaption))
      return dialog;
    Sleep(50);
  }
  cannotRun("no window captioned \"Tamrix v0.9\" appeared");
}

std::wstring controlText(HWND dialog, int id) {
  std::vector<wchar_t> buffer(4096);
  const UINT length = GetDlgItemTextW(dialog, id, buffer.data(), static_cast<int>(buffer.size()));
  return std::wstring(buffer.data(), length);
}

struct Expected {
  std::wstring name;
  std::wstring description;
};

class Oracle {
 public:
  Oracle() {
    if (!tamrix::loadDataFiles(db_))
      cannotRun("the probe cannot load Data: " + db_.lastError.value_or("?"));
  }
  tamrix::DialogAnswer answer(int32_t number) { return tamrix::answerCommand(db_, number); }
  Expected expected(int32_t number) {
    const tamrix::DialogAnswer a = answer(number);
    return {toWide(a.nameField), toWide(a.descriptionField)};
  }

 private:
  tamrix::ItemDatabase db_;
};

bool fieldsMatch(HWND dialog, const Expected& want) {
  return controlText(dialog, kItemName) == want.name &&
         controlText(dialog, kDescription) == want.description;
}

void checkFields(HWND dialog, const Expected& want, const std::string& what) {
  const std::wstring name = controlText(dialog, kItemName);
  const std::wstring description = controlText(dialog, kDescription);
  check(name == want.name, what + " name field",
        "shows " + quoted(name) + ", want " + quoted(want.name));
  check(description == want.description, what + " description field",
        "shows " + quoted(description) + ", want " + quoted(want.description));
}

bool isWeapon(const tamrix::DialogAnswer& a) {
  return a.nameField.find(kDamageLabel) != std::string::npos;
}

bool hasDoubleAcute(std::string_view cp1250) {
  // o, u, O, U with double acute in Windows-1250.
  return cp1250.find_first_of("\xF5\xFB\xD5\xDB") != std::string_view::npos;
}

// The first item number from `from` on whose answer satisfies `wanted`.
template <typename Wanted>
std::optional<int32_t> findNumber(Oracle& oracle, int32_t from, Wanted wanted) {
  for (int32_t n = from; n < 29800; ++n) {
    if (wanted(oracle.answer(n)))
      return n;
  }
  return std::nullopt;
}

std::optional<int32_t> accentedPrefixedWeapon(Oracle& oracle) {
  return findNumber(oracle, 1450, [](const tamrix::DialogAnswer& a) {
    return isWeapon(a) && hasDoubleAcute(tamrix::firstLine(a.nameField));
  });
}

int answers(HWND dialog) {
  Oracle oracle;
  struct Case {
    std::string label;
    std::wstring field;
    int32_t number;  // what the dialog reads from the field
  };
  std::vector<Case> cases = {
      {"empty field", L"", 0},
      {"0", L"0", 0},
      {"not a number", L"abc", 0},
      {"beyond 32 bits", L"99999999999", 0},
      {"999 (below the item range)", L"999", 999},
      {"29800 (past the item range)", L"29800", 29800},
      {"-5", L"-5", -5},
      {"1000", L"1000", 1000},
      {"2385", L"2385", 2385},
  };
  auto addFound = [&](const std::string& label, std::optional<int32_t> n) {
    check(n.has_value(), "the sample data has " + label);
    if (n)
      cases.push_back({label + " " + std::to_string(*n), std::to_wstring(*n), *n});
  };
  auto named = [](const tamrix::DialogAnswer& a) {
    return !a.nameField.empty() && a.nameField != kChaosText;
  };
  addFound("a plain item", findNumber(oracle, 1001, named));
  addFound("a prefixed item", findNumber(oracle, 1450, named));
  addFound("a chaos item", findNumber(oracle, 1000, [](const tamrix::DialogAnswer& a) {
             return a.nameField == kChaosText;
           }));
  addFound("a weapon", findNumber(oracle, 1000, isWeapon));
  addFound("a prefixed weapon with o/u double acute", accentedPrefixedWeapon(oracle));

  for (const Case& c : cases) {
    SetDlgItemTextW(dialog, kItemNumber, c.field.c_str());
    checkFields(dialog, oracle.expected(c.number), c.label + ":");
  }
  return finish();
}

// Typed keys arrive asynchronously: waits until the field holds `text`.
int expect(HWND dialog, const std::string& text) {
  Oracle oracle;
  const ULONGLONG end = GetTickCount64() + 5000;
  while (toUtf8(controlText(dialog, kItemNumber)) != text && GetTickCount64() < end)
    Sleep(50);
  const std::wstring field = controlText(dialog, kItemNumber);
  check(toUtf8(field) == text, "typed field holds " + text, "holds " + quoted(field));
  checkFields(dialog, oracle.expected(tamrix::readNumberField(text)), "typed " + text + ":");
  return finish();
}

// Enter and Escape reach the dialog as IDOK and IDCANCEL through its own
// message loop. The outputs are overwritten first so that a re-decode shows.
int keys(HWND dialog) {
  Oracle oracle;
  const std::string text = toUtf8(controlText(dialog, kItemNumber));
  const Expected want = oracle.expected(tamrix::readNumberField(text));
  HWND edit = GetDlgItem(dialog, kItemNumber);
  for (const auto& [key, label] : {std::pair{VK_RETURN, "Enter"}, std::pair{VK_ESCAPE, "Escape"}}) {
    SetDlgItemTextW(dialog, kItemName, L"-");
    SetDlgItemTextW(dialog, kDescription, L"-");
    PostMessageW(edit, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    PostMessageW(edit, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
    const ULONGLONG end = GetTickCount64() + 5000;
    while (!fieldsMatch(dialog, want) && GetTickCount64() < end)
      Sleep(50);
    checkFields(dialog, want, std::string(label) + " re-decodes:");
    Sleep(300);
    check(IsWindow(dialog) && IsWindowVisible(dialog),
          std::string(label) + " leaves the dialog open");
  }
  return finish();
}

int close(HWND dialog) {
  DWORD pid = 0;
  GetWindowThreadProcessId(dialog, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr)
    cannotRun("cannot open the dialog's process");
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process, kWaitMs) == WAIT_OBJECT_0;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  check(ended, "WM_CLOSE ends the process");
  check(ended && code == 1, "the exit code after WM_CLOSE is 1", "it is " + std::to_string(code));
  return finish();
}

struct WindowSearch {
  DWORD pid;
  bool found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && IsWindowVisible(window)) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

int noWindow(const std::wstring& exe, const std::string& label) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    cannotRun("cannot start " + toUtf8(exe));
  WindowSearch search{info.dwProcessId, false};
  const ULONGLONG end = GetTickCount64() + kWaitMs;
  bool ended = false;
  while (!ended && GetTickCount64() < end) {
    EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&search));
    ended = WaitForSingleObject(info.hProcess, 20) == WAIT_OBJECT_0;
  }
  if (!ended)
    TerminateProcess(info.hProcess, 2);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  check(ended, label + ": the program ends by itself");
  check(!search.found, label + ": no window appears");
  check(code == 1, label + ": the exit code is 1", "it is " + std::to_string(code));
  return finish();
}

int resources(const std::wstring& exe) {
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr)
    cannotRun("cannot open the resources of " + toUtf8(exe));
  const WORD usEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  check(FindResourceExW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(101),
                        usEnglish) != nullptr,
        "dialog 101 is US English");
  check(FindResourceW(module, MAKEINTRESOURCEW(102), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */) !=
            nullptr,
        "icon group 102 exists");
  HRSRC icon = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(3) /* RT_ICON */);
  // BITMAPINFOHEADER, 16 palette entries, 4-bit pixels and the mask.
  const DWORD iconSize = icon ? SizeofResource(module, icon) : 0;
  check(iconSize == 40 + 16 * 4 + 512 + 128, "icon 1 is 32 x 32 in 16 colours",
        "its size is " + std::to_string(iconSize));
  if (icon) {
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, icon)));
    check(header->biWidth == 32 && header->biHeight == 64 && header->biBitCount == 4,
          "icon 1 header says 32 x 32 x 4 bpp");
  }
  FreeLibrary(module);
  return finish();
}

std::wstring widen(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<size_t>(size > 0 ? size - 1 : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), size);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 goes out unchanged
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 2 && args[0] == "--desktop") {
    // Windows of a Wine virtual desktop are found only from that desktop,
    // which appears a moment after its explorer process starts.
    const std::wstring name = widen(args[1].c_str());
    HDESK desktop = nullptr;
    const ULONGLONG end = GetTickCount64() + kWaitMs;
    while ((desktop = OpenDesktopW(name.c_str(), 0, FALSE, GENERIC_ALL)) == nullptr &&
           GetTickCount64() < end)
      Sleep(50);
    if (desktop == nullptr || !SetThreadDesktop(desktop))
      cannotRun("cannot switch to desktop " + args[1]);
    args.erase(args.begin(), args.begin() + 2);
  }
  const std::string mode = args.empty() ? "" : args[0];
  const std::string arg = args.size() > 1 ? args[1] : "";
  if (mode == "answers")
    return answers(waitForDialog());
  if (mode == "set") {
    SetDlgItemTextW(waitForDialog(), kItemNumber, widen(arg.c_str()).c_str());
    return 0;
  }
  if (mode == "expect")
    return expect(waitForDialog(), arg);
  if (mode == "keys")
    return keys(waitForDialog());
  if (mode == "close")
    return close(waitForDialog());
  if (mode == "no-window")
    return noWindow(widen(arg.c_str()), args.size() > 2 ? args[2] : "broken data");
  if (mode == "resources")
    return resources(widen(arg.c_str()));
  if (mode == "pick-accented") {
    Oracle oracle;
    const std::optional<int32_t> n = accentedPrefixedWeapon(oracle);
    if (!n)
      cannotRun("the sample data has no prefixed weapon with o/u double acute");
    std::printf("%d\n", static_cast<int>(*n));
    return 0;
  }
  cannotRun("unknown mode \"" + mode + "\"");
}
