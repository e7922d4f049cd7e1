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

// The text's dc state for the drawing's lifetime: restored afterwards.
class TextState {
 public:
  explicit TextState(HDC dc) : dc_(dc), colour_(::GetTextColor(dc)), mode_(::GetBkMode(dc)) {}
  ~TextState() {
    ::SetTextColor(dc_, colour_);
    ::SetBkMode(dc_, mode_);
  }
  TextState(const TextState&) = delete;
  TextState& operator=(const TextState&) = delete;

 private:
  HDC dc_;
  COLORREF colour_;
  int mode_;
};

}  // namespace

void TTextLayout::DrawText(HDC canvas, const std::string& text, const RECT& rect, UINT format) {
  ::SetBkMode(canvas, TRANSPARENT);
  RECT r = rect;
  ::DrawTextA(canvas, text.c_str(), -1, &r, format);
}

void TTextLayout::DrawTextW(HDC canvas, const std::wstring& text, const RECT& rect, UINT format) {
  ::SetBkMode(canvas, TRANSPARENT);
  RECT r = rect;
  ::DrawTextW(canvas, text.c_str(), -1, &r, format);
}

void TTextLayout::CalcRect(HDC canvas, const std::string& text, RECT& rect, UINT format) {
  RECT r = rect;
  ::DrawTextA(canvas, text.c_str(), -1, &r, format | DT_CALCRECT);
  rect = r;
}

void TTextLayout::CalcRectW(HDC canvas, const std::wstring& text, RECT& rect, UINT format) {
  RECT r = rect;
  ::DrawTextW(canvas, text.c_str(), -1, &r, format | DT_CALCRECT);
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

void TOuterGlowTextLayout::DrawTextW(HDC canvas, const std::wstring& text, const RECT& rect,
                                     UINT format) {
  const std::wstring shown(text.c_str());
  const std::string key(reinterpret_cast<const char*>(shown.data()),
                        shown.size() * sizeof(wchar_t));
  DrawWithGlow(canvas, rect, format, key, true,
               [&](HDC dc, const RECT& r) { TTextLayout::DrawTextW(dc, shown, r, format); });
}

void TOuterGlowTextLayout::CalcRect(HDC canvas, const std::string& text, RECT& rect, UINT format) {
  TTextLayout::CalcRect(canvas, text, rect, format);
}

void TOuterGlowTextLayout::CalcRectW(HDC canvas, const std::wstring& text, RECT& rect,
                                     UINT format) {
  TTextLayout::CalcRectW(canvas, text, rect, format);
}

void DrawGlowCaption(HDC dc, const RECT& rect, const std::string& caption, HFONT font,
                     TColor colour, UINT format, const GlowParameters& glow, GlowHaloCache* cache) {
  if (caption.empty() || rect.right <= rect.left || rect.bottom <= rect.top) return;
  GlowHaloCache once;
  TOuterGlowTextLayout layout(cache != nullptr ? cache : &once);
  layout.GlowAlphaValue = glow.GlowAlphaValue;
  layout.GlowColor = glow.GlowColor;
  layout.GlowRadius = glow.GlowRadius;
  layout.GlowSpread = glow.GlowSpread;
  const TextState keep(dc);
  const win::ScopedSelect selectFont(dc, font);
  ::SetTextColor(dc, colour & 0xFFFFFF);
  layout.DrawText(dc, caption, rect, format);
}

}  // namespace pikko
