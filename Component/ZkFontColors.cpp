#include "Component/ZkFontColors.h"

namespace pikko {
namespace {

TColor DisabledOrGray(TColor c) { return c == kColourUnset ? kSystemGrayText : c; }
TColor OrFont(TColor c, TColor font) { return c == kColourUnset ? font : c; }

}  // namespace

TColor ButtonTextColour(int state, TColor fontColour, const ZkThreeStateFontColor& colours) {
  TColor c = fontColour;
  switch (state) {
    case 1:
      c = colours.Sunken();
      break;
    case 2:
      c = colours.Focused();
      break;
    case 3:
      c = DisabledOrGray(colours.Disabled());
      break;
    default:
      break;
  }
  return OrFont(c, fontColour);
}

TColor BrickTextColour(int state, TColor fontColour, const ZkTwoStateFontColor& colours) {
  TColor c = fontColour;
  if (state == 1) c = colours.Focused();
  if (state == 2) c = DisabledOrGray(colours.Disabled());
  return OrFont(c, fontColour);
}

}  // namespace pikko
