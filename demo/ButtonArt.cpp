// The glassy tiles of the button pictures and their three states.
#include "demo/ButtonArt.h"

#include <algorithm>
#include <cmath>

namespace pikko::demo {
namespace {

struct ButtonTheme {
  Rgb faceTop, faceBottom;  // the tile's face at rest
  Rgb outline, rim;         // dark edge around the tile, light edge inside it
  Rgb glow;                 // the halo under the mouse
  Rgb sheenLine;            // a thin lit line along the tile's foot
  IconInk ink;
  Rgb inkShadow;
};

const ButtonTheme& ThemeFor(Look look) {
  static const ButtonTheme normal = {
      {66, 136, 212},
      {10, 48, 110},
      {2, 12, 30},
      {168, 214, 255},
      {70, 190, 255},
      {90, 200, 255},
      {{242, 248, 255}, {120, 214, 255}, {8, 40, 92}},
      {0, 18, 52},
  };
  static const ButtonTheme gaming = {
      {78, 78, 84},
      {24, 24, 27},
      {0, 0, 0},
      {156, 156, 164},
      {255, 56, 56},
      {220, 30, 38},
      {{228, 228, 232}, {240, 54, 58}, {30, 30, 33}},
      {0, 0, 0},
  };
  return look == Look::Gaming ? gaming : normal;
}

// The clear tiles paint their own face (PaintGlassTile); of this theme only
// the glow and the ink count: light ink that reads on the dark panels of
// either look.
const ButtonTheme& GlassTheme() {
  static const ButtonTheme glass = {
      {255, 255, 255},
      {255, 255, 255},
      {255, 255, 255},
      {255, 255, 255},
      {230, 240, 255},
      {255, 255, 255},
      {{250, 252, 255}, {255, 255, 255}, {44, 52, 70}},
      {0, 0, 0},
  };
  return glass;
}

// How far the glow under the mouse reaches beyond the tile; every tile
// leaves at least this much room at its sides.
constexpr double kGlowReach = 2.0;

Rect Shifted(Rect r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

IconInk InkFor(const ButtonTheme& t, ButtonState state) {
  const IconInk& k = t.ink;
  if (state == ButtonState::Hover) return {{255, 255, 255}, Lighter(k.accent, 0.3), k.dark};
  if (state == ButtonState::Pressed) return {Darker(k.ink, 0.12), Darker(k.accent, 0.12), k.dark};
  return k;
}

// The tile's face, sheen and edges, opaque, on a canvas of the picture's
// size; the tile's shape is cut out of it afterwards.
Image PaintFace(const ButtonTheme& t, const ButtonSpec& button, Rect tile, ButtonState state) {
  const double shade = state == ButtonState::Pressed ? 0.3 : 0.0;
  const double light = state == ButtonState::Hover ? 0.16 : 0.0;
  const Rgb top = Lighter(Darker(t.faceTop, shade), light);
  const Rgb bottom = Lighter(Darker(t.faceBottom, shade), light);
  Image canvas(button.width, button.height, bottom);
  GradientV(canvas, tile, top, bottom);

  // Glass: a bright sheen over the upper half fading downwards, a thin lit
  // line along the foot.
  const int sheenRows = tile.Height() * 11 / 24;
  const double sheen = state == ButtonState::Pressed ? 0.10
                       : state == ButtonState::Hover ? 0.34
                                                     : 0.26;
  for (int i = 0; i < sheenRows; ++i) {
    const double fade = 1.0 - static_cast<double>(i) / sheenRows;
    HLine(canvas, tile.left + 1, tile.right - 1, tile.top + 1 + i, {255, 255, 255},
          sheen * (0.35 + 0.65 * fade));
  }
  HLine(canvas, tile.left + button.radius / 2, tile.right - button.radius / 2, tile.bottom - 2,
        t.sheenLine, state == ButtonState::Pressed ? 0.25 : 0.5);
  if (state == ButtonState::Pressed) {
    // Pressed in: the upper edge throws a shadow onto the face.
    HLine(canvas, tile.left + 1, tile.right - 1, tile.top + 1, {0, 0, 0}, 0.35);
    HLine(canvas, tile.left + 1, tile.right - 1, tile.top + 2, {0, 0, 0}, 0.15);
  }
  const Rgb rim = state == ButtonState::Hover ? Lighter(t.rim, 0.3) : t.rim;
  OutlineRoundRect(canvas, tile.Inset(1), Corners::All(std::max(button.radius - 1, 0)), rim,
                   state == ButtonState::Pressed ? 0.2 : 0.45);
  const Rgb edge = state == ButtonState::Hover ? Mix(t.outline, t.glow, 0.55) : t.outline;
  OutlineRoundRect(canvas, tile, Corners::All(button.radius), edge);
  return canvas;
}

// A clear glass tile that takes the colour of whatever lies behind it.
void PaintGlassTile(RgbaImage& picture, const ButtonSpec& button, Rect tile, ButtonState state) {
  const bool pressed = state == ButtonState::Pressed;
  const bool hover = state == ButtonState::Hover;
  const Rgba fill = pressed ? Rgba{0, 0, 0, 255} : Rgba{255, 255, 255, 255};
  const double fillTop = pressed ? 0.32 : hover ? 0.48 : 0.34;
  const double fillBottom = pressed ? 0.22 : hover ? 0.22 : 0.12;
  const double edgeAlpha = pressed ? 0.3 : hover ? 0.85 : 0.55;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const double d = RoundRectDistance(tile, button.radius, x + 0.5, y + 0.5);
      const double coverage = std::clamp(0.5 - d, 0.0, 1.0);
      const double ring = coverage - std::clamp(-0.5 - d, 0.0, 1.0);
      const double t = std::clamp((y + 0.5 - tile.top) / tile.Height(), 0.0, 1.0);
      picture.Over(x, y, fill, coverage * (fillTop + (fillBottom - fillTop) * t));
      picture.Over(x, y, {255, 255, 255, 255}, ring * edgeAlpha);
    }
  }
}

// The icon as a layer of its own: its colours from one painting, its
// coverage from a second in white on black.
RgbaImage IconLayer(const ButtonSpec& button, Rect tile, const IconInk& ink, double opacity) {
  Image colour(button.width, button.height, ink.ink);
  PaintButtonIcon(colour, button.name, tile, ink);
  Image mask(button.width, button.height, {0, 0, 0});
  PaintButtonIcon(mask, button.name, tile, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}});
  RgbaImage layer(button.width, button.height);
  for (int y = 0; y < button.height; ++y) {
    for (int x = 0; x < button.width; ++x) {
      const Rgb c = colour.At(x, y);
      layer.Over(x, y, {c.r, c.g, c.b, 255}, opacity * mask.At(x, y).r / 255.0);
    }
  }
  return layer;
}

}  // namespace

