// A picture painted by its parent: a bitmap at natural size, or stretched.
#pragma once

#include "toolkit/Bitmap_win.h"
#include "toolkit/Control_win.h"

namespace pikko {

class Image : public GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  Bitmap& Picture() { return picture_; }
  const Bitmap& Picture() const { return picture_; }
  // Takes a copy of the bitmap (an empty one clears the picture).
  void SetPicture(const Bitmap& b);
  void ClearPicture();
  bool LoadFromFile(const std::string& path);
  // Auto size: the control takes the picture's size when it gets one.
  void SetAutoSize(bool v) { autoSize_ = v; }
  void SetStretch(bool v) { stretch_ = v; }
  void SetTransparent(bool v) { transparent_ = v; }
  void Paint(HDC dc) override;

 private:
  void PictureChanged();
  Bitmap picture_;
  bool autoSize_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
};

}  // namespace pikko
