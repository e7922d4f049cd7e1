#include "toolkit/Display_win.h"

#include <windows.h>

#include "platform/ScopedWin.h"

namespace pikko {
namespace {

std::optional<int>& Fixed() {
  static std::optional<int> depth;
  return depth;
}

}  // namespace

int DisplayColourDepth() {
  if (Fixed()) return *Fixed();
  win::ScopedGetDc dc(nullptr);
  return ::GetDeviceCaps(dc.Get(), BITSPIXEL) * ::GetDeviceCaps(dc.Get(), PLANES);
}

void SetDisplayColourDepth(std::optional<int> bitsPerPixel) { Fixed() = bitsPerPixel; }

}  // namespace pikko
