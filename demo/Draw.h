// Drawing primitives for the skins: fills, gradients, rounded shapes with
// soft edges, lines, and a tiny pixel font for the few letters drawn into
// the bitmaps. Rectangles exclude their right and bottom edges.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "demo/Bmp.h"

namespace pikko::demo {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  Rect Inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
};

// Radii of the four corners of a rounded rectangle.
struct Corners {
  int topLeft = 0;
  int topRight = 0;
  int bottomRight = 0;
  int bottomLeft = 0;
  static Corners All(int r) { return {r, r, r, r}; }
  static Corners Top(int r) { return {r, r, 0, 0}; }
};

// t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // towards white
Rgb Darker(Rgb c, double t);   // towards black

void FillRect(Image& image, Rect r, Rgb c);
void GradientV(Image& image, Rect r, Rgb top, Rgb bottom);
void GradientH(Image& image, Rect r, Rgb left, Rgb right);

// The share (0..1) of pixel (x, y) that lies inside the rounded rectangle,
// sampled on a 4 x 4 grid.
double RoundRectCoverage(Rect r, Corners corners, int x, int y);

// A per-pixel colour for the shapes: gradients, or a colour per position.
using Paint = std::function<Rgb(int x, int y)>;
Paint Solid(Rgb c);
Paint VerticalPaint(Rect r, Rgb top, Rgb bottom);

// Fills the rounded rectangle; edge pixels are mixed by their coverage.
void FillRoundRect(Image& image, Rect r, Corners corners, const Paint& paint, double alpha = 1.0);
// A one-pixel outline just inside the rounded rectangle.
void OutlineRoundRect(Image& image, Rect r, Corners corners, Rgb c, double alpha = 1.0);

void HLine(Image& image, int left, int right, int y, Rgb c, double alpha = 1.0);
void VLine(Image& image, int x, int top, int bottom, Rgb c, double alpha = 1.0);
// A straight line between two points, both ends included.
void Line(Image& image, int x0, int y0, int x1, int y1, Rgb c, double alpha = 1.0);
// A filled disc centred on (cx, cy), soft at its edge.
void FillCircle(Image& image, double cx, double cy, double radius, Rgb c, double alpha = 1.0);

// Anti-aliased strokes with round ends, width in pixels, for the icons.
// Coordinates are continuous: pixel (x, y) covers x..x+1, y..y+1.
void StrokeSegment(Image& image, double x0, double y0, double x1, double y1, double width, Rgb c,
                   double alpha = 1.0);
// An arc of the circle, from angle `from` clockwise (on screen, y down) to
// angle `to`, in degrees; 0 points right, 90 down.
void StrokeArc(Image& image, double cx, double cy, double radius, double from, double to,
               double width, Rgb c, double alpha = 1.0);

struct Point {
  double x = 0;
  double y = 0;
};
// A filled polygon (even-odd rule), soft at its edges.
void FillPolygon(Image& image, const std::vector<Point>& points, Rgb c, double alpha = 1.0);

// The signed distance from a point to the outline of a rounded rectangle
// with one radius: negative inside, positive outside.
double RoundRectDistance(Rect r, double radius, double px, double py);

// The pixel font: 5 x 7 capitals, digits and a little punctuation, one
// pixel between letters, scaled by a whole factor. Unknown characters
// draw as blanks.
int TextWidth(std::string_view text, int scale = 1);
constexpr int kTextHeight = 7;
void DrawText(Image& image, int x, int y, std::string_view text, Rgb c, int scale = 1);

}  // namespace pikko::demo
