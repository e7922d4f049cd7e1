// The true-colour skins: gradients, soft rounded edges and bevels.
#include "demo/SkinArt.h"

#include <cmath>

namespace pikko::demo {
namespace {

struct Theme {
  Rgb edge, rim;                      // outline of the window, highlight inside it
  Rgb titleTop, titleBottom;          // title strip, 0..23
  Rgb stripTop, stripBottom, accent;  // tab strip, 24..60, and the line under the tabs
  Rgb bodyTop, bodyBottom;            // everything below the tabs
  Rgb tabTop, tabBottom, tabEdge;     // resting tab
  Rgb overTop, overBottom, overEdge;  // tab under the mouse
  Rgb downTop, downBottom, downEdge;  // selected tab
  Rgb listTop, listBottom, listEdge;  // panel behind the item rows
  Rgb descTop, descBottom, descEdge;  // panel behind the description
  Rgb wellTop, wellBottom, wellEdge;  // strip behind the side buttons
  Rgb markLight, markDark, logoText, logoSubText;
};

const Theme& ThemeFor(Look look) {
  static const Theme normal = {
      {6, 14, 28},     {96, 140, 196},                    // edge, rim
      {34, 56, 92},    {12, 24, 44},                      // title
      {12, 24, 44},    {18, 34, 60},    {0, 128, 222},    // strip, accent
      {22, 42, 72},    {8, 18, 34},                       // body
      {34, 47, 68},    {17, 27, 46},    {70, 92, 124},    // resting tab
      {44, 72, 112},   {18, 32, 56},    {96, 160, 232},   // hovered tab
      {96, 172, 242},  {0, 112, 208},   {160, 212, 255},  // selected tab
      {12, 48, 106},   {4, 20, 52},     {56, 104, 172},   // list panel
      {246, 249, 252}, {212, 226, 241}, {120, 152, 190},  // description panel
      {6, 14, 28},     {16, 30, 54},    {56, 86, 128},    // button well
      {70, 190, 255},  {0, 92, 184},    {236, 242, 250}, {128, 168, 210},
  };
  static const Theme gaming = {
      {0, 0, 0},       {120, 24, 28}, {44, 44, 48},  {18, 18, 20},  {14, 14, 16},  {24, 24, 27},
      {206, 22, 30},   {32, 32, 35},  {11, 11, 13},  {44, 44, 48},  {24, 24, 27},  {76, 76, 82},
      {70, 30, 32},    {32, 16, 18},  {200, 44, 50}, {236, 70, 70}, {176, 16, 24}, {255, 132, 132},
      {28, 28, 31},    {10, 10, 12},  {128, 26, 32}, {34, 34, 37},  {20, 20, 22},  {92, 92, 98},
      {6, 6, 7},       {20, 20, 22},  {74, 74, 80},  {255, 72, 72}, {150, 10, 18}, {214, 214, 214},
      {150, 150, 150},
  };
  return look == Look::Gaming ? gaming : normal;
}

// The tab strip behind the tabs, drawn with its window rows moved by dy so
// that the tab pictures carry exactly the strip behind them.
void PaintStrip(Image& image, int dy, const Theme& t) {
  GradientV(image, {0, kTabTop + dy, kBackgroundWidth, kContentTop + dy}, t.stripTop,
            t.stripBottom);
}

// The line under the tabs: a resting tab sits behind it, the selected one
// covers it and so opens into the page below.
void PaintAccent(Image& image, int left, int right, int dy, const Theme& t) {
  HLine(image, left, right, kContentTop - 2 + dy, t.accent);
  HLine(image, left, right, kContentTop - 1 + dy, Darker(t.accent, 0.45));
}

enum class TabState { Rest, Over, Down };

void PaintTabShape(Image& image, int left, int top, TabState state, const Theme& t) {
  const Rect shape{left + 2, top + 3, left + kTabWidth - 2, top + kTabHeight};
  const Corners corners = Corners::Top(8);
  const Rgb from = state == TabState::Down   ? t.downTop
                   : state == TabState::Over ? t.overTop
                                             : t.tabTop;
  const Rgb to = state == TabState::Down   ? t.downBottom
                 : state == TabState::Over ? t.overBottom
                                           : t.tabBottom;
  const Rgb edge = state == TabState::Down   ? t.downEdge
                   : state == TabState::Over ? t.overEdge
                                             : t.tabEdge;
  FillRoundRect(image, shape, corners, VerticalPaint(shape, from, to));
  // A soft sheen over the upper half makes the face look curved.
  const Rect sheen{shape.left + 1, shape.top + 1, shape.right - 1, shape.top + 14};
  FillRoundRect(image, sheen, Corners::Top(7), VerticalPaint(sheen, {255, 255, 255}, to), 0.16);
  OutlineRoundRect(image, {shape.left, shape.top, shape.right, shape.bottom + 8}, corners, edge,
                   state == TabState::Rest ? 0.7 : 1.0);
  HLine(image, shape.left + 8, shape.right - 8, shape.top + 1, Lighter(from, 0.5), 0.6);
  if (state == TabState::Down) {
    // A glow along the top edge, as if the selected tab were lit.
    HLine(image, shape.left + 10, shape.right - 10, shape.top + 2, {255, 255, 255}, 0.35);
  }
}

void PaintLogo(Image& image, int x, int y, Look look, const Theme& t) {
  if (look == Look::Gaming) {
    // An angular emblem, two stacked chevrons, kept narrow: the caption
    // starts further left in this look.
    for (int i = 0; i < 6; ++i) {
      const Rgb shade = Mix(t.markLight, t.markDark, i / 6.0);
      Line(image, x + i, y + 4, x + 6, y + 10 - i, shade);
      Line(image, x + 12 - i, y + 4, x + 6, y + 10 - i, shade);
    }
    for (int i = 0; i < 4; ++i) {
      Line(image, x + 2 + i, y + 11, x + 6, y + 15 - i, t.markLight, 0.85);
      Line(image, x + 10 - i, y + 11, x + 6, y + 15 - i, t.markLight, 0.85);
    }
    DrawText(image, x + 16, y + 7, "PIKKO", Darker(t.logoText, 0.6));
    DrawText(image, x + 16, y + 6, "PIKKO", t.logoText);
    return;
  }
  // A chip: a lit package with pins on every side and a dark die.
  const Rect package{x + 3, y + 3, x + 17, y + 17};
  for (int i = 0; i < 3; ++i) {
    const int at = 5 + 4 * i;
    HLine(image, x, x + 3, y + at, t.logoSubText);
    HLine(image, x + 17, x + 20, y + at, t.logoSubText);
    VLine(image, x + at, y, y + 3, t.logoSubText);
    VLine(image, x + at, y + 17, y + 20, t.logoSubText);
  }
  FillRoundRect(image, package, Corners::All(2), VerticalPaint(package, t.markLight, t.markDark));
  const Rect die{x + 7, y + 7, x + 13, y + 13};
  FillRect(image, die, Darker(t.markDark, 0.55));
  HLine(image, die.left, die.right, die.top, Lighter(t.markLight, 0.4), 0.7);
  image.Blend(x + 4, y + 4, {255, 255, 255}, 0.7);
  DrawText(image, x + 24, y + 2, "PIKKO", t.logoText);
  DrawText(image, x + 25, y + 2, "PIKKO", t.logoText);
  DrawText(image, x + 24, y + 11, "SUPPORT", t.logoSubText);
}

void PaintPanel(Image& image, Rect r, int radius, Rgb top, Rgb bottom, Rgb edge) {
  // A dark shadow one pixel down and right, then the face, then its rim.
  FillRoundRect(image, {r.left + 1, r.top + 2, r.right + 1, r.bottom + 2}, Corners::All(radius),
                Solid({0, 0, 0}), 0.35);
  FillRoundRect(image, r, Corners::All(radius), VerticalPaint(r, top, bottom));
  OutlineRoundRect(image, r, Corners::All(radius), edge);
}

}  // namespace

void ApplyWindowOutline(Image& image, Rgb edge, bool softEdge, Rgb nearKey) {
  const Rect outline{0, 0, image.Width(), image.Height()};
  const Corners corners = Corners::All(kCornerRadius);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const bool nearCorner = (x < kCornerRadius || x >= image.Width() - kCornerRadius) &&
                              (y < kCornerRadius || y >= image.Height() - kCornerRadius);
      const double coverage = nearCorner ? RoundRectCoverage(outline, corners, x, y) : 1.0;
      // Half-covered pixels stay in the window, mixed with the dark edge
      // rather than with the key colour, so the outline has no pink fringe.
      if (coverage < 0.5) {
        image.Set(x, y, kKeyColour);
        continue;
      }
      if (softEdge && coverage < 1.0) image.Set(x, y, Mix(edge, image.At(x, y), coverage - 0.5));
      if (image.At(x, y) == kKeyColour) image.Set(x, y, nearKey);
    }
  }
}

