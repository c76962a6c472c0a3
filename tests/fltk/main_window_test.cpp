// The dialog window driven in-process: keys go through FLTK's event
// dispatch exactly as typed keys do, and the output fields are read back.
#include "app/fltk/main_window.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/dialog_logic.h"
#include "app/encoding.h"
#include "test_support.h"

namespace tamrix {
namespace {

constexpr std::string_view kMeaningless = "Ertelmetlen szam";

// Waits, within a generous limit, until the X server has mapped the window.
bool waitUntilViewable(Fl_Window& window) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    Fl::wait(0.05);
    XWindowAttributes attributes{};
    const Window xid = fl_xid(&window);
    if (xid != 0 && XGetWindowAttributes(fl_display, xid, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
      return true;
    }
  }
  return false;
}

// Gives the window the X input focus, as a window manager does, and waits
// until FLTK has passed it on to a widget.
bool focusWindow(Fl_Window& window) {
  if (!waitUntilViewable(window))
    return false;
  XSetInputFocus(fl_display, fl_xid(&window), RevertToParent, CurrentTime);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Fl::focus() == nullptr && std::chrono::steady_clock::now() < deadline) {
    Fl::wait(0.05);
  }
  return Fl::focus() != nullptr;
}

class MainWindowTest : public testing::Test {
 protected:
  static ItemDatabase& database() {
    static ItemDatabase db;
    return db;
  }

  static void SetUpTestSuite() {
    test::ScopedCurrentDir inRepository(test::sampleDataDir().parent_path());
    loaded_ = loadDataFiles(database());
  }

  void SetUp() override {
    ASSERT_TRUE(loaded_) << database().lastError.value_or("");
    openWindow();
  }

  void openWindow() {
    window_.emplace(database());
    window_->show();
    ASSERT_TRUE(focusWindow(*window_));
    // The number field is the only control that takes the focus.
    ASSERT_EQ(Fl::focus(), &window_->numberField());
  }

  std::string_view field() { return window_->numberField().value(); }

  void TearDown() override {
    if (window_)
      window_->hide();
    window_.reset();
    Fl::check();
  }

  // Sends one key press to the window as the X event would arrive.
  void press(int key, std::string_view text, int state = 0) {
    std::string buffer(text);
    char* const previous = Fl::e_text;
    Fl::e_keysym = key;
    Fl::e_state = state;
    Fl::e_text = buffer.data();
    Fl::e_length = static_cast<int>(buffer.size());
    Fl::handle(FL_KEYBOARD, &*window_);
    Fl::e_text = previous;
    Fl::e_length = 0;
    Fl::e_state = 0;
  }

  void typeText(std::string_view text) {
    for (const char c : text)
      press(static_cast<unsigned char>(c), std::string(1, c));
  }

  void clearField() {
    while (window_->numberField().size() > 0)
      press(FL_BackSpace, "\b");
  }

  // The window shows what the shared dialog logic answers for its field.
  void expectAnswerFor(std::string_view field, std::string_view context) {
    const DialogAnswer answer = answerCommand(database(), readNumberField(field));
    EXPECT_EQ(window_->nameText(), cp1250ToUtf8(answer.nameField)) << context;
    EXPECT_EQ(window_->descriptionText(), cp1250ToUtf8(answer.descriptionField)) << context;
  }

  static inline bool loaded_ = false;
  std::optional<MainWindow> window_;
};

TEST_F(MainWindowTest, EveryKeyAnswersTheNumberTypedSoFar) {
  const char* const numbers[] = {
      "2385",         // a prefixed item
      "1000",         // the first standard item
      "29799",        // the last item number
      "29800",        // one past it: no item
      "999",          // below the item numbers: no item
      "0",            // meaningless
      "99999999999",  // beyond 32 bits: meaningless
  };
  for (const char* number : numbers) {
    std::string typed;
    for (const char digit : std::string_view(number)) {
      typed += digit;
      press(digit, std::string(1, digit));
      ASSERT_EQ(field(), typed);
      expectAnswerFor(typed, typed);
    }
    // Deleting is a change too, down to the empty field.
    while (!typed.empty()) {
      typed.pop_back();
      press(FL_BackSpace, "\b");
      ASSERT_EQ(field(), typed);
      expectAnswerFor(typed, "erased to " + typed);
    }
    EXPECT_EQ(window_->descriptionText(), kMeaningless) << number;
  }
}

