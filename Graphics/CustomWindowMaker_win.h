// Shapes the menu window, once, from its background picture and lets the
// user drag the window by that picture.
#pragma once

#include <functional>

#include "toolkit/Form_win.h"
#include "toolkit/Image_win.h"

namespace pikko {

class CustomWindowMaker {
 public:
  using MouseDownHandler =
      std::function<void(Control& sender, MouseButton b, ShiftState shift, int x, int y)>;

  // Neither the form nor the image is owned; both outlive the maker.
  CustomWindowMaker(Form& form, Image& image) : FForm(form), FImage(image) {}

  // Shapes the window by the picture's transparent colour: its fixed one, or
  // the colour of its bottom-left pixel.
  void MakeWindow();
  // Shapes the window by the given colour. Only the first call of either
  // form does anything: a later skin does not reshape the window.
  void MakeWindow(TColor transparent);
  bool Made() const { return FMade; }

  // The drag handler installed on the picture: a left press moves the
  // window while the button is held; then, for any button, the picture's
  // earlier handler runs. Others (the title caption) may share it.
  void DragMouseDown(Control& sender, MouseButton b, ShiftState shift, int x, int y);

 private:
  Form& FForm;
  Image& FImage;
  MouseDownHandler FSavedMouseDown;
  bool FMade = false;
};

}  // namespace pikko
