#include "demo/AppIcon.h"

#include <cmath>
#include <vector>

#include "demo/Draw.h"
#include "demo/Png.h"

namespace pikko::demo {
namespace {

void Put(std::string& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The share of pixel (x, y) inside the ring between radii inner and outer
// around the centre, sampled on a 4 x 4 grid.
double RingCoverage(double cx, double cy, double inner, double outer, int x, int y) {
  int inside = 0;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      const double d = std::hypot(x + (i + 0.5) / 4 - cx, y + (j + 0.5) / 4 - cy);
      inside += d >= inner && d <= outer ? 1 : 0;
    }
  return inside / 16.0;
}

RgbaImage PaintIcon(int size) {
  RgbaImage image(size, size);
  const Rect tile{0, 0, size, size};
  const Corners corners = Corners::All(std::max(2, size / 5));
  const Rgb top{46, 120, 214}, bottom{12, 52, 120};
  const double c = size / 2.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double cover = RoundRectCoverage(tile, corners, x, y);
      if (cover <= 0) continue;
      const Rgb face = Mix(top, bottom, static_cast<double>(y) / (size - 1));
      image.Set(x, y, {face.r, face.g, face.b, static_cast<std::uint8_t>(std::lround(cover * 255))});
      const double disc = RingCoverage(c, c, size * 0.09, size * 0.34, x, y);
      if (disc > 0) image.Over(x, y, {255, 255, 255, 255}, disc * cover);
    }
  return image;
}

}  // namespace

std::string EncodeAppIcon() {
  const int sizes[] = {16, 32, 48};
  std::vector<std::string> images;
  for (int s : sizes) {
    const RgbaImage icon = PaintIcon(s);
    const int maskRow = ((s + 31) / 32) * 4;
    std::string b;
    Put(b, 40, 4);
    Put(b, static_cast<std::uint32_t>(s), 4);
    Put(b, static_cast<std::uint32_t>(2 * s), 4);  // colour and mask
    Put(b, 1, 2);
    Put(b, 32, 2);
    Put(b, 0, 4);
    Put(b, static_cast<std::uint32_t>(s * s * 4 + maskRow * s), 4);
    for (int i = 0; i < 4; ++i) Put(b, 0, 4);
    for (int y = s - 1; y >= 0; --y)
      for (int x = 0; x < s; ++x) {
        const Rgba p = icon.At(x, y);
        b += static_cast<char>(p.b);
        b += static_cast<char>(p.g);
        b += static_cast<char>(p.r);
        b += static_cast<char>(p.a);
      }
    for (int y = s - 1; y >= 0; --y) {
      std::string row(static_cast<std::size_t>(maskRow), '\0');
      for (int x = 0; x < s; ++x)
        if (icon.At(x, y).a == 0) row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
      b += row;
    }
    images.push_back(b);
  }
  std::string ico;
  Put(ico, 0, 2);
  Put(ico, 1, 2);
  Put(ico, static_cast<std::uint32_t>(images.size()), 2);
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    ico += static_cast<char>(sizes[i]);
    ico += static_cast<char>(sizes[i]);
    Put(ico, 0, 2);
    Put(ico, 1, 2);
    Put(ico, 32, 2);
    Put(ico, static_cast<std::uint32_t>(images[i].size()), 4);
    Put(ico, offset, 4);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const std::string& image : images) ico += image;
  return ico;
}

}  // namespace pikko::demo