TEST_F(MainWindowTest, OnlyDigitsCanBeTyped) {
  const struct {
    std::string_view keys;
    std::string_view field;
  } rows[] = {
      {"12a3", "123"},
      {"-5", "5"},
      {"0x1F", "01"},
      {"1.5e3", "153"},
  };
  for (const auto& row : rows) {
    clearField();
    typeText(row.keys);
    EXPECT_EQ(field(), row.field) << row.keys;
    expectAnswerFor(row.field, row.keys);
  }
  // A key that produces a non-ASCII letter is refused as well.
  clearField();
  press(0xE1, "\xC3\xA1");
  EXPECT_EQ(window_->numberField().size(), 0);
}

TEST_F(MainWindowTest, PasteIsTakenOnlyWhenItIsAllDigits) {
  const struct {
    std::string_view clipboard;
    std::string_view field;
  } rows[] = {
      {"56", "1256"},
      {"56x", "12"},
      {"-56", "12"},
      {"56\n", "12"},
  };
  for (const auto& row : rows) {
    clearField();
    typeText("12");
    Fl::copy(row.clipboard.data(), static_cast<int>(row.clipboard.size()), 1);
    press('v', "\x16", FL_CTRL);
    Fl::check();
    EXPECT_EQ(field(), row.field) << row.clipboard;
    expectAnswerFor(row.field, row.clipboard);
  }
}

TEST_F(MainWindowTest, EnterAndEscapeAnswerAndKeepTheWindow) {
  const struct {
    int key;
    std::string_view text;
    const char* name;
  } keys[] = {
      {FL_Enter, "\r", "Enter"},
      {FL_KP_Enter, "\r", "keypad Enter"},
      {FL_Escape, "\x1B", "Escape"},
  };
  for (const auto& key : keys) {
    // A fresh window still shows its initial text; the key must replace it
    // with the answer for the empty field.
    openWindow();
    ASSERT_EQ(window_->descriptionText(), "Static");
    press(key.key, key.text);
    EXPECT_TRUE(window_->shown()) << key.name;
    EXPECT_EQ(window_->descriptionText(), kMeaningless) << key.name;

    typeText("2385");
    press(key.key, key.text);
    EXPECT_TRUE(window_->shown()) << key.name;
    EXPECT_EQ(field(), "2385") << key.name;
    expectAnswerFor("2385", key.name);
  }
  // A close request, by contrast, ends the dialog.
  Fl::handle(FL_CLOSE, &*window_);
  EXPECT_FALSE(window_->shown());
}

// Writes the window as a picture into the build tree, for a person to look
// at: PNG when ImageMagick is there, PPM otherwise.
TEST_F(MainWindowTest, ScreenshotOfAPrefixedWeapon) {
  typeText("2385");
  window_->redraw();
  Fl::flush();
  XSync(fl_display, False);

  const int width = window_->w();
  const int height = window_->h();
  window_->make_current();
  std::unique_ptr<uchar[]> pixels(fl_read_image(nullptr, 0, 0, width, height));
  ASSERT_NE(pixels, nullptr);

  const std::filesystem::path dir = TAMRIX_SCREENSHOT_DIR;
  const std::filesystem::path ppm = dir / "tamrix-dialog.ppm";
  {
    std::ofstream out(ppm, std::ios::binary | std::ios::trunc);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    out.write(reinterpret_cast<const char*>(pixels.get()),
              static_cast<std::streamsize>(width) * height * 3);
    ASSERT_TRUE(out.good());
  }
  if (std::filesystem::exists("/usr/bin/convert")) {
    const std::string command =
        "/usr/bin/convert '" + ppm.string() + "' '" + (dir / "tamrix-dialog.png").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }
}

}  // namespace
}  // namespace tamrix
