#include "toolkit/Font_win.h"

#include <cstring>

namespace pikko {

void Font::SetStyle(const FontStyle& style) {
  if (!style.SameFace(style_)) font_.Reset();
  style_ = style;
}

void Font::SetHeight(int pixels) {
  if (pixels != style_.height) font_.Reset();
  style_.height = pixels;
}

void Font::SetName(const std::string& name) {
  if (name != style_.name) font_.Reset();
  style_.name = name;
}

void Font::SetCharset(int charset) {
  if (charset != style_.charset) font_.Reset();
  style_.charset = charset;
}

HFONT Font::Handle() const {
  if (!font_) {
    LOGFONTA lf{};
    lf.lfHeight = -style_.height;
    lf.lfWeight = style_.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = static_cast<BYTE>(style_.charset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    // A face name longer than the room is cut, never overrun.
    std::strncpy(lf.lfFaceName, style_.name.c_str(), LF_FACESIZE - 1);
    font_.Reset(::CreateFontIndirectA(&lf));
  }
  return font_.Get();
}

int MeasureText(const Font& font, const std::string& text) {
  win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
  win::ScopedSelect sel(dc.Get(), font.Handle());
  SIZE size{};
  ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace pikko
