// On Windows the checker measures with GDI, as the menu does: the width of a
// title as GetTextExtentPoint32 gives it, the height of a description as
// DrawText lays it out word-wrapped.
#include <windows.h>

#include <memory>

#include "disccheck/TextMetrics.h"
#include "platform/ScopedWin.h"

namespace pikko::disccheck {
namespace {

class GdiMeasurer final : public TextMeasurer {
 public:
  std::optional<int> Width(const FontFace& font, const std::string& text) const override {
    Dc dc(font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc.dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  std::optional<int> WrappedHeight(const FontFace& font, const std::string& text,
                                   int width) const override {
    Dc dc(font);
    RECT r{0, 0, width, 0};
    const std::string shown = text.empty() ? std::string(" ") : text;
    ::DrawTextA(dc.dc.Get(), shown.c_str(), static_cast<int>(shown.size()), &r,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    return r.bottom - r.top;
  }

 private:
  struct Dc {
    explicit Dc(const FontFace& face) : dc(::CreateCompatibleDC(nullptr)) {
      LOGFONTA lf{};
      lf.lfHeight = -face.height;
      lf.lfWeight = face.bold ? FW_BOLD : FW_NORMAL;
      lf.lfCharSet = DEFAULT_CHARSET;
      lstrcpynA(lf.lfFaceName, face.name.c_str(), LF_FACESIZE);
      font.Reset(::CreateFontIndirectA(&lf));
      select.emplace(dc.Get(), font.Get());
    }
    win::ScopedMemoryDc dc;
    win::ScopedFont font;
    std::optional<win::ScopedSelect> select;
  };
};

}  // namespace

std::unique_ptr<TextMeasurer> MakeMeasurer() { return std::make_unique<GdiMeasurer>(); }

}  // namespace pikko::disccheck
