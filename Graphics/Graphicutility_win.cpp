#include "Graphics/Graphicutility_win.h"

#include <cstddef>
#include <cstring>
#include <utility>

#include "Graphics/TLayout.h"
#include "Graphics/TLayout_win.h"
#include "platform/ScopedWin.h"
#include "toolkit/Bitmap_win.h"

namespace pikko {
namespace {

// Text is drawn up to its first zero, as the system draws a terminated one.
std::wstring_view UpToFirstZero(std::wstring_view text) { return text.substr(0, text.find(L'\0')); }

// The system's wide DrawText over the text up to its first zero; an empty
// text goes as a terminated one, which the system measures as one line.
void DrawWide(HDC canvas, std::wstring_view text, RECT& rect, UINT format) {
  const std::wstring_view shown = UpToFirstZero(text);
  if (shown.empty()) {
    ::DrawTextW(canvas, L"", -1, &rect, format);
  } else {
    ::DrawTextW(canvas, shown.data(), static_cast<int>(shown.size()), &rect, format);
  }
}

PixelBuffer CopyOf(ConstPixelView view) {
  PixelBuffer out(view.width, view.height, view.bitsPerPixel);
  const PixelView o = out.View();
  const std::size_t rowBytes = static_cast<std::size_t>(view.width) * view.BytesPerPixel();
  for (int y = 0; y < view.height; ++y) std::memcpy(o.Row(y), view.Row(y), rowBytes);
  return out;
}

// What tells the dc's selected font apart from another: its whole
// description, the face name up to its end.
std::string FontKey(HDC dc) {
  LOGFONTA font{};
  if (::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof font, &font) == 0) return {};
  std::string key(reinterpret_cast<const char*>(&font), offsetof(LOGFONTA, lfFaceName));
  key.append(font.lfFaceName, ::strnlen(font.lfFaceName, LF_FACESIZE));
  return key;
}

}  // namespace

void TTextLayout::DrawText(HDC canvas, const std::string& text, const RECT& rect, UINT format) {
  ::SetBkMode(canvas, TRANSPARENT);
  RECT r = rect;
  ::DrawTextA(canvas, text.c_str(), -1, &r, format);
}

void TTextLayout::DrawTextW(HDC canvas, std::wstring_view text, const RECT& rect, UINT format) {
  ::SetBkMode(canvas, TRANSPARENT);
  RECT r = rect;
  DrawWide(canvas, text, r, format);
}

void TTextLayout::CalcRect(HDC canvas, const std::string& text, RECT& rect, UINT format) {
  RECT r = rect;
  ::DrawTextA(canvas, text.c_str(), -1, &r, format | DT_CALCRECT);
  rect = r;
}

void TTextLayout::CalcRectW(HDC canvas, std::wstring_view text, RECT& rect, UINT format) {
  RECT r = rect;
  DrawWide(canvas, text, r, format | DT_CALCRECT);
  rect = r;
}

void TOuterGlowTextLayout::ApplyFilter(PixelView bitmap) {
  ApplyOuterGlowFilter(bitmap, Parameters());
}

template <class DrawLetters>
void TOuterGlowTextLayout::DrawWithGlow(HDC canvas, const RECT& rect, UINT format, std::string key,
                                        bool wide, const DrawLetters& draw) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0 || key.empty()) return;
  GlowHaloKey haloKey{std::move(key), wide, FontKey(canvas), width, height, format, Parameters()};

  const PixelBuffer* halo = cache_->Find(haloKey);
  if (halo == nullptr) {
    // The mask: the letters in white on black, in the canvas's font.
    Bitmap mask;
    win::ScopedMemoryDc maskDc(::CreateCompatibleDC(canvas));
    if (maskDc && mask.Create(width, height, 32)) {
      win::ScopedSelect selectMask(maskDc.Get(), mask.Handle());
      win::ScopedSelect selectFont(maskDc.Get(), ::GetCurrentObject(canvas, OBJ_FONT));
      ::SetTextColor(maskDc.Get(), RGB(255, 255, 255));
      draw(maskDc.Get(), RECT{0, 0, width, height});
      ::GdiFlush();
      ApplyFilter(mask.View());
      halo = &cache_->Store(std::move(haloKey), CopyOf(mask.View()));
    }
  }
  if (halo != nullptr) {
    // What lies under the text (for a transparent label, the skin its parent
    // painted), with the halo blended over it, back onto the canvas.
    Bitmap under;
    if (CopyFromCanvas(canvas, under, rect)) {
      AlphaBlend(halo->View(), under.View(), 255);
      under.Draw(canvas, rect.left, rect.top, false);
    }
  }
  // The letters on top, in the canvas's own font and colour.
  draw(canvas, rect);
}

void TOuterGlowTextLayout::DrawText(HDC canvas, const std::string& text, const RECT& rect,
                                    UINT format) {
  const std::string shown(text.c_str());  // up to the first zero, as drawn
  DrawWithGlow(canvas, rect, format, shown, false,
               [&](HDC dc, const RECT& r) { TTextLayout::DrawText(dc, shown, r, format); });
}

void TOuterGlowTextLayout::DrawTextW(HDC canvas, std::wstring_view text, const RECT& rect,
                                     UINT format) {
  const std::wstring_view shown = UpToFirstZero(text);
  const std::string key(reinterpret_cast<const char*>(shown.data()),
                        shown.size() * sizeof(wchar_t));
  DrawWithGlow(canvas, rect, format, key, true,
               [&](HDC dc, const RECT& r) { TTextLayout::DrawTextW(dc, shown, r, format); });
}

void TOuterGlowTextLayout::CalcRect(HDC canvas, const std::string& text, RECT& rect, UINT format) {
  TTextLayout::CalcRect(canvas, text, rect, format);
}

void TOuterGlowTextLayout::CalcRectW(HDC canvas, std::wstring_view text, RECT& rect,
                                     UINT format) {
  TTextLayout::CalcRectW(canvas, text, rect, format);
}

}  // namespace pikko
