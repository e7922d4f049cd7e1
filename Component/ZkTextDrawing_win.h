// How the skinned text controls put their caption on their state surface:
// the caption, its font and rectangle, and the one-shot displacement while
// pressed.
#pragma once

#include <windows.h>

#include <string>

#include "Component/TBmpLEDCtrl_win.h"
#include "Component/ZkFontColors.h"
#include "toolkit/Font_win.h"

namespace pikko {

// Single line, centred both ways.
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER;  // 0x25
// Word-wrapped, centred, never broken inside a full-width character.
constexpr UINT kWrappedCaptionFormat =
    DT_WORDBREAK | DT_CENTER | DT_VCENTER | DT_NOFULLWIDTHCHARBREAK;  // 0x80015

// The current value of a colour that may be a system colour.
TColor ResolveColour(TColor c);

struct ZkCaption {
  std::string text;
  Font font;
  RECT bounds{0, 0, 0, 0};  // in control coordinates
  int dispX = 2, dispY = 2;
  bool displaced = false;  // set by the sunken look, used by the next drawing

  // Draws the caption onto the state image's surface with a transparent
  // background; a displaced caption's rectangle has its left and top moved.
  void DrawOn(TBmpLEDCtrl& image, TColor colour, UINT format);
};

}  // namespace pikko
