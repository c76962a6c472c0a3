// The Tamrix dialog for X11 with FLTK: the number field, the two output
// fields, the label and the credit line, laid out like the Windows dialog.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include <optional>
#include <string>
#include <string_view>

#include "database/item_database.h"

namespace tamrix {

// A text field that accepts decimal digits only, whether typed, pasted or
// dropped; editing keys and shortcuts work as usual.
class DigitInput : public Fl_Input {
 public:
  DigitInput(int x, int y, int w, int h);
  int handle(int event) override;
};

// A static text with a frame. The label is drawn without symbol prefixes, so
// an '@' in a description shows as itself. With `firstLineOnly` the box holds
// a whole text but shows only its first line, from the top.
class TextBox : public Fl_Box {
 public:
  TextBox(int x, int y, int w, int h, Fl_Boxtype frame, Fl_Align align, bool firstLineOnly);

 protected:
  void draw() override;

 private:
  bool firstLineOnly_;
};

// The screen's scale relative to the 96 dpi of the Windows dialog at 100 %:
// from `xftDpi` (the Xft.dpi resource) when it is set and positive,
// otherwise from `screenDpi`; in steps of a quarter and never below 1.
double screenScale(std::optional<double> xftDpi, double screenDpi);

// The scale of the display FLTK has open (which it opens if need be).
double displayScale();

// Shows `utf8` in a modal message box with the dialog's caption and a
// Hungarian close button; returns when it is closed.
void showMessageBox(const std::string& utf8);

// The main window, laid out at the display's scale. It opens at the
// dialog's size and may be made larger; the description field then grows,
// and wraps and scrolls a text longer than it. Every change of the number field, Enter and Escape
// answer the number in the field again; only a close request (the close
// button, the window manager, Alt+F4) hides the window. `db` must outlive it.
class MainWindow : public Fl_Double_Window {
 public:
  explicit MainWindow(const ItemDatabase& db, double scale = displayScale());
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  int handle(int event) override;

  Fl_Input& numberField() { return number_; }

  // What the two output fields hold, in UTF-8. The name field holds the
  // whole description and shows its first line.
  std::string_view nameText() const;
  std::string_view descriptionText() const;

  // The description field, and the name field and its font size, as laid
  // out.
  const Fl_Text_Display& descriptionField() const { return description_; }
  const Fl_Box& nameField() const { return name_; }

 private:
  static void onNumberChanged(Fl_Widget*, void* self);
  static void onWindowEvent(Fl_Widget*, void* self);

  // Reads the number field and shows the answer in the two output fields.
  void answerNumber();
  void setDescription(std::string utf8);

  const ItemDatabase& db_;
  // The description's text; the buffer outlives the field that shows it.
  std::string descriptionUtf8_;
  Fl_Text_Buffer descriptionBuffer_;
  // Declared (and so created and tabbed through) in the dialog's order.
  DigitInput number_;
  Fl_Text_Display description_;
  Fl_Box label_;
  TextBox credit_;
  TextBox name_;
};

}  // namespace tamrix
