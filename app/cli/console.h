// The platform's side of tamrix-cli's input and output: one file per
// platform (console_posix.cpp, console_win32.cpp).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tamrix::cli {

// True when `stream` is a terminal (on Windows: a console).
bool isTerminal(std::FILE* stream);

// True when text for `stream` must go through writeConsoleText: a Windows
// console. Always false elsewhere.
bool isWideConsole(std::FILE* stream);

// Writes UTF-8 text to the console behind `stream` as UTF-16. Returns false
// when the write fails.
bool writeConsoleText(std::FILE* stream, std::string_view utf8);

// Gives standard output and standard error the same bytes on every
// platform: no CR LF translation, NUL bytes intact.
void useBinaryOutput();

#ifdef _WIN32
// The program's arguments, given as UTF-16, in UTF-8.
std::vector<std::string> utf8Arguments(int argc, wchar_t** argv);
#endif

}  // namespace tamrix::cli
