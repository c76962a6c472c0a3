// The real tamrix program under the test's X server: it shows its window,
// closes on a window-manager close request with exit code 1, and shows no
// window at all when the data files do not load.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "test_support.h"
#include "x_session.h"

namespace tamrix {
namespace {

using std::chrono::milliseconds;
constexpr milliseconds kPatience{20000};

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

// The mapped top-level window with this caption, or 0.
Window findWindow(Display* display, const char* caption) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return 0;
  }
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    XWindowAttributes attributes{};
    if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
      if (std::string(name) == caption &&
          XGetWindowAttributes(display, children[i], &attributes) != 0 &&
          attributes.map_state == IsViewable) {
        found = children[i];
      }
      XFree(name);
    }
  }
  if (children != nullptr)
    XFree(children);
  return found;
}

// What a window manager sends for the close button or Alt+F4.
void requestClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

DisplayHandle openDisplay() {
  return DisplayHandle(XOpenDisplay(std::getenv("DISPLAY")));
}

TEST(TamrixProgramTest, ShowsTheDialogAndEndsWithOneOnClose) {
  DisplayHandle display = openDisplay();
  ASSERT_NE(display, nullptr);

  test::ChildProcess program;
  std::string error;
  ASSERT_TRUE(program.start(TAMRIX_PROGRAM, test::sampleDataDir().parent_path(), error)) << error;

  Window window = 0;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (window == 0 && !program.exitCode() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(milliseconds(50));
    window = findWindow(display.get(), "Tamrix v0.9");
  }
  ASSERT_NE(window, 0u) << "no window; exit code " << program.exitCode().value_or(-2);

  // 186 x 95 dialog units.
  XWindowAttributes attributes{};
  ASSERT_NE(XGetWindowAttributes(display.get(), window, &attributes), 0);
  EXPECT_EQ(attributes.width, 279);
  EXPECT_EQ(attributes.height, 154);

  // The application icon, 32 x 32, as the window manager reads it: width,
  // height, then one ARGB value per pixel.
  Atom type = 0;
  int format = 0;
  unsigned long items = 0;
  unsigned long remaining = 0;
  unsigned char* icon = nullptr;
  ASSERT_EQ(
      XGetWindowProperty(display.get(), window, XInternAtom(display.get(), "_NET_WM_ICON", False),
                         0, 4096, False, XA_CARDINAL, &type, &format, &items, &remaining, &icon),
      Success);
  ASSERT_NE(icon, nullptr);
  const auto* values = reinterpret_cast<const long*>(icon);
  EXPECT_EQ(items, 2u + 32u * 32u);
  if (items >= 2) {
    EXPECT_EQ(values[0], 32);
    EXPECT_EQ(values[1], 32);
  }
  XFree(icon);

  requestClose(display.get(), window);
  EXPECT_EQ(program.waitForExit(kPatience), 1);
}

TEST(TamrixProgramTest, FailedLoadEndsWithOneAndShowsNoWindow) {
  DisplayHandle display = openDisplay();
  ASSERT_NE(display, nullptr);
  // Every window created on the server from here on is reported.
  XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);
  XSync(display.get(), False);

  const struct {
    const char* name;
    const char* skillFile;  // nullptr: no Data folder at all
  } cases[] = {
      {"no Data folder", nullptr},
      {"a rejected line", "header\n-start-\n999 x\n"},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    if (c.skillFile != nullptr) {
      for (const char* file : {"stditem.txt", "rnditem.txt", "type.txt", "change.txt"}) {
        dir.write(std::string("Data/") + file, "-start-\n");
      }
      dir.write("Data/skill.txt", c.skillFile);
    }
    test::ChildProcess program;
    std::string error;
    ASSERT_TRUE(program.start(TAMRIX_PROGRAM, dir.path(), error)) << error;
    EXPECT_EQ(program.waitForExit(kPatience), 1) << c.name;

    XSync(display.get(), False);
    XEvent event{};
    EXPECT_FALSE(XCheckTypedEvent(display.get(), CreateNotify, &event)) << c.name;
  }
}

}  // namespace
}  // namespace tamrix
