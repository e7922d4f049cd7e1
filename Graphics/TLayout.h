// Compositing over pixel views: blending a 32-bit picture with per-pixel
// alpha onto a 24- or 32-bit destination, and the pixel side of copying a
// rectangle of a canvas. The menu composes its button states this way (the
// PNG over the piece of window background under the button) and the glow
// lays its halo over the skin the same way.
#pragma once

#include "toolkit/Pixels.h"

namespace pikko {

// A rectangle of pixels; Right and Bottom are outside it.
struct PixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

struct PixelPoint {
  int X = 0;
  int Y = 0;
};

// Blends the part sourceRect of the 32-bit source onto the destination with
// its top-left corner at point (see AlphaBlend.h for the arithmetic). The
// destination's own alpha byte, if it has one, is kept. The area is clipped
// to the destination; an area that then still reaches beyond the source is
// a broken invariant ("maxRow <= src->Height && maxCol <= src->Width" in
// TLayout), and so is a source that is not 32-bit.
void AlphaBlendRect(ConstPixelView source, const PixelRect& sourceRect, PixelView destination,
                    PixelPoint point, int opacity = 255);

// The whole source onto the destination's top-left corner.
void AlphaBlend(ConstPixelView source, PixelView destination, int opacity = 255);

// The pixel side of copying a canvas's rectangle: out becomes a 24-bit copy
// of rect of the canvas. The parts of rect outside the canvas come out
// black; an empty rect gives an empty buffer.
void CopyCanvasRect(ConstPixelView canvas, const PixelRect& rect, PixelBuffer& out);

}  // namespace pikko
