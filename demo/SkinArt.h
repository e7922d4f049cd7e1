// The skin artwork of the demo disc, drawn by code: the window background
// (which also gives the window its shape), the logo and the tab pictures,
// for the normal and the gaming look, in true colour and in 16 colours.
#pragma once

#include <array>

#include "demo/Bmp.h"
#include "demo/Draw.h"

namespace pikko::demo {

enum class Look { Normal, Gaming };

// The window takes the shape of the background: every pixel of the colour
// of its bottom-left pixel is cut out. The corners outside the rounded
// outline are painted in this colour and no pixel inside uses it.
constexpr Rgb kKeyColour{255, 0, 255};

// Window layout the skins are drawn for (window pixels).
constexpr int kBackgroundWidth = 641;
constexpr int kBackgroundHeight = 451;
constexpr int kCornerRadius = 12;
constexpr int kLogoLeft = 5;
constexpr int kLogoTop = 5;
constexpr int kLogoWidth = 68;
constexpr int kLogoHeight = 20;
constexpr std::array<int, 6> kTabLefts = {7, 111, 215, 319, 424, 529};
constexpr int kTabTop = 24;
constexpr int kTabWidth = 105;
constexpr int kTabHeight = 37;
constexpr int kContentTop = kTabTop + kTabHeight;      // 61
constexpr Rect kListPanel{18, 66, 338, 440};           // behind the item rows and paging buttons
constexpr Rect kDescriptionPanel{359, 114, 631, 440};  // behind the description
constexpr Rect kSideButtonStrip{356, 63, 636, 112};    // five 50 x 45 buttons at top 66

struct SkinArt {
  Image background256;  // 24-bit
  Image background16;   // only VGA colours
  Image logo256;
  Image logo16;
  Image tabDown;    // selected tab (both colour modes)
  Image tabOver;    // tab under the mouse (both colour modes)
  Image tabRest16;  // resting tab of the 16-colour mode (only VGA colours)
};

SkinArt PaintSkinArt(Look look);

// The parts, for the painters of each colour mode.
Image PaintBackground256(Look look);
Image PaintBackground16(Look look);
Image PaintTab256(Look look, bool selected, bool hovered);
Image PaintTab16(Look look);

// Cuts the window outline: pixels outside the rounded outline become the
// key colour, and any pixel inside that happens to match the key colour
// becomes nearKey, so that no hole is punched into the window. A soft edge
// mixes the half-covered pixels with the edge colour.
void ApplyWindowOutline(Image& image, Rgb edge, bool softEdge, Rgb nearKey);

}  // namespace pikko::demo
