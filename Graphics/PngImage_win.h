// PNG pictures as bitmaps: read through the disc's PNG library into 32-bit
// bitmaps with a straight alpha channel, and composited over a background.
#pragma once

#include <string>

#include "toolkit/Bitmap_win.h"

namespace pikko {

// Reads a PNG file through the disc's PNG library into a 32-bit bitmap
// (blue, green, red, alpha; the alpha not premultiplied). False when the
// file cannot be opened or the library rejects it. Without the library the
// program stops (a broken installation).
bool LoadPngFile(const std::string& path, Bitmap& out);

// The piece of background at (left, top) of the picture's size, with the
// picture blended over it; a 24-bit result. The background is not changed;
// parts outside it stay black under the picture.
bool CompositeOver(const Bitmap& background, int left, int top, const Bitmap& picture, Bitmap& out);

}  // namespace pikko
