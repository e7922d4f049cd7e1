// GDI for the plain page view: the page's fonts (the menu's Tahoma at the
// page's sizes), text measured in them, and a laid-out page painted into a
// device context.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <string_view>
#include <tuple>

#include "browser/html/HtmlLayout.h"
#include "platform/ScopedWin.h"

namespace pikko {

class PlainPageFonts final : public PageMeasure {
 public:
  // Measures in a memory DC of its own, compatible with the screen.
  PlainPageFonts();
  PlainPageFonts(const PlainPageFonts&) = delete;
  PlainPageFonts& operator=(const PlainPageFonts&) = delete;
  ~PlainPageFonts() override;

  // The font for a page font; null when the system gives none. Owned here,
  // valid until the next call (the cache may be emptied when it is full).
  HFONT Font(const PageFont& font);

  int TextWidth(std::string_view text, const PageFont& font) override;
  int LineHeight(const PageFont& font) override;
  int Ascent(const PageFont& font) override;
  std::size_t CharLength(std::string_view text) override;

  static constexpr std::size_t kFontRoom = 48;

 private:
  using Key = std::tuple<int, bool, bool, bool>;
  struct Entry {
    win::ScopedFont font;
    int height = 0;
    int ascent = 0;
  };
  Entry* Select(const PageFont& font);

  win::ScopedMemoryDc dc_;
  HGDIOBJ originalFont_ = nullptr;
  std::map<Key, Entry> fonts_;
};

// Paints the page: its background over clip, then the layout's boxes, lines
// and text. Paints wholly outside clip are skipped.
void PaintPlainPage(HDC dc, const RECT& clip, TColor background, const PageLayout& layout,
                    PlainPageFonts& fonts);

}  // namespace pikko
