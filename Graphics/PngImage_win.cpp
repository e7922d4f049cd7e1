#include "Graphics/PngImage_win.h"

#include "Graphics/PngReader.h"
#include "Graphics/TLayout.h"

namespace pikko {

bool LoadPngFile(const std::string& path, Bitmap& out) {
  PixelBuffer pixels;
  if (LoadPngFile(path, pixels) != PngFileResult::Loaded) return false;
  return out.CopyFrom(pixels.View());
}

bool CompositeOver(const Bitmap& background, int left, int top, const Bitmap& picture, Bitmap& out) {
  if (picture.Empty() || picture.BitsPerPixel() != 32) return false;
  // The piece of background the picture lies on, as the canvas holds it,
  // with the picture laid over it by its alpha.
  PixelBuffer under;
  CopyCanvasRect(background.View(),
                 PixelRect{left, top, left + picture.Width(), top + picture.Height()}, under);
  AlphaBlend(picture.View(), under.View(), 255);
  return out.CopyFrom(under.View());
}

}  // namespace pikko