Image PaintTab256(Look look, bool selected, bool hovered) {
  const Theme& t = ThemeFor(look);
  Image tab(kTabWidth, kTabHeight);
  PaintStrip(tab, -kTabTop, t);
  const TabState state = selected ? TabState::Down : hovered ? TabState::Over : TabState::Rest;
  PaintTabShape(tab, 0, 0, state, t);
  if (!selected) PaintAccent(tab, 0, kTabWidth, -kTabTop, t);
  return tab;
}

Image PaintBackground256(Look look) {
  const Theme& t = ThemeFor(look);
  Image bg(kBackgroundWidth, kBackgroundHeight);
  const int w = kBackgroundWidth;
  const int h = kBackgroundHeight;

  // Title strip with a thin highlight, then the tab strip with the resting
  // tabs, then the page.
  GradientV(bg, {0, 0, w, kTabTop}, t.titleTop, t.titleBottom);
  HLine(bg, 0, w, 1, Lighter(t.titleTop, 0.35), 0.5);
  // The accent colour glows faintly behind the logo and fades to the right.
  for (int x = 0; x < 360; ++x) {
    const double fade = 1.0 - x / 360.0;
    VLine(bg, x, 2, kTabTop - 1, t.accent, 0.22 * fade * fade);
  }
  HLine(bg, 0, w, kTabTop - 1, Darker(t.titleBottom, 0.6));
  PaintStrip(bg, 0, t);
  for (int left : kTabLefts) PaintTabShape(bg, left, kTabTop, TabState::Rest, t);
  PaintAccent(bg, 0, w, 0, t);
  GradientV(bg, {0, kContentTop, w, h}, t.bodyTop, t.bodyBottom);
  PaintLogo(bg, kLogoLeft, kLogoTop, look, t);

  // The list panel: deep gradient, a sheen along its top, faint rules
  // between the rows and a darker footer band for the paging buttons.
  PaintPanel(bg, kListPanel, 9, t.listTop, t.listBottom, t.listEdge);
  const Rect listSheen{kListPanel.left + 2, kListPanel.top + 2, kListPanel.right - 2,
                       kListPanel.top + 40};
  FillRoundRect(bg, listSheen, Corners::Top(8),
                VerticalPaint(listSheen, {255, 255, 255}, t.listTop), 0.10);
  for (int r = 0; r < 9; ++r) {
    const int y = 144 + 30 * r;
    HLine(bg, kListPanel.left + 10, kListPanel.right - 10, y, Darker(t.listBottom, 0.5), 0.45);
    HLine(bg, kListPanel.left + 10, kListPanel.right - 10, y + 1, Lighter(t.listTop, 0.25), 0.18);
  }
  HLine(bg, kListPanel.left + 6, kListPanel.right - 6, 412, t.listEdge, 0.6);
  FillRoundRect(bg, {kListPanel.left + 1, 413, kListPanel.right - 1, kListPanel.bottom - 1},
                {0, 0, 8, 8}, Solid(Darker(t.listBottom, 0.4)), 0.5);

  // The recessed well of the side buttons and the light description panel.
  const Rect well = kSideButtonStrip;
  FillRoundRect(bg, well, Corners::All(7), VerticalPaint(well, t.wellTop, t.wellBottom));
  OutlineRoundRect(bg, well, Corners::All(7), t.wellEdge);
  HLine(bg, well.left + 7, well.right - 7, well.top + 1, {0, 0, 0}, 0.5);
  PaintPanel(bg, kDescriptionPanel, 6, t.descTop, t.descBottom, t.descEdge);
  HLine(bg, kDescriptionPanel.left + 6, kDescriptionPanel.right - 6, kDescriptionPanel.top + 1,
        {255, 255, 255}, look == Look::Gaming ? 0.12 : 0.8);

  // A bright rim inside the dark outline, fading down the sides.
  OutlineRoundRect(bg, {1, 1, w - 1, h - 1}, Corners::All(kCornerRadius - 1), t.rim, 0.55);
  OutlineRoundRect(bg, {0, 0, w, h}, Corners::All(kCornerRadius), t.edge);
  ApplyWindowOutline(bg, t.edge, true, {254, 0, 255});
  return bg;
}

SkinArt PaintSkinArt(Look look) {
  SkinArt art;
  art.background256 = PaintBackground256(look);
  art.background16 = PaintBackground16(look);
  art.logo256 = art.background256.Crop(kLogoLeft, kLogoTop, kLogoWidth, kLogoHeight);
  art.logo16 = art.background16.Crop(kLogoLeft, kLogoTop, kLogoWidth, kLogoHeight);
  art.tabDown = PaintTab256(look, true, false);
  art.tabOver = PaintTab256(look, false, true);
  art.tabRest16 = PaintTab16(look);
  return art;
}

}  // namespace pikko::demo
