// Text layouts over a device context: the plain one, and the glowing one
// the item titles are drawn with (the letters rendered white on black into
// a mask, the mask turned into a halo in the glow colour, the halo blended
// over what lies under the text, the letters drawn on top). The canvas is
// the device context: its selected font and text colour are the ones used.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "Graphics/GlowFilter.h"
#include "Graphics/GlowHaloCache.h"
#include "toolkit/Pixels.h"

namespace pikko {

class TTextLayout {
 public:
  TTextLayout() = default;
  TTextLayout(const TTextLayout&) = delete;
  TTextLayout& operator=(const TTextLayout&) = delete;

  // Draws the text (up to its first zero) in rect with the format flags,
  // background mode transparent. (DrawText is the system's narrow name:
  // its macro names this member DrawTextA wherever it is used.) The wide
  // text is a view: the exe carries no wide string class for it.
  virtual void DrawText(HDC canvas, const std::string& text, const RECT& rect, UINT format);
  virtual void DrawTextW(HDC canvas, std::wstring_view text, const RECT& rect, UINT format);
  // Measures: rect becomes the extent the text takes when drawn there.
  virtual void CalcRect(HDC canvas, const std::string& text, RECT& rect, UINT format);
  virtual void CalcRectW(HDC canvas, std::wstring_view text, RECT& rect, UINT format);
  // The plain layout is not owned by those who use it and does nothing
  // here; layouts made with new for one owner delete themselves.
  virtual void Release() {}
  virtual ~TTextLayout() = default;
};

// Calls Release() instead of delete: the owner of a glow layout holds it so.
struct ReleaseTextLayout {
  void operator()(TTextLayout* layout) const {
    if (layout != nullptr) layout->Release();
  }
};

class TOuterGlowTextLayout : public TTextLayout {
 public:
  // The halo of the last drawing is kept in cache, or in a cache of the
  // layout's own when none is given.
  explicit TOuterGlowTextLayout(GlowHaloCache* cache = nullptr)
      : cache_(cache != nullptr ? cache : &ownCache_) {}

  // Draw with glow; narrow and wide captions alike.
  void DrawText(HDC canvas, const std::string& text, const RECT& rect, UINT format) override;
  void DrawTextW(HDC canvas, std::wstring_view text, const RECT& rect, UINT format) override;
  // Measure as the plain layout does: the letters' extent, without the
  // halo, which stays inside the rectangle it is drawn in.
  void CalcRect(HDC canvas, const std::string& text, RECT& rect, UINT format) override;
  void CalcRectW(HDC canvas, std::wstring_view text, RECT& rect, UINT format) override;
  // Deletes the layout: only for layouts made with new.
  void Release() override { delete this; }
  // Turns a 32-bit white-on-black mask into the halo layer.
  virtual void ApplyFilter(PixelView bitmap);

  GlowParameters Parameters() const {
    return GlowParameters{GlowAlphaValue, GlowColor, GlowRadius, GlowSpread};
  }
  const GlowHaloCache& HaloCache() const { return *cache_; }

  std::uint8_t GlowAlphaValue = 255;
  TColor GlowColor = 0xBEFFFF;
  unsigned GlowRadius = 5;
  std::uint8_t GlowSpread = 128;

 private:
  // The glow drawing for either kind of text; draw puts the letters into a
  // device context with its selected font and colour.
  template <class DrawLetters>
  void DrawWithGlow(HDC canvas, const RECT& rect, UINT format, std::string key, bool wide,
                    const DrawLetters& draw);

  GlowHaloCache ownCache_;
  GlowHaloCache* cache_;
};

}  // namespace pikko
