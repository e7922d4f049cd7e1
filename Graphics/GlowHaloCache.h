// A label's halo kept between paints. The halo depends only on what is
// drawn (text, font, the label's size and format flags) and the glow's four
// parameters, not on the skin under it or the text colour: a label that is
// painted again for a hover or a move of another window reuses its halo
// and only blends it anew.
#pragma once

#include <optional>
#include <string>

#include "Graphics/GlowFilter.h"
#include "toolkit/Pixels.h"

namespace pikko {

struct GlowHaloKey {
  std::string text;  // the caption's bytes (a wide caption's code units)
  bool wide = false;
  std::string font;  // a description of the font that tells faces apart
  int width = 0;
  int height = 0;
  unsigned format = 0;
  GlowParameters glow;

  friend bool operator==(const GlowHaloKey& a, const GlowHaloKey& b) {
    return a.text == b.text && a.wide == b.wide && a.font == b.font && a.width == b.width &&
           a.height == b.height && a.format == b.format && a.glow == b.glow;
  }
};

// One halo: the last one stored.
class GlowHaloCache {
 public:
  // The halo stored under key, or null when the last one was for another key.
  const PixelBuffer* Find(const GlowHaloKey& key) const;
  const PixelBuffer& Store(GlowHaloKey key, PixelBuffer halo);
  void Clear();
  // How many halos were stored: the number of times one had to be computed.
  unsigned Builds() const { return builds_; }

 private:
  std::optional<GlowHaloKey> key_;
  PixelBuffer halo_;
  unsigned builds_ = 0;
};

}  // namespace pikko
