// A text label whose text is drawn through the glowing layout: the item
// titles and their ellipsis markers carry a halo in the look's glow colour
// so that they stay legible on a busy skin.
#pragma once

#include <memory>

#include "Graphics/Graphicutility_win.h"
#include "toolkit/Label_win.h"

namespace pikko {

class ZkOuterGlowLabel : public Label {
 public:
  explicit ZkOuterGlowLabel(std::string name)
      : Label(std::move(name)), layout_(new TOuterGlowTextLayout) {}

  // The layout's parameters; setting them does not repaint.
  std::uint8_t GlowAlphaValue() const { return layout_->GlowAlphaValue; }
  void SetGlowAlphaValue(std::uint8_t v) { layout_->GlowAlphaValue = v; }
  TColor GlowColor() const { return layout_->GlowColor; }
  void SetGlowColor(TColor c) { layout_->GlowColor = c; }
  unsigned GlowRadius() const { return layout_->GlowRadius; }
  void SetGlowRadius(unsigned r) { layout_->GlowRadius = r; }
  std::uint8_t GlowSpread() const { return layout_->GlowSpread; }
  void SetGlowSpread(std::uint8_t s) { layout_->GlowSpread = s; }
  // Extra text-format flags for every drawing.
  int TextFormat = 0;

  void Paint(HDC dc) override;
  const TOuterGlowTextLayout& Layout() const { return *layout_; }

 private:
  std::unique_ptr<TOuterGlowTextLayout, ReleaseTextLayout> layout_;
};

}  // namespace pikko
