// The icons and captions on the button tiles: simple vector shapes, soft at
// their edges, and the pixel font for the captions.
#include <cmath>

#include "demo/ButtonArt.h"

namespace pikko::demo {
namespace {

// The system report: a chip with pins on every side and a dark die.
void Chip(Image& c, double cx, double cy, const IconInk& k) {
  for (int i = -1; i <= 1; ++i) {
    const double at = 4.5 * i;
    StrokeSegment(c, cx + at, cy - 11, cx + at, cy - 7, 2, k.ink);
    StrokeSegment(c, cx + at, cy + 7, cx + at, cy + 11, 2, k.ink);
    StrokeSegment(c, cx - 11, cy + at, cx - 7, cy + at, 2, k.ink);
    StrokeSegment(c, cx + 7, cy + at, cx + 11, cy + at, 2, k.ink);
  }
  const int x = static_cast<int>(std::lround(cx));
  const int y = static_cast<int>(std::lround(cy));
  FillRoundRect(c, {x - 8, y - 8, x + 8, y + 8}, Corners::All(2), Solid(k.ink));
  FillRoundRect(c, {x - 4, y - 4, x + 4, y + 4}, Corners::All(1), Solid(k.dark));
  FillCircle(c, cx - 5, cy - 5, 1.2, k.accent);
}

// The disc's folder: a disc with its hub and a rainbow sheen.
void Disc(Image& c, double cx, double cy, const IconInk& k) {
  StrokeArc(c, cx, cy, 7.5, 0, 360, 8, k.ink);  // from radius 3.5 to 11.5
  StrokeArc(c, cx, cy, 8.5, 200, 250, 2, k.accent);
  StrokeArc(c, cx, cy, 8.5, 20, 70, 2, k.accent, 0.8);
  StrokeArc(c, cx, cy, 4.5, 0, 360, 1, k.dark, 0.35);
}

// The support text: a headset.
void Headset(Image& c, double cx, double cy, const IconInk& k) {
  StrokeArc(c, cx, cy + 1, 9, 180, 360, 2.5, k.ink);
  const int x = static_cast<int>(std::lround(cx));
  const int y = static_cast<int>(std::lround(cy));
  FillRoundRect(c, {x - 12, y, x - 6, y + 9}, Corners::All(2), Solid(k.ink));
  FillRoundRect(c, {x + 6, y, x + 12, y + 9}, Corners::All(2), Solid(k.ink));
  StrokeArc(c, cx + 1, cy + 4, 7, 30, 100, 1.8, k.ink);
  FillCircle(c, cx - 0.5, cy + 10.8, 2, k.accent);
}

// The file list: three bulleted lines.
void List(Image& c, double cx, double cy, const IconInk& k) {
  for (int i = -1; i <= 1; ++i) {
    const double y = cy + 7 * i;
    FillCircle(c, cx - 9, y, 2, k.accent);
    StrokeSegment(c, cx - 4, y, cx + 10, y, 3, k.ink);
  }
}

// Help: a question mark in a ring.
void Question(Image& c, double cx, double cy, const IconInk& k) {
  StrokeArc(c, cx, cy, 11.5, 0, 360, 1.6, k.accent);
  StrokeArc(c, cx, cy - 3.5, 4.5, 180, 405, 3, k.ink);
  const double endX = cx + 4.5 * std::cos(3.14159265358979 / 4);
  const double endY = cy - 3.5 + 4.5 * std::sin(3.14159265358979 / 4);
  StrokeSegment(c, endX, endY, cx, cy + 2.5, 3, k.ink);
  StrokeSegment(c, cx, cy + 2.5, cx, cy + 3.5, 3, k.ink);
  FillCircle(c, cx, cy + 7.8, 1.9, k.ink);
}

// Install: an arrow down into a tray.
void Download(Image& c, double cx, double cy, const IconInk& k) {
  StrokeSegment(c, cx, cy - 10, cx, cy, 3.5, k.accent);
  FillPolygon(c, {{cx - 6.5, cy - 2}, {cx + 6.5, cy - 2}, {cx, cy + 5}}, k.accent);
  StrokeSegment(c, cx - 9, cy + 2, cx - 9, cy + 8, 2, k.ink);
  StrokeSegment(c, cx - 9, cy + 8, cx + 9, cy + 8, 2, k.ink);
  StrokeSegment(c, cx + 9, cy + 8, cx + 9, cy + 2, 2, k.ink);
}

// A manual: an open book, two pages meeting at the spine.
void Book(Image& c, double cx, double cy, const IconInk& k) {
  FillPolygon(c, {{cx - 6.5, cy - 5}, {cx, cy - 3.6}, {cx, cy + 5}, {cx - 6.5, cy + 3.6}}, k.ink);
  FillPolygon(c, {{cx, cy - 3.6}, {cx + 6.5, cy - 5}, {cx + 6.5, cy + 3.6}, {cx, cy + 5}}, k.ink);
  StrokeSegment(c, cx, cy - 3, cx, cy + 4.4, 0.8, k.dark, 0.5);
  for (double line : {-1.5, 0.8}) {
    StrokeSegment(c, cx - 5, cy + line - 0.5, cx - 1.8, cy + line + 0.2, 0.8, k.dark, 0.6);
    StrokeSegment(c, cx + 1.8, cy + line + 0.2, cx + 5, cy + line - 0.5, 0.8, k.dark, 0.6);
  }
}

// A caption in the pixel font.
int CaptionWidth(const std::string& text) { return TextWidth(text); }
void Caption(Image& c, int x, int y, const std::string& text, Rgb colour) {
  DrawText(c, x, y, text, colour);
}

// A chevron pointing left (-1) or right (+1), its tip at (x, cy).
void Chevron(Image& c, double x, double cy, int direction, Rgb colour) {
  const double back = x - direction * 4.0;
  StrokeSegment(c, back, cy - 4.5, x, cy, 2.2, colour);
  StrokeSegment(c, x, cy, back, cy + 4.5, 2.2, colour);
}

void PagingCaption(Image& c, Rect tile, const std::string& text, int direction, const IconInk& k) {
  const int gap = 7;
  const int chevronWidth = 5;
  const int width = CaptionWidth(text) + gap + chevronWidth;
  const int left = tile.left + (tile.Width() - width) / 2;
  const double cy = (tile.top + tile.bottom) / 2.0;
  const int textTop = static_cast<int>(std::lround(cy - kTextHeight / 2.0));
  if (direction > 0) {
    Caption(c, left, textTop, text, k.ink);
    Chevron(c, left + width - 0.5, cy, +1, k.accent);
  } else {
    Chevron(c, left + 0.5, cy, -1, k.accent);
    Caption(c, left + chevronWidth + gap, textTop, text, k.ink);
  }
}

}  // namespace

void PaintButtonIcon(Image& canvas, const std::string& name, Rect tile, const IconInk& ink) {
  const double cx = (tile.left + tile.right) / 2.0;
  const double cy = (tile.top + tile.bottom) / 2.0;
  if (name == "mb") return Chip(canvas, cx, cy, ink);
  if (name == "cd") return Disc(canvas, cx, cy, ink);
  if (name == "report") return Headset(canvas, cx, cy, ink);
  if (name == "file") return List(canvas, cx, cy, ink);
  if (name == "help") return Question(canvas, cx, cy, ink);
  if (name == "manual") return Book(canvas, cx, cy, ink);
  if (name == "next_page") return PagingCaption(canvas, tile, "NEXT", +1, ink);
  if (name == "prev_page") return PagingCaption(canvas, tile, "PREVIOUS", -1, ink);
  if (name == "install") {
    const std::string caption = "INSTALL ALL";
    const int iconWidth = 20;
    const int gap = 8;
    const int left = tile.left + (tile.Width() - iconWidth - gap - CaptionWidth(caption)) / 2;
    Download(canvas, left + iconWidth / 2.0, cy - 0.5, ink);
    Caption(canvas, left + iconWidth + gap, static_cast<int>(std::lround(cy - kTextHeight / 2.0)),
            caption, ink.ink);
  }
}

}  // namespace pikko::demo
