#include "Graphics/GlowHaloCache.h"

#include <utility>

namespace pikko {

const PixelBuffer* GlowHaloCache::Find(const GlowHaloKey& key) const {
  return key_ && *key_ == key ? &halo_ : nullptr;
}

const PixelBuffer& GlowHaloCache::Store(GlowHaloKey key, PixelBuffer halo) {
  key_ = std::move(key);
  halo_ = std::move(halo);
  ++builds_;
  return halo_;
}

void GlowHaloCache::Clear() {
  key_.reset();
  halo_ = PixelBuffer();
}

}  // namespace pikko
