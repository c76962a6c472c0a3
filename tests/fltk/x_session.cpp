#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace tamrix::test {
namespace {

// In the child after fork: die with the parent and read nothing.
// Only async-signal-safe calls are allowed here.
void detachChild(pid_t parent) {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent)
    _exit(127);  // the parent is already gone
  const int devNull = open("/dev/null", O_RDWR);
  if (devNull >= 0) {
    dup2(devNull, STDIN_FILENO);
    dup2(devNull, STDOUT_FILENO);
    if (devNull > STDERR_FILENO)
      close(devNull);
  }
}

// Asks the process to end (Xvfb then removes its lock and socket) and
// kills it if it does not.
void stopProcess(pid_t pid) {
  if (pid <= 0)
    return;
  kill(pid, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

XvfbServer::~XvfbServer() {
  stop();
}

void XvfbServer::stop() {
  stopProcess(pid_);
  pid_ = -1;
}

bool XvfbServer::start(std::string& error) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    error = "cannot create a pipe";
    return false;
  }
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) {
    error = "cannot fork";
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  if (pid_ == 0) {
    detachChild(parent);
    // Xvfb writes the display number it chose to descriptor 3, which must
    // survive the exec.
    if (fds[1] == 3) {
      fcntl(3, F_SETFD, 0);
    } else {
      dup2(fds[1], 3);
    }
    const int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0)
      dup2(devNull, STDERR_FILENO);
    execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "800x600x24", "-nolisten", "tcp",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);

  std::string number;
  bool complete = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!complete && std::chrono::steady_clock::now() < deadline) {
    pollfd readable{fds[0], POLLIN, 0};
    if (poll(&readable, 1, 200) <= 0)
      continue;
    char c = 0;
    const ssize_t got = read(fds[0], &c, 1);
    if (got <= 0)
      break;  // the server ended before it reported a display
    if (c == '\n') {
      complete = !number.empty();
    } else {
      number += c;
    }
  }
  close(fds[0]);
  if (!complete) {
    error = "Xvfb did not start (is it installed? scripts/install-deps.sh installs it)";
    stopProcess(pid_);
    pid_ = -1;
    return false;
  }
  display_ = ":" + number;
  return true;
}

ChildProcess::~ChildProcess() {
  if (!status_)
    stopProcess(pid_);
}

bool ChildProcess::start(const std::string& program, const std::filesystem::path& workingDir,
                         std::string& error) {
  const std::string dir = workingDir.string();
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) {
    error = "cannot fork";
    return false;
  }
  if (pid_ == 0) {
    detachChild(parent);
    if (chdir(dir.c_str()) != 0)
      _exit(126);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return true;
}

std::optional<int> ChildProcess::exitCode() {
  if (!status_ && pid_ > 0) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  return status_;
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!exitCode() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return exitCode();
}

}  // namespace tamrix::test
