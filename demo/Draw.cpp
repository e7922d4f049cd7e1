#include "demo/Draw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pikko::demo {

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto mix = [t](std::uint8_t from, std::uint8_t to) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
  };
  return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}
Rgb Lighter(Rgb c, double t) { return Mix(c, {255, 255, 255}, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, {0, 0, 0}, t); }

void FillRect(Image& image, Rect r, Rgb c) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) image.Set(x, y, c);
}

void GradientV(Image& image, Rect r, Rgb top, Rgb bottom) {
  const double span = std::max(r.Height() - 1, 1);
  for (int y = r.top; y < r.bottom; ++y)
    HLine(image, r.left, r.right, y, Mix(top, bottom, (y - r.top) / span));
}

void GradientH(Image& image, Rect r, Rgb left, Rgb right) {
  const double span = std::max(r.Width() - 1, 1);
  for (int x = r.left; x < r.right; ++x)
    VLine(image, x, r.top, r.bottom, Mix(left, right, (x - r.left) / span));
}

namespace {

// Whether the point (in continuous coordinates) lies in the rounded rectangle.
bool Inside(Rect r, Corners k, double px, double py) {
  if (px < r.left || py < r.top || px > r.right || py > r.bottom) return false;
  auto inCorner = [px, py](double cx, double cy, int radius) {
    const double dx = px - cx;
    const double dy = py - cy;
    return dx * dx + dy * dy <= static_cast<double>(radius) * radius;
  };
  if (k.topLeft > 0 && px < r.left + k.topLeft && py < r.top + k.topLeft)
    return inCorner(r.left + k.topLeft, r.top + k.topLeft, k.topLeft);
  if (k.topRight > 0 && px > r.right - k.topRight && py < r.top + k.topRight)
    return inCorner(r.right - k.topRight, r.top + k.topRight, k.topRight);
  if (k.bottomRight > 0 && px > r.right - k.bottomRight && py > r.bottom - k.bottomRight)
    return inCorner(r.right - k.bottomRight, r.bottom - k.bottomRight, k.bottomRight);
  if (k.bottomLeft > 0 && px < r.left + k.bottomLeft && py > r.bottom - k.bottomLeft)
    return inCorner(r.left + k.bottomLeft, r.bottom - k.bottomLeft, k.bottomLeft);
  return true;
}

Corners Shrink(Corners k, int d) {
  auto s = [d](int radius) { return std::max(radius - d, 0); };
  return {s(k.topLeft), s(k.topRight), s(k.bottomRight), s(k.bottomLeft)};
}

}  // namespace

double RoundRectCoverage(Rect r, Corners corners, int x, int y) {
  int hits = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx)
      if (Inside(r, corners, x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
  return hits / 16.0;
}

Paint Solid(Rgb c) {
  return [c](int, int) { return c; };
}

Paint VerticalPaint(Rect r, Rgb top, Rgb bottom) {
  const double span = std::max(r.Height() - 1, 1);
  return [=](int, int y) { return Mix(top, bottom, (y - r.top) / span); };
}

void FillRoundRect(Image& image, Rect r, Corners corners, const Paint& paint, double alpha) {
  const int maxRadius =
      std::max({corners.topLeft, corners.topRight, corners.bottomRight, corners.bottomLeft});
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      // Only pixels near a corner need sampling; the rest are fully inside.
      const bool nearCorner = (x < r.left + maxRadius || x >= r.right - maxRadius) &&
                              (y < r.top + maxRadius || y >= r.bottom - maxRadius);
      const double coverage = nearCorner ? RoundRectCoverage(r, corners, x, y) : 1.0;
      if (coverage > 0.0) image.Blend(x, y, paint(x, y), coverage * alpha);
    }
  }
}

void OutlineRoundRect(Image& image, Rect r, Corners corners, Rgb c, double alpha) {
  const Rect inner = r.Inset(1);
  const Corners innerCorners = Shrink(corners, 1);
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const bool edge =
          x <= inner.left || x >= inner.right - 1 || y <= inner.top || y >= inner.bottom - 1;
      const int maxRadius =
          std::max({corners.topLeft, corners.topRight, corners.bottomRight, corners.bottomLeft});
      const bool nearCorner = (x < r.left + maxRadius + 1 || x >= r.right - maxRadius - 1) &&
                              (y < r.top + maxRadius + 1 || y >= r.bottom - maxRadius - 1);
      if (!edge && !nearCorner) continue;
      const double ring =
          RoundRectCoverage(r, corners, x, y) - RoundRectCoverage(inner, innerCorners, x, y);
      if (ring > 0.0) image.Blend(x, y, c, ring * alpha);
    }
  }
}

void HLine(Image& image, int left, int right, int y, Rgb c, double alpha) {
  for (int x = left; x < right; ++x) image.Blend(x, y, c, alpha);
}

void VLine(Image& image, int x, int top, int bottom, Rgb c, double alpha) {
  for (int y = top; y < bottom; ++y) image.Blend(x, y, c, alpha);
}

void Line(Image& image, int x0, int y0, int x1, int y1, Rgb c, double alpha) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int stepX = x0 < x1 ? 1 : -1;
  const int stepY = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    image.Blend(x0, y0, c, alpha);
    if (x0 == x1 && y0 == y1) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += stepX;
    }
    if (twice <= dx) {
      error += dx;
      y0 += stepY;
    }
  }
}

