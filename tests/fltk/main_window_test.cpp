// The dialog window driven in-process on the test's X server: keys go
// through FLTK's event dispatch as typed keys do, and the output fields are
// read back and compared with the shared dialog logic.
#include "app/fltk/main_window.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/x.H>

#include <cstdlib>
#include <string>
#include <string_view>

#include "app/dialog_logic.h"
#include "app/encoding.h"
#include "test_support.h"

namespace tamrix {
namespace {

ItemDatabase& sampleDatabase() {
  static ItemDatabase db;
  static const bool loaded = [] {
    test::ScopedCurrentDir inRepository(test::sampleDataDir().parent_path());
    return loadDataFiles(db);
  }();
  EXPECT_TRUE(loaded) << db.lastError.value_or("");
  return db;
}

// A shown window whose number field has the keyboard focus.
struct ShownWindow : MainWindow {
  ShownWindow() : MainWindow(sampleDatabase()) {
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
    const DialogAnswer want = answerCommand(sampleDatabase(), readNumberField(fieldText));
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
    window.expectAnswer(field);
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

TEST(MainWindowTest, ScreenshotOfAPrefixedWeapon) {
  ShownWindow window;
  window.type("2385");
  Fl::flush();
  XSync(fl_display, False);
  const std::string command = "import -window " + std::to_string(fl_xid(&window)) + " '" +
                              TAMRIX_SCREENSHOT_DIR + "/tamrix-dialog.png'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace tamrix
