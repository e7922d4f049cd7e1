#include "browser/PlainPageGdi_win.h"

#include <algorithm>
#include <climits>

namespace pikko {
namespace {

constexpr char kFace[] = "Tahoma";

COLORREF Ref(TColor c) { return RGB(RedOf(c), GreenOf(c), BlueOf(c)); }

void Fill(HDC dc, const RECT& r, TColor colour) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  win::ScopedGdiObject brush(::CreateSolidBrush(Ref(colour)));
  if (brush) ::FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

RECT ToRect(const PageRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

bool Touches(const RECT& a, const RECT& clip) {
  return a.left < clip.right && a.right > clip.left && a.top < clip.bottom && a.bottom > clip.top;
}

}  // namespace

PlainPageFonts::PlainPageFonts() : dc_(::CreateCompatibleDC(nullptr)) {
  if (dc_) originalFont_ = ::SelectObject(dc_.Get(), ::GetStockObject(DEFAULT_GUI_FONT));
}

PlainPageFonts::~PlainPageFonts() {
  // Our fonts leave the DC before they are deleted.
  if (dc_ && originalFont_) ::SelectObject(dc_.Get(), originalFont_);
}

PlainPageFonts::Entry* PlainPageFonts::Select(const PageFont& font) {
  const Key key{std::clamp(font.sizePx, 4, 200), font.bold, font.italic, font.underline};
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    if (fonts_.size() >= kFontRoom) {
      if (dc_) ::SelectObject(dc_.Get(), ::GetStockObject(DEFAULT_GUI_FONT));
      fonts_.clear();
    }
    Entry entry;
    entry.font.Reset(::CreateFontA(-std::get<0>(key), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                                   font.italic, font.underline, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_SWISS, kFace));
    if (!entry.font || !dc_) return nullptr;
    ::SelectObject(dc_.Get(), entry.font.Get());
    TEXTMETRICA metrics{};
    if (::GetTextMetricsA(dc_.Get(), &metrics)) {
      entry.height = metrics.tmHeight + metrics.tmExternalLeading;
      entry.ascent = metrics.tmAscent;
    } else {
      entry.height = std::get<0>(key) + std::get<0>(key) / 4;
      entry.ascent = std::get<0>(key);
    }
    it = fonts_.emplace(key, std::move(entry)).first;
  }
  if (dc_) ::SelectObject(dc_.Get(), it->second.font.Get());
  return &it->second;
}

HFONT PlainPageFonts::Font(const PageFont& font) {
  Entry* e = Select(font);
  return e ? e->font.Get() : nullptr;
}

int PlainPageFonts::TextWidth(std::string_view text, const PageFont& font) {
  if (text.empty() || !Select(font)) return 0;
  SIZE size{};
  const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
  if (!::GetTextExtentPoint32A(dc_.Get(), text.data(), length, &size)) return 0;
  return size.cx;
}

int PlainPageFonts::LineHeight(const PageFont& font) {
  Entry* e = Select(font);
  return e ? e->height : font.sizePx;
}

int PlainPageFonts::Ascent(const PageFont& font) {
  Entry* e = Select(font);
  return e ? e->ascent : font.sizePx;
}

std::size_t PlainPageFonts::CharLength(std::string_view text) {
  return text.size() >= 2 && ::IsDBCSLeadByte(static_cast<BYTE>(text[0])) ? 2 : 1;
}

void PaintPlainPage(HDC dc, const RECT& clip, TColor background, const PageLayout& layout,
                    PlainPageFonts& fonts) {
  win::ScopedSaveDc saved(dc);
  Fill(dc, clip, background);
  ::SetBkMode(dc, TRANSPARENT);
  for (const PagePaint& p : layout.paints) {
    const RECT r = ToRect(p.rect);
    switch (p.kind) {
      case PagePaint::Kind::Fill:
        if (Touches(r, clip)) Fill(dc, r, p.colour);
        break;
      case PagePaint::Kind::Frame: {
        if (!Touches(r, clip)) break;
        const int t = std::max(1, p.thickness);
        Fill(dc, {r.left, r.top, r.right, std::min(r.bottom, r.top + t)}, p.colour);
        Fill(dc, {r.left, std::max(r.top, r.bottom - t), r.right, r.bottom}, p.colour);
        Fill(dc, {r.left, r.top, std::min(r.right, r.left + t), r.bottom}, p.colour);
        Fill(dc, {std::max(r.left, r.right - t), r.top, r.right, r.bottom}, p.colour);
        break;
      }
      case PagePaint::Kind::Dot: {
        if (!Touches(r, clip)) break;
        win::ScopedGdiObject brush(::CreateSolidBrush(Ref(p.colour)));
        win::ScopedSelect pen(dc, ::GetStockObject(NULL_PEN));
        win::ScopedSelect fill(dc, brush.Get());
        ::Ellipse(dc, r.left, r.top, r.right + 1, r.bottom + 1);
        break;
      }
      case PagePaint::Kind::Text: {
        if (!Touches(r, clip) || p.text.empty()) break;
        HFONT font = fonts.Font(p.font);
        if (!font) break;
        win::ScopedSelect select(dc, font);
        ::SetTextColor(dc, Ref(p.colour));
        const int length = static_cast<int>(std::min<std::size_t>(p.text.size(), INT_MAX));
        ::TextOutA(dc, r.left, r.top, p.text.data(), length);
        break;
      }
    }
  }
}

}  // namespace pikko