const std::vector<ButtonSpec>& SkinButtons() {
  // Tiles leave room for the glow on every side; the manual tile keeps its
  // glow off the item list's border at its left; the batch-install tile
  // ends above the first item row (window top 117), the paging tiles share
  // one height although the pictures differ, and all lie within the
  // panels of the background behind them.
  static const std::vector<ButtonSpec> buttons = {
      {"mb", 362, 66, 50, 45, {3, 2, 47, 42}, 8},
      {"cd", 417, 66, 50, 45, {3, 2, 47, 42}, 8},
      {"report", 472, 66, 50, 45, {3, 2, 47, 42}, 8},
      {"file", 527, 66, 50, 45, {3, 2, 47, 42}, 8},
      {"help", 582, 66, 50, 45, {3, 2, 47, 42}, 8},
      {"install", 28, 73, 105, 49, {3, 2, 102, 40}, 8},
      {"prev_page", 175, 415, 113, 25, {3, 2, 110, 20}, 8},
      {"next_page", 28, 415, 123, 22, {3, 2, 120, 20}, 8},
  };
  return buttons;
}

const ButtonSpec& ManualButton() {
  static const ButtonSpec manual = {"manual", 337, 118, 20, 20, {3, 2, 19, 18}, 4, true};
  return manual;
}

const char* StateSuffix(ButtonState state) {
  switch (state) {
    case ButtonState::Pressed:
      return "_d";
    case ButtonState::Hover:
      return "_o";
    case ButtonState::Normal:
      break;
  }
  return "_n";
}

std::string ButtonFileName(const ButtonSpec& button, ButtonState state) {
  const std::string folder =
      button.name == ManualButton().name ? "BtnImages\\" : "BtnImages\\MB\\256\\";
  return folder + button.name + StateSuffix(state) + ".png";
}

RgbaImage PaintButton(Look look, const ButtonSpec& button, ButtonState state) {
  const ButtonTheme& t = button.glass ? GlassTheme() : ThemeFor(look);
  const bool pressed = state == ButtonState::Pressed;
  const Rect tile = pressed ? Shifted(button.tile, 1, 1) : button.tile;

  RgbaImage picture(button.width, button.height);
  for (int y = 0; y < button.height; ++y) {
    for (int x = 0; x < button.width; ++x) {
      const double px = x + 0.5;
      const double py = y + 0.5;
      if (!pressed) {
        // A soft shadow below the raised tile.
        const double d = RoundRectDistance(Shifted(tile, 0, 1), button.radius, px, py);
        const double shadow = std::clamp(1.0 - (d + 0.5) / 1.5, 0.0, 1.0);
        picture.Over(x, y, {0, 0, 0, 255}, (button.glass ? 0.3 : 0.45) * shadow);
      }
      const double d = RoundRectDistance(tile, button.radius, px, py);
      if (state == ButtonState::Hover && d > 0.0 && d < kGlowReach) {
        const double fade = 1.0 - d / kGlowReach;
        picture.Over(x, y, {t.glow.r, t.glow.g, t.glow.b, 255}, 0.8 * fade * fade);
      }
    }
  }
  if (button.glass) {
    PaintGlassTile(picture, button, tile, state);
  } else {
    const Image face = PaintFace(t, button, tile, state);
    for (int y = 0; y < button.height; ++y) {
      for (int x = 0; x < button.width; ++x) {
        const double d = RoundRectDistance(tile, button.radius, x + 0.5, y + 0.5);
        const Rgb c = face.At(x, y);
        picture.Over(x, y, {c.r, c.g, c.b, 255}, std::clamp(0.5 - d, 0.0, 1.0));
      }
    }
  }
  // The icon's shadow, one pixel down, then the icon.
  const Rgb s = t.inkShadow;
  picture.Over(IconLayer(button, Shifted(tile, 0, 1), {s, s, s}, 0.55));
  picture.Over(IconLayer(button, tile, InkFor(t, state), 1.0));
  return picture;
}

}  // namespace pikko::demo
