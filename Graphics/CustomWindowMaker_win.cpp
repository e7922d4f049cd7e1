#include "Graphics/CustomWindowMaker_win.h"

#include "Graphics/WinRegion_win.h"

namespace pikko {

void CustomWindowMaker::MakeWindow() { MakeWindow(FImage.Picture().TransparentColor()); }

void CustomWindowMaker::MakeWindow(TColor transparent) {
  if (FMade) return;
  HWND window = FForm.Handle();
  WinRegion region(FImage.Picture(), transparent);

  // The window region is relative to the whole window, frame included:
  // move it to where the picture's corner lies in the window.
  POINT image{FImage.Left(), FImage.Top()};
  ::ClientToScreen(window, &image);
  RECT frame{};
  ::GetWindowRect(window, &frame);
  // (The window's rectangle is in screen coordinates whether or not it has
  // a parent.)
  region.Offset(image.x - frame.left, image.y - frame.top);
  region.ApplyToWindow(window, true);

  FSavedMouseDown = FImage.OnMouseDown;
  FImage.OnMouseDown = [this](Control& s, MouseButton b, ShiftState sh, int x, int y) {
    DragMouseDown(s, b, sh, x, y);
  };
  FMade = true;
}

void CustomWindowMaker::DragMouseDown(Control& sender, MouseButton b, ShiftState shift, int x,
                                      int y) {
  if (b == MouseButton::Left) {
    // The system moves the window until the button is released.
    ::ReleaseCapture();
    ::SendMessageA(FForm.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
  if (FSavedMouseDown) FSavedMouseDown(sender, b, shift, x, y);
}

}  // namespace pikko
