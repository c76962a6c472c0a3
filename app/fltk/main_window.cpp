#include "app/fltk/main_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Pixmap.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/dialog_logic.h"
#include "app/version.h"
#include "text/encoding.h"

#include "app/icon/tamrix.xpm"

namespace tamrix {
namespace {

// The dialog is laid out in dialog units of its 8 pt font: one horizontal
// unit is 1.5 pixels, one vertical unit 1.625, at 96 dpi; at other scales
// the pixels at 96 dpi are scaled. Edges are scaled rather than sizes, so
// boxes that meet in dialog units meet in pixels.
//
//   +------------------------- 186 --------------------------+
//   |                A targy szama: [number field  ]          |  y 7
//   |      +-------------- name line --------------+         |  y 20
//   |      +---------------------------------------+         |
//   |  +-------------------------------------------------+   |  y 37
//   |  | description, word-wrapped                       |   |
//   |  +-------------------------------------------------+   |
//   |  +------------------ credit line ------------------+   |  y 78
//   +--------------------------------------------------------+  95
constexpr int pixelsX(int units) {
  return (units * 3 + 1) / 2;
}
constexpr int pixelsY(int units) {
  return (units * 13 + 4) / 8;
}
int scaled(int pixels, double scale) {
  return static_cast<int>(std::lround(pixels * scale));
}

struct UnitRect {
  int x, y, w, h;
  int left(double s) const { return scaled(pixelsX(x), s); }
  int top(double s) const { return scaled(pixelsY(y), s); }
  int width(double s) const { return scaled(pixelsX(x + w), s) - left(s); }
  int height(double s) const { return scaled(pixelsY(y + h), s) - top(s); }
};

constexpr int kDialogWidth = 186;
constexpr int kDialogHeight = 95;
constexpr UnitRect kNumberRect{78, 7, 80, 12};
constexpr UnitRect kDescriptionRect{7, 37, 171, 35};
constexpr UnitRect kLabelRect{28, 7, 51, 12};
constexpr UnitRect kCreditRect{7, 78, 171, 10};
constexpr UnitRect kNameRect{21, 20, 144, 14};

constexpr const char* kCaption = TAMRIX_CAPTION;
// Windows-1250, like every text the dialog shows.
constexpr const char* kLabelText = "A t\xE1rgy sz\xE1ma:";
constexpr const char* kCreditText = "K\xE9sz\xEDtett\xE9k: a Tamrix fejleszt\xF5i";
// Before the first number: a hint, not the Windows dialog's resource text.
constexpr const char* kInitialDescription = "\xCDrja be a t\xE1rgy sz\xE1m\xE1t.";
// UTF-8, as FLTK's message box takes it.
constexpr const char* kCloseButton = "Bez\xC3\xA1r\xC3\xA1s";

// The X default sans font is too wide for boxes measured in the Windows
// dialog font; Liberation Sans at this size matches it closely.
constexpr Fl_Font kDialogFont = FL_FREE_FONT;
constexpr const char* kDialogFontName = " Liberation Sans";
constexpr Fl_Fontsize kDialogFontSize = 10;
constexpr uchar kDialogGrey = 240;

bool isDigits(const char* text, int length) {
  if (length <= 0)
    return true;
  if (text == nullptr)
    return false;
  return std::all_of(text, text + length, [](char c) { return c >= '0' && c <= '9'; });
}

bool isDialogKey(int key) {
  return key == FL_Enter || key == FL_KP_Enter || key == FL_Escape;
}

}  // namespace

double screenScale(std::optional<double> xftDpi, double screenDpi) {
  const double dpi = xftDpi.has_value() && *xftDpi > 0 ? *xftDpi : screenDpi;
  return std::max(1.0, std::round(dpi / 96.0 * 4.0) / 4.0);
}

double displayScale() {
  fl_open_display();
  std::optional<double> xftDpi;
  if (const char* resource = XGetDefault(fl_display, "Xft", "dpi"))
    xftDpi = std::strtod(resource, nullptr);
  float horizontal = 0;
  float vertical = 0;
  Fl::screen_dpi(horizontal, vertical);
  return screenScale(xftDpi, vertical);
}

DigitInput::DigitInput(int x, int y, int w, int h) : Fl_Input(x, y, w, h) {}

int DigitInput::handle(int event) {
  switch (event) {
    case FL_KEYBOARD: {
      // Keys with modifiers are shortcuts (copy, paste, select all) and
      // control characters are editing keys; only text typed as such is
      // checked.
      const bool shortcut = Fl::event_state(FL_CTRL | FL_ALT | FL_META) != 0;
      const char* text = Fl::event_text();
      const int length = Fl::event_length();
      const bool typesText = !shortcut && length > 0 && text != nullptr &&
                             static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7F;
      if (typesText && !isDigits(text, length))
        return 1;  // swallowed
      break;
    }
    case FL_PASTE:
      // A paste or drop with anything but digits is refused as a whole, so a
      // number is never silently put together from the digits of other text.
      if (!isDigits(Fl::event_text(), Fl::event_length()))
        return 1;
      break;
    default:
      break;
  }
  return Fl_Input::handle(event);
}

TextBox::TextBox(int x, int y, int w, int h, Fl_Boxtype frame, Fl_Align align, bool firstLineOnly)
    : Fl_Box(frame, x, y, w, h, nullptr), firstLineOnly_(firstLineOnly) {
  this->align(align | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
}

void TextBox::draw() {
  draw_box();
  std::string_view text = label() != nullptr ? label() : "";
  if (firstLineOnly_)
    text = firstLine(text);
  const std::string shown(text);
  const int left = x() + Fl::box_dx(box()) + 1;
  const int top = y() + Fl::box_dy(box());
  const int width = w() - Fl::box_dw(box()) - 2;
  const int height = h() - Fl::box_dh(box());
  fl_font(labelfont(), labelsize());
  fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
  fl_push_clip(left, top, width, height);
  fl_draw(shown.c_str(), left, top, width, height, align(), nullptr, 0);
  fl_pop_clip();
}

MainWindow::MainWindow(const ItemDatabase& db, double scale)
    : Fl_Double_Window(0, 0, scaled(pixelsX(kDialogWidth), scale),
                       scaled(pixelsY(kDialogHeight), scale), kCaption),
      db_(db),
      number_(kNumberRect.left(scale), kNumberRect.top(scale), kNumberRect.width(scale),
              kNumberRect.height(scale)),
      description_(kDescriptionRect.left(scale), kDescriptionRect.top(scale),
                   kDescriptionRect.width(scale), kDescriptionRect.height(scale)),
      label_(FL_NO_BOX, kLabelRect.left(scale), kLabelRect.top(scale), kLabelRect.width(scale),
             kLabelRect.height(scale), nullptr),
      credit_(kCreditRect.left(scale), kCreditRect.top(scale), kCreditRect.width(scale),
              kCreditRect.height(scale), FL_THIN_DOWN_BOX, FL_ALIGN_CENTER, false),
      name_(kNameRect.left(scale), kNameRect.top(scale), kNameRect.width(scale),
            kNameRect.height(scale), FL_DOWN_BOX, FL_ALIGN_TOP | FL_ALIGN_WRAP, true) {
  end();

  Fl::set_font(kDialogFont, kDialogFontName);
  Fl::background(kDialogGrey, kDialogGrey, kDialogGrey);
  const auto fontSize = static_cast<Fl_Fontsize>(std::lround(kDialogFontSize * scale));
  for (int index = 0; index < children(); ++index) {
    child(index)->labelfont(kDialogFont);
    child(index)->labelsize(fontSize);
  }
  number_.textfont(kDialogFont);
  number_.textsize(fontSize);
  number_.when(FL_WHEN_CHANGED);
  number_.callback(onNumberChanged, this);

  label_.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  label_.copy_label(cp1250ToUtf8(kLabelText).c_str());
  credit_.copy_label(cp1250ToUtf8(kCreditText).c_str());
  // The description wraps at the field's edge and scrolls what does not fit.
  description_.buffer(&descriptionBuffer_);
  description_.box(FL_THIN_DOWN_BOX);
  description_.color(FL_BACKGROUND_COLOR);
  description_.textfont(kDialogFont);
  description_.textsize(fontSize);
  description_.scrollbar_width(scaled(Fl::scrollbar_size(), scale));
  description_.wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
  description_.visible_focus(0);
  setDescription(cp1250ToUtf8(kInitialDescription));
  name_.copy_label("");

  // Larger, never smaller than the dialog: the description takes the room.
  resizable(&description_);
  size_range(w(), h());

  callback(onWindowEvent, this);
  xclass("tamrix");

  // The window keeps its own copy of the icon.
  const Fl_Pixmap pixmap(tamrix_xpm);
  const Fl_RGB_Image image(&pixmap, FL_BACKGROUND_COLOR);
  icon(&image);
}

int MainWindow::handle(int event) {
  // Enter and Escape reach the window as shortcuts when the number field
  // does not use them; like every other command they answer again.
  if (event == FL_SHORTCUT && isDialogKey(Fl::event_key())) {
    answerNumber();
    return 1;
  }
  return Fl_Double_Window::handle(event);
}

std::string_view MainWindow::nameText() const {
  return name_.label() != nullptr ? name_.label() : "";
}

std::string_view MainWindow::descriptionText() const {
  return descriptionUtf8_;
}

void MainWindow::setDescription(std::string utf8) {
  descriptionUtf8_ = std::move(utf8);
  descriptionBuffer_.text(descriptionUtf8_.c_str());
}

void MainWindow::onNumberChanged(Fl_Widget*, void* self) {
  static_cast<MainWindow*>(self)->answerNumber();
}

void MainWindow::onWindowEvent(Fl_Widget*, void* self) {
  auto* window = static_cast<MainWindow*>(self);
  // FLTK turns an unused Escape into a close request; the dialog only
  // answers it. Everything else that reaches here is a real close.
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) {
    window->answerNumber();
    return;
  }
  window->hide();
}

void MainWindow::answerNumber() {
  const DialogAnswer answer = answerCommand(db_, readNumberField(number_.value()));
  name_.copy_label(cp1250ToUtf8(answer.nameField).c_str());
  setDescription(cp1250ToUtf8(answer.descriptionField));
  name_.redraw();
}

void showMessageBox(const std::string& utf8) {
  fl_message_title(kCaption);
  fl_close = kCloseButton;
  fl_alert("%s", utf8.c_str());
}

}  // namespace tamrix
