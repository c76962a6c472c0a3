// The X11 dialog on the test's own X server, run from the folder that holds
// the sample Data: the window driven in-process, where keys go through
// FLTK's event dispatch as typed keys do, and the real tamrix program.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/dialog_logic.h"
#include "app/fltk/main_window.h"
#include "text/encoding.h"

namespace tamrix {
namespace {

ItemDatabase sample;
const bool sampleLoaded = loadDataFiles(sample);

// A mapped window whose number field has the keyboard focus.
struct ShownWindow : MainWindow {
  ShownWindow() : MainWindow(sample) {
    EXPECT_TRUE(sampleLoaded) << sample.lastError().value_or("");
    show();
    XWindowAttributes attributes{};
    for (int tries = 0; tries < 400 && attributes.map_state != IsViewable; ++tries) {
      Fl::wait(0.05);
      XGetWindowAttributes(fl_display, fl_xid(this), &attributes);
    }
    numberField().take_focus();
  }
  ~ShownWindow() override {
    hide();
    XSync(fl_display, False);  // gone from the server before the next test looks
  }

  // One key press as the X event would deliver it.
  void press(int key, std::string text, int state = 0) {
    Fl::e_keysym = key;
    Fl::e_state = state;
    Fl::e_text = text.data();
    Fl::e_length = static_cast<int>(text.size());
    Fl::handle(FL_KEYBOARD, this);
    Fl::e_text = nullptr;
    Fl::e_length = Fl::e_state = 0;
  }
  void type(std::string_view keys) {
    for (const char c : keys)
      press(c, std::string(1, c));
  }
  std::string field() { return numberField().value(); }

  void expectAnswer(std::string_view fieldText) {
    const DialogAnswer want = answerCommand(sample, readNumberField(fieldText));
    EXPECT_EQ(nameText(), cp1250ToUtf8(want.nameField)) << fieldText;
    EXPECT_EQ(descriptionText(), cp1250ToUtf8(want.descriptionField)) << fieldText;
  }
};

TEST(MainWindowTest, EveryTypedOrErasedDigitAnswersTheField) {
  // A prefixed weapon, one with a double acute, a chaos item, one past the
  // last item, a number beyond 32 bits (and its prefixes below 1000), 0.
  for (const std::string number : {"2385", "1451", "1464", "29800", "99999999999", "0"}) {
    ShownWindow window;
    for (const char digit : number) {
      window.type(std::string(1, digit));
      window.expectAnswer(window.field());
    }
    ASSERT_EQ(window.field(), number);
    while (!window.field().empty()) {
      window.press(FL_BackSpace, "\b");
      window.expectAnswer(window.field());
    }
  }
}

TEST(MainWindowTest, OnlyDigitsGetIntoTheField) {
  ShownWindow window;
  window.type("1a-.2");
  window.press(0xE1, "\xC3\xA1");  // a key that gives an accented letter
  EXPECT_EQ(window.field(), "12");
  // A paste is taken whole or not at all.
  for (const auto& [clipboard, field] : {std::pair{"5x6", "12"}, std::pair{"56", "1256"}}) {
    Fl::copy(clipboard, static_cast<int>(std::string_view(clipboard).size()), 1);
    window.press('v', "\x16", FL_CTRL);
    EXPECT_EQ(window.field(), field) << clipboard;
  }
}

TEST(MainWindowTest, EnterAndEscapeAnswerAgainAndKeepTheWindow) {
  for (const auto& [key, text] :
       {std::pair{FL_Enter, "\r"}, std::pair{FL_KP_Enter, "\r"}, std::pair{FL_Escape, "\x1B"}}) {
    ShownWindow window;  // still showing its initial text, not an answer
    window.press(key, text);
    EXPECT_TRUE(window.shown()) << key;
    EXPECT_EQ(window.descriptionText(), "Ertelmetlen szam") << key;
  }
}

// A picture for a person to look at, left in the build tree.
TEST(MainWindowTest, ScreenshotOfAPrefixedWeapon) {
  ShownWindow window;
  window.type("2385");
  Fl::flush();
  XSync(fl_display, False);
  const std::string command = "import -window " + std::to_string(fl_xid(&window)) + " '" +
                              TAMRIX_SCREENSHOT_DIR + "/tamrix-dialog.png'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

// A second client of the server, told of every window created or mapped
// from now on.
struct Watcher {
  Display* x = XOpenDisplay(nullptr);
  Watcher() {
    XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
    XSync(x, False);
  }
  ~Watcher() { XCloseDisplay(x); }
  Atom atom(const char* name) { return XInternAtom(x, name, False); }
};

// Runs tamrix in `dir`; pclose gives its exit status, 124 if it ran for 20 seconds.
FILE* start(const char* dir) {
  return popen(("cd '" + std::string(dir) + "' && exec timeout 20 '" TAMRIX_PROGRAM "'").c_str(),
               "r");
}

TEST(TamrixProgramTest, ShowsTheDialogAndEndsWithOneOnClose) {
  Watcher server;
  FILE* program = start(".");
  XEvent mapped{};
  for (int tries = 0; tries < 400 && !XCheckTypedEvent(server.x, MapNotify, &mapped); ++tries)
    usleep(50'000);
  ASSERT_EQ(mapped.type, MapNotify);
  const Window window = mapped.xmap.window;
  char* caption = nullptr;
  ASSERT_NE(XFetchName(server.x, window, &caption), 0);
  EXPECT_STREQ(caption, "Tamrix v0.9");
  XFree(caption);

  // 186 x 95 dialog units, and the 32 x 32 icon as the window manager reads it.
  XWindowAttributes attributes{};
  XGetWindowAttributes(server.x, window, &attributes);
  EXPECT_EQ(attributes.width, 279);
  EXPECT_EQ(attributes.height, 154);
  Atom type = 0;
  int format = 0;
  unsigned long items = 0, remaining = 0;
  unsigned char* icon = nullptr;
  XGetWindowProperty(server.x, window, server.atom("_NET_WM_ICON"), 0, 4096, False, XA_CARDINAL,
                     &type, &format, &items, &remaining, &icon);
  EXPECT_EQ(items, 2u + 32u * 32u);
  XFree(icon);

  // What a window manager sends for the close button or Alt+F4.
  XEvent close{};
  close.xclient = {ClientMessage, 0, False, server.x, window, server.atom("WM_PROTOCOLS"), 32, {}};
  close.xclient.data.l[0] = static_cast<long>(server.atom("WM_DELETE_WINDOW"));
  XSendEvent(server.x, window, False, NoEventMask, &close);
  XFlush(server.x);
  EXPECT_EQ(WEXITSTATUS(pclose(program)), 1);
}

TEST(TamrixProgramTest, BrokenDataEndsWithOneAndShowsNoWindow) {
  Watcher server;
  EXPECT_EQ(WEXITSTATUS(pclose(start(TAMRIX_BROKEN_DATA_DIR))), 1);
  XSync(server.x, False);
  XEvent created{};
  EXPECT_FALSE(XCheckTypedEvent(server.x, CreateNotify, &created));
}

}  // namespace
}  // namespace tamrix
