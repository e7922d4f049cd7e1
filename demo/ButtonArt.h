// The menu's button pictures, drawn by code: glassy rounded tiles with
// simple icons, transparent outside the tile so that the window background
// shows through at the rounded corners. The menu lays each picture over
// the piece of background behind its button, so every tile is drawn to fit
// the panel it sits on.
#pragma once

#include <string>
#include <vector>

#include "demo/Draw.h"
#include "demo/Png.h"
#include "demo/SkinArt.h"

namespace pikko::demo {

enum class ButtonState { Normal, Pressed, Hover };

// One button picture set as the menu places it (window pixels).
struct ButtonSpec {
  std::string name;  // the file name's stem: name + "_n.png" ...
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  Rect tile;  // the visible tile inside the picture, at rest
  int radius = 0;
  // A clear tile that takes the colour of what lies behind it, for a
  // picture both looks share.
  bool glass = false;
};

// The side buttons (system report, disc folder, support text, file list,
// help), the batch-install button and the two paging buttons, in the order
// the menu loads them; their files lie in BtnImages\MB\256\.
const std::vector<ButtonSpec>& SkinButtons();
// The manual button of row 0; row r stands 30 pixels lower per row. Its
// files lie in BtnImages\, and only there: the gaming look shares them, so
// the tile is clear glass that fits either look.
const ButtonSpec& ManualButton();
constexpr int kManualRowPitch = 30;

// The three state suffixes, in the order Normal, Pressed, Hover.
constexpr ButtonState kButtonStates[] = {ButtonState::Normal, ButtonState::Pressed,
                                         ButtonState::Hover};
const char* StateSuffix(ButtonState state);  // "_n", "_d", "_o"

// The picture's path relative to the skin folder, backslashes as on the disc.
std::string ButtonFileName(const ButtonSpec& button, ButtonState state);

// Paints one state of a button in a look: at rest the tile with a soft
// shadow; pressed darker and one pixel lower and to the right; under the
// mouse brighter, with a glow around the tile.
RgbaImage PaintButton(Look look, const ButtonSpec& button, ButtonState state);

// The colours an icon is drawn in: ink on the tile, accent for details,
// dark for details on the ink.
struct IconInk {
  Rgb ink;
  Rgb accent;
  Rgb dark;
};
// Draws the button's icon and caption centred in the tile. Unknown names
// draw nothing.
void PaintButtonIcon(Image& canvas, const std::string& name, Rect tile, const IconInk& ink);

}  // namespace pikko::demo