void FillCircle(Image& image, double cx, double cy, double radius, Rgb c, double alpha) {
  const int left = static_cast<int>(std::floor(cx - radius - 1));
  const int right = static_cast<int>(std::ceil(cx + radius + 1));
  const int top = static_cast<int>(std::floor(cy - radius - 1));
  const int bottom = static_cast<int>(std::ceil(cy + radius + 1));
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          const double dx = x + (sx + 0.5) / 4.0 - cx;
          const double dy = y + (sy + 0.5) / 4.0 - cy;
          if (dx * dx + dy * dy <= radius * radius) ++hits;
        }
      }
      if (hits > 0) image.Blend(x, y, c, hits / 16.0 * alpha);
    }
  }
}

namespace {

constexpr double kPi = 3.14159265358979323846;

// Blends c over every pixel of the box by the share of its 4 x 4 samples
// that lie inside the shape.
template <class Inside>
void CoverShape(Image& image, double left, double top, double right, double bottom, Rgb c,
                double alpha, Inside inside) {
  const int x0 = static_cast<int>(std::floor(left));
  const int y0 = static_cast<int>(std::floor(top));
  const int x1 = static_cast<int>(std::ceil(right));
  const int y1 = static_cast<int>(std::ceil(bottom));
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
          if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
      if (hits > 0) image.Blend(x, y, c, hits / 16.0 * alpha);
    }
  }
}

double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0 ? ((px - x0) * dx + (py - y0) * dy) / lengthSquared : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

}  // namespace

void StrokeSegment(Image& image, double x0, double y0, double x1, double y1, double width, Rgb c,
                   double alpha) {
  const double half = width / 2;
  CoverShape(image, std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
             std::max(y0, y1) + half, c, alpha,
             [&](double px, double py) { return SegmentDistance(px, py, x0, y0, x1, y1) <= half; });
}

void StrokeArc(Image& image, double cx, double cy, double radius, double from, double to,
               double width, Rgb c, double alpha) {
  const double half = width / 2;
  double sweep = std::fmod(to - from, 360.0);
  if (sweep <= 0) sweep += 360.0;
  const double ex0 = cx + radius * std::cos(from * kPi / 180);
  const double ey0 = cy + radius * std::sin(from * kPi / 180);
  const double ex1 = cx + radius * std::cos((from + sweep) * kPi / 180);
  const double ey1 = cy + radius * std::sin((from + sweep) * kPi / 180);
  const double reach = radius + half;
  CoverShape(
      image, cx - reach, cy - reach, cx + reach, cy + reach, c, alpha, [&](double px, double py) {
        double angle = std::atan2(py - cy, px - cx) * 180 / kPi - from;
        angle = std::fmod(angle, 360.0);
        if (angle < 0) angle += 360.0;
        if (angle <= sweep) return std::abs(std::hypot(px - cx, py - cy) - radius) <= half;
        // Beyond the ends the stroke ends round.
        return std::hypot(px - ex0, py - ey0) <= half || std::hypot(px - ex1, py - ey1) <= half;
      });
}

void FillPolygon(Image& image, const std::vector<Point>& points, Rgb c, double alpha) {
  if (points.size() < 3) return;
  double left = points[0].x, right = left, top = points[0].y, bottom = top;
  for (const Point& p : points) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  CoverShape(image, left, top, right, bottom, c, alpha, [&](double px, double py) {
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point& a = points[i];
      const Point& b = points[j];
      if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
        inside = !inside;
    }
    return inside;
  });
}

double RoundRectDistance(Rect r, double radius, double px, double py) {
  const double cx = (r.left + r.right) / 2.0;
  const double cy = (r.top + r.bottom) / 2.0;
  const double qx = std::abs(px - cx) - (r.Width() / 2.0 - radius);
  const double qy = std::abs(py - cy) - (r.Height() / 2.0 - radius);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

namespace {

struct Glyph {
  char ch;
  const char* rows[kTextHeight];
};

// '#' marks a lit pixel.
constexpr Glyph kGlyphs[] = {
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
    {'C', {" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"}},
    {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
    {'G', {" ####", "#    ", "#    ", "#  ##", "#   #", "#   #", " ####"}},
    {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'I', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "#####"}},
    {'J', {"  ###", "    #", "    #", "    #", "    #", "#   #", " ### "}},
    {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
    {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
    {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
    {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
    {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
    {'Q', {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"}},
    {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
    {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"}},
    {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
    {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'Z', {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"}},
    {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
    {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
    {'3', {"#### ", "    #", "    #", " ### ", "    #", "    #", "#### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
    {'6', {" ### ", "#    ", "#    ", "#### ", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", " ####", "    #", "    #", " ### "}},
    {'-', {"     ", "     ", "     ", " ### ", "     ", "     ", "     "}},
    {'.', {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "}},
    {'/', {"    #", "    #", "   # ", "  #  ", " #   ", "#    ", "#    "}},
    {'&', {" ##  ", "#  # ", "#  # ", " ##  ", "# # #", "#  # ", " ## #"}},
};

constexpr int kGlyphWidth = 5;

const Glyph* FindGlyph(char ch) {
  if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  for (const Glyph& g : kGlyphs)
    if (g.ch == ch) return &g;
  return nullptr;
}

}  // namespace

int TextWidth(std::string_view text, int scale) {
  if (text.empty()) return 0;
  return static_cast<int>(text.size()) * (kGlyphWidth + 1) * scale - scale;
}

void DrawText(Image& image, int x, int y, std::string_view text, Rgb c, int scale) {
  for (char ch : text) {
    if (const Glyph* g = FindGlyph(ch)) {
      for (int row = 0; row < kTextHeight; ++row)
        for (int col = 0; col < kGlyphWidth; ++col)
          if (g->rows[row][col] == '#')
            FillRect(
                image,
                {x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale},
                c);
    }
    x += (kGlyphWidth + 1) * scale;
  }
}

}  // namespace pikko::demo
