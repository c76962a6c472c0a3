// Every byte tamrix-cli writes to standard output or standard error goes
// through here: a Windows console gets wide text whatever its code page, a
// terminal never gets a data file's control bytes raw, and the first write
// that fails ends the program.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tamrix::cli {

// What is written to a stream.
//  kText:  UTF-8 text. On a Windows console it is written with the wide
//          console call; elsewhere its bytes are written as they are.
//  kBytes: exact bytes (Windows-1250 for --raw), never converted.
enum class Payload { kText, kBytes };

// Sets how `stream` (stdout or stderr) is written from now on. With
// `escapeOnTerminal`, text written to a terminal or console shows its
// control characters escaped (see escapeControls).
void setUpStream(std::FILE* stream, Payload payload, bool escapeOnTerminal);

// Writes `bytes` to `stream` (stdout or stderr); for kText, whole UTF-8
// characters. When the write fails, one message goes to standard error and
// the program ends with exit status 1.
void writeOutput(std::FILE* stream, std::string_view bytes);

// The exit status that a failed write ends the program with; 1 unless set.
void setWriteFailureStatus(int status);

// Flushes `stream`; a failure ends the program like a failed write.
void flushOutput(std::FILE* stream);

// Flushes both streams and returns `status`; a failure ends the program
// like a failed write.
int finishOutput(int status);

// `utf8` with every control character except line feed and tab (C0, DEL and
// C1) written as \x and two upper-case hex digits of its code point.
std::string escapeControls(std::string_view utf8);

}  // namespace tamrix::cli
