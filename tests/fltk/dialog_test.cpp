// The X11 dialog on the test's own X server, run from the folder that holds
// the sample Data: the window driven in-process, where keys go through
// FLTK's event dispatch as typed keys do, and the real tamrix program.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/x.H>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/dialog_logic.h"
#include "app/fltk/main_window.h"
#include "disk/disk_reader.h"
#include "test_support.h"
#include "text/encoding.h"

namespace tamrix {
namespace {

ItemDatabase sample(diskReader());
const bool sampleLoaded = loadDataFiles(sample);

// The scale this run's X server should give: TAMRIX_EXPECTED_SCALE, 1 when
// unset.
double expectedScale() {
  const char* scale = std::getenv("TAMRIX_EXPECTED_SCALE");
  return scale != nullptr ? std::strtod(scale, nullptr) : 1.0;
}

int scaledPixels(int pixels) {
  return static_cast<int>(std::lround(pixels * expectedScale()));
}

// A mapped window whose number field has the keyboard focus.
struct ShownWindow : MainWindow {
  explicit ShownWindow(ItemDatabase& db = sample) : MainWindow(db) {
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
    ShownWindow window;
    EXPECT_EQ(window.descriptionText(), "Írja be a tárgy számát.");
    window.press(key, text);
    EXPECT_TRUE(window.shown()) << key;
    EXPECT_EQ(window.descriptionText(), "Ertelmetlen szam") << key;
  }
}

TEST(ScaleTest, XftDpiWinsOverTheScreenInQuarterSteps) {
  struct Row {
    std::optional<double> xftDpi;
    double screenDpi;
    double scale;
  };
  for (const Row& row :
       {Row{std::nullopt, 96, 1}, Row{std::nullopt, 192, 2}, Row{std::nullopt, 100, 1},
        Row{std::nullopt, 75, 1}, Row{std::nullopt, 144, 1.5}, Row{192, 96, 2}, Row{120, 192, 1.25},
        Row{0, 144, 1.5}}) {
    EXPECT_EQ(screenScale(row.xftDpi, row.screenDpi), row.scale)
        << row.xftDpi.value_or(-1) << " " << row.screenDpi;
  }
}

// Under the X server of this run (96 or 192 dpi, by the screen or Xft.dpi).
TEST(ScaleTest, TheWindowAndItsTextsScaleWithTheScreen) {
  EXPECT_EQ(displayScale(), expectedScale());
  ShownWindow window;
  EXPECT_EQ(window.w(), scaledPixels(279));
  EXPECT_EQ(window.h(), scaledPixels(154));
  EXPECT_EQ(window.nameField().labelsize(), scaledPixels(10));

  // The longest name line of the sample set fits its box.
  const std::string longest = cp1250ToUtf8(firstLine(answerCommand(sample, 7010).nameField));
  ASSERT_EQ(longest, "a varázslatos aranyozott számszeríj");
  fl_font(window.nameField().labelfont(), window.nameField().labelsize());
  const Fl_Box& box = window.nameField();
  EXPECT_LE(fl_width(longest.c_str()), box.w() - Fl::box_dw(box.box()) - 2) << longest;
  EXPECT_LE(fl_height(), box.h() - Fl::box_dh(box.box())) << longest;
  // Made larger, the window gives the room to the description.
  const int fieldWidth = window.descriptionField().w();
  window.resize(window.x(), window.y(), window.w() * 2, window.h());
  EXPECT_GT(window.descriptionField().w(), fieldWidth);
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

// Runs tamrix in `dir` with the environment settings `env` (such as
// "HOME=/x"); reading the stream gives its standard error, pclose its exit
// status, 124 if it ran for 20 seconds.
FILE* start(const std::string& dir, const std::string& env = "") {
  return popen(
      ("cd '" + dir + "' && exec env " + env + " timeout 20 '" TAMRIX_PROGRAM "' 2>&1 >/dev/null")
          .c_str(),
      "r");
}

std::string readAll(FILE* stream) {
  std::string text;
  char buffer[256];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stream)) > 0;)
    text.append(buffer, n);
  return text;
}

