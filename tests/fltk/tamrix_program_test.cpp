// The real tamrix program on the test's X server: it shows its window and
// ends with 1 on a close request, and with broken data it shows no window.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "test_support.h"

namespace tamrix {
namespace {

// The program started in `dir`; killed if the test ends before it does.
class Program {
 public:
  explicit Program(const std::filesystem::path& dir) : pid_(fork()) {
    if (pid_ == 0) {
      if (chdir(dir.c_str()) == 0)
        execl(TAMRIX_PROGRAM, TAMRIX_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Program() {
    if (pid_ > 0 && kill(pid_, SIGKILL) == 0)
      waitpid(pid_, nullptr, 0);
  }
  bool running() {
    if (pid_ > 0 && waitpid(pid_, &status_, WNOHANG) == pid_)
      pid_ = -1;
    return pid_ > 0;
  }
  // The exit code, or -1 if it does not end within 20 seconds.
  int exitCode() {
    for (int tries = 0; tries < 400 && running(); ++tries)
      usleep(50'000);
    return running() || !WIFEXITED(status_) ? -1 : WEXITSTATUS(status_);
  }

 private:
  pid_t pid_;
  int status_ = 0;
};

struct XConnection {
  Display* x = XOpenDisplay(nullptr);
  ~XConnection() {
    if (x != nullptr)
      XCloseDisplay(x);
  }
  Atom atom(const char* name) { return XInternAtom(x, name, False); }
};

// The mapped top-level window with this caption, or 0.
Window findWindow(XConnection& display, const char* caption) {
  Window root = 0, parent = 0, *children = nullptr, found = 0;
  unsigned count = 0;
  XQueryTree(display.x, DefaultRootWindow(display.x), &root, &parent, &children, &count);
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    XWindowAttributes attributes{};
    if (XFetchName(display.x, children[i], &name) != 0 && std::strcmp(name, caption) == 0 &&
        XGetWindowAttributes(display.x, children[i], &attributes) != 0 &&
        attributes.map_state == IsViewable)
      found = children[i];
    XFree(name);
  }
  XFree(children);
  return found;
}

TEST(TamrixProgramTest, ShowsTheDialogAndEndsWithOneOnClose) {
  XConnection display;
  ASSERT_NE(display.x, nullptr);
  Program program(test::sampleDataDir().parent_path());
  Window window = 0;
  for (int tries = 0; tries < 400 && window == 0 && program.running(); ++tries) {
    usleep(50'000);
    window = findWindow(display, "Tamrix v0.9");
  }
  ASSERT_NE(window, 0u);

  // 186 x 95 dialog units, and the 32 x 32 icon as the window manager reads it.
  XWindowAttributes attributes{};
  XGetWindowAttributes(display.x, window, &attributes);
  EXPECT_EQ(attributes.width, 279);
  EXPECT_EQ(attributes.height, 154);
  Atom type = 0;
  int format = 0;
  unsigned long items = 0, remaining = 0;
  unsigned char* icon = nullptr;
  XGetWindowProperty(display.x, window, display.atom("_NET_WM_ICON"), 0, 4096, False, XA_CARDINAL,
                     &type, &format, &items, &remaining, &icon);
  EXPECT_EQ(items, 2u + 32u * 32u);
  XFree(icon);

  // What a window manager sends for the close button or Alt+F4.
  XEvent close{};
  close.xclient = {
      ClientMessage, 0, False, display.x, window, display.atom("WM_PROTOCOLS"), 32, {}};
  close.xclient.data.l[0] = static_cast<long>(display.atom("WM_DELETE_WINDOW"));
  XSendEvent(display.x, window, False, NoEventMask, &close);
  XFlush(display.x);
  EXPECT_EQ(program.exitCode(), 1);
}

TEST(TamrixProgramTest, BrokenDataEndsWithOneAndShowsNoWindow) {
  XConnection display;
  ASSERT_NE(display.x, nullptr);
  // Every window created on the server from here on is reported.
  XSelectInput(display.x, DefaultRootWindow(display.x), SubstructureNotifyMask);
  XSync(display.x, False);
  test::TempDir dir;
  dir.write("Data/skill.txt", "-start-\nnot-a-skill-line\n");  // the first file read
  EXPECT_EQ(Program(dir.path()).exitCode(), 1);
  XSync(display.x, False);
  XEvent event{};
  EXPECT_FALSE(XCheckTypedEvent(display.x, CreateNotify, &event));
}

}  // namespace
}  // namespace tamrix
