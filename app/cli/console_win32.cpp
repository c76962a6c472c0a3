#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <limits>

#include "app/cli/console.h"

namespace tamrix::cli {

namespace {

HANDLE handleOf(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

}  // namespace

bool isTerminal(std::FILE* stream) {
  // _isatty is also true for the NUL device; only a console has a mode.
  DWORD mode = 0;
  return GetConsoleMode(handleOf(stream), &mode) != 0;
}

bool isWideConsole(std::FILE* stream) {
  return isTerminal(stream);
}

bool writeConsoleText(std::FILE* stream, std::string_view utf8) {
  if (utf8.empty())
    return true;
  if (utf8.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
    return false;
  const int size = static_cast<int>(utf8.size());
  const int wideSize = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  if (wideSize <= 0)
    return false;
  std::wstring wide(static_cast<size_t>(wideSize), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), wideSize);
  const HANDLE console = handleOf(stream);
  const wchar_t* next = wide.data();
  DWORD left = static_cast<DWORD>(wide.size());
  while (left > 0) {
    DWORD written = 0;
    if (!WriteConsoleW(console, next, left, &written, nullptr) || written == 0)
      return false;
    next += written;
    left -= written;
  }
  return true;
}

void useBinaryOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> utf8Arguments(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string argument(size > 0 ? static_cast<size_t>(size) : 1u, '\0');
    if (size > 0)
      WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, argument.data(), size, nullptr, nullptr);
    argument.pop_back();  // the terminating NUL
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace tamrix::cli