// What a window manager sends for the close button or Alt+F4.
void sendClose(Watcher& server, Window window) {
  XEvent close{};
  close.xclient = {ClientMessage, 0, False, server.x, window, server.atom("WM_PROTOCOLS"), 32, {}};
  close.xclient.data.l[0] = static_cast<long>(server.atom("WM_DELETE_WINDOW"));
  XSendEvent(server.x, window, False, NoEventMask, &close);
  XFlush(server.x);
}

// The next window mapped on the server, or 0 within 20 seconds.
Window nextMapped(Watcher& server) {
  XEvent mapped{};
  for (int tries = 0; tries < 400 && !XCheckTypedEvent(server.x, MapNotify, &mapped); ++tries)
    usleep(50'000);
  return mapped.type == MapNotify ? mapped.xmap.window : 0;
}

std::string caption(Watcher& server, Window window) {
  char* name = nullptr;
  if (XFetchName(server.x, window, &name) == 0)
    return "";
  std::string text = name;
  XFree(name);
  return text;
}

// The dialog, or with broken data a message box with the exact error, as
// the error is on standard error; closed, either ends with 1. The current
// folder's Data comes first, whatever the user's folder holds.
TEST(TamrixProgramTest, ShowsTheDialogOrTheLoadErrorAndEndsWithOneOnClose) {
  const auto broken = std::filesystem::canonical(TAMRIX_BROKEN_DATA_DIR);
  const std::tuple<std::string, std::string, std::string> rows[] = {
      {".", "XDG_DATA_HOME='" + broken.string() + "/xdg'", ""},
      {broken.string(), "", (broken / "Data/skill.txt").string() + " : not-a-skill-line\n"},
  };
  for (const auto& [dir, env, error] : rows) {
    Watcher server;
    FILE* program = start(dir, env);
    const Window window = nextMapped(server);
    ASSERT_NE(window, 0u) << dir;
    EXPECT_EQ(caption(server, window), "Tamrix v0.9") << dir;
    sendClose(server, window);
    EXPECT_EQ(readAll(program), error) << dir;
    EXPECT_EQ(WEXITSTATUS(pclose(program)), 1) << dir;
  }
}

// A Data folder without the data files, here and in the home folder, holds
// no data set: without one anywhere, the message names the folders searched
// and what each lacks (on standard error only, without a display).
TEST(TamrixProgramTest, WithoutADataSetTheFoldersSearchedAreNamed) {
  const auto decoy = std::filesystem::canonical(TAMRIX_BROKEN_DATA_DIR) / "decoy";
  const auto installed =
      (std::filesystem::path(TAMRIX_PROGRAM).parent_path() / "../share/tamrix").lexically_normal();
  FILE* program =
      start(decoy.string(), "-u DISPLAY -u XDG_DATA_HOME HOME='" + decoy.string() + "'");
  EXPECT_EQ(readAll(program),
            "Nincs Data mappa az adatfájlokkal (skill.txt, stditem.txt, type.txt, "
            "rnditem.txt, change.txt) ezekben a mappákban:\n" +
                decoy.string() +
                " (a Data mappából hiányzik: skill.txt, stditem.txt, type.txt, rnditem.txt, "
                "change.txt)\n" +
                decoy.string() + "/.local/share/tamrix (nincs Data mappája)\n" +
                installed.string() + " (nincs Data mappája)\n");
  EXPECT_EQ(WEXITSTATUS(pclose(program)), 1);
}

// The message box that a failed start shows: its one button is Hungarian.
TEST(MessageBoxTest, TheCloseButtonIsHungarian) {
  std::vector<std::string> buttons;
  Fl::add_timeout(
      0.2,
      [](void* found) {
        Fl_Window* box = Fl::modal();
        if (box == nullptr)
          return;
        for (int i = 0; i < box->children(); ++i) {
          const auto* button = dynamic_cast<const Fl_Button*>(box->child(i));
          if (button != nullptr && button->visible() && button->label() != nullptr)
            static_cast<std::vector<std::string>*>(found)->push_back(button->label());
        }
        box->hide();
      },
      &buttons);
  showMessageBox("x");
  EXPECT_EQ(buttons, std::vector<std::string>{"Bezárás"});
}

}  // namespace
}  // namespace tamrix
