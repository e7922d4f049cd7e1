// PNG pictures read through the system's imaging codecs into 32-bit bitmaps
// with a straight alpha channel, and composited over a background.
#pragma once

#include <string>

#include "toolkit/Bitmap_win.h"

namespace pikko {

// Reads a PNG file into a 32-bit bitmap (blue, green, red, alpha; the alpha
// not premultiplied). False when the file is missing or not a picture.
bool LoadPngFile(const std::string& path, Bitmap& out);

// The piece of background at (left, top) of the picture's size, with the
// picture blended over it; a 24-bit result. The background is not changed;
// parts outside it stay black under the picture.
bool CompositeOver(const Bitmap& background, int left, int top, const Bitmap& picture, Bitmap& out);

}  // namespace pikko
