#include "toolkit/PngImage_win.h"

#include <wincodec.h>

#include "Graphics/AlphaBlend.h"
#include "platform/ScopedWin.h"

namespace pikko {

bool LoadPngFile(const std::string& path, Bitmap& out) {
  wchar_t wide[MAX_PATH];
  if (!::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return false;
  win::ComPtr<IWICImagingFactory> factory;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Put()))))
    return false;
  win::ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(wide, nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.Put())))
    return false;
  win::ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.Put()))) return false;
  win::ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Put()))) return false;
  if (FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return false;
  UINT w = 0, h = 0;
  if (FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || w > 8192 || h > 8192) return false;
  if (!out.Create(static_cast<int>(w), static_cast<int>(h), 32)) return false;
  // The DIB is top-down with rows of exactly w * 4 bytes: decode straight into it.
  const UINT stride = static_cast<UINT>(out.Stride());
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * h, out.ScanLine(0)))) {
    out.Clear();
    return false;
  }
  return true;
}

bool CompositeOver(const Bitmap& background, int left, int top, const Bitmap& picture, Bitmap& out) {
  if (picture.Empty() || picture.BitsPerPixel() != 32) return false;
  if (!out.Create(picture.Width(), picture.Height(), 24)) return false;
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = out.ScanLine(y);
    const int by = top + y;
    for (int x = 0; x < picture.Width(); ++x) {
      const int bx = left + x;
      if (by < 0 || bx < 0 || by >= background.Height() || bx >= background.Width()) continue;
      const TColor c = background.Pixel(bx, by);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
    BlendRowOver24(row, picture.ScanLine(y), picture.Width());
  }
  return true;
}

}  // namespace pikko
