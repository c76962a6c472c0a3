// Helpers for the GUI tests: a private X server and child processes that
// cannot outlive the test.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tamrix::test {

// An Xvfb server on a display number it picks itself. The server is killed
// when the object goes away, and also when the test process dies in any
// way (it is started with a parent-death signal).
class XvfbServer {
 public:
  XvfbServer() = default;
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // Starts the server and waits until it accepts clients. Returns false,
  // with `error` set, when it does not come up.
  bool start(std::string& error);

  void stop();

  // ":N", valid after a successful start.
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// A program run as a child process with no standard input, killed if the
// test process dies.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `program` with no arguments in `workingDir`.
  bool start(const std::string& program, const std::filesystem::path& workingDir,
             std::string& error);

  // The exit code once the process has ended on its own, or nothing if it
  // is still running.
  std::optional<int> exitCode();

  // Waits up to `limit` for the process to end; its exit code, -1 if it was
  // killed by a signal, or nothing if it still runs.
  std::optional<int> waitForExit(std::chrono::milliseconds limit);

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

}  // namespace tamrix::test
