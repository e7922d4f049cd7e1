#include "Graphics/WinRegion_win.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/Assert.h"

namespace pikko {
namespace {

constexpr char kUnit[] = "WinRegion";
// Rectangles handed to the system at once. Some systems add a region's
// rectangles one by one, at a cost that grows with the region, so small
// batches are made first and then joined pairwise, each join linear in
// the sizes of its two halves.
constexpr std::size_t kBatch = 64;

HRGN NewRegion(int left, int top, int right, int bottom) {
  HRGN hrgn = ::CreateRectRgn(left, top, right, bottom);
  Check(hrgn != nullptr, "hrgn != NULL", kUnit);
  return hrgn;
}

HRGN RegionOfBatch(const RECT* rects, std::size_t count) {
  const std::size_t bytes = sizeof(RGNDATAHEADER) + count * sizeof(RECT);
  std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[bytes]);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.get());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(count);
  data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
  RECT bounds = rects[0];
  for (std::size_t i = 0; i < count; ++i) {
    bounds.left = std::min(bounds.left, rects[i].left);
    bounds.right = std::max(bounds.right, rects[i].right);
    bounds.top = std::min(bounds.top, rects[i].top);
    bounds.bottom = std::max(bounds.bottom, rects[i].bottom);
  }
  data->rdh.rcBound = bounds;
  std::memcpy(data->Buffer, rects, count * sizeof(RECT));
  HRGN hrgn = ::ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), data);
  Check(hrgn != nullptr, "hrgn != NULL", kUnit);
  return hrgn;
}

}  // namespace

HRGN RegionFromRuns(const std::vector<PixelRun>& runs) {
  // Rows with the same runs become one rectangle per run, top to bottom
  // and left to right: the system's own band order.
  std::vector<RECT> rects;
  rects.reserve(runs.size());
  std::size_t bandStart = 0;  // the rectangles of the band being grown
  for (std::size_t i = 0; i < runs.size();) {
    const int y = runs[i].y;
    std::size_t end = i;
    while (end < runs.size() && runs[end].y == y) ++end;
    bool same = !rects.empty() && rects.back().bottom == y && rects.size() - bandStart == end - i;
    for (std::size_t k = 0; same && k < end - i; ++k)
      same = rects[bandStart + k].left == runs[i + k].left &&
             rects[bandStart + k].right == runs[i + k].right;
    if (same) {
      for (std::size_t k = bandStart; k < rects.size(); ++k) rects[k].bottom = y + 1;
    } else {
      bandStart = rects.size();
      for (std::size_t k = i; k < end; ++k) rects.push_back(RECT{runs[k].left, y, runs[k].right, y + 1});
    }
    i = end;
  }
  if (rects.empty()) return NewRegion(0, 0, 0, 0);
  std::vector<HRGN> parts;
  for (std::size_t start = 0; start < rects.size(); start += kBatch)
    parts.push_back(RegionOfBatch(rects.data() + start, std::min(kBatch, rects.size() - start)));
  while (parts.size() > 1) {
    std::vector<HRGN> joined;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
      const int combineResult = ::CombineRgn(parts[i], parts[i], parts[i + 1], RGN_OR);
      ::DeleteObject(parts[i + 1]);
      Check(combineResult != ERROR, "combineResult != ERROR", kUnit);
      joined.push_back(parts[i]);
    }
    if (parts.size() % 2) joined.push_back(parts.back());
    parts.swap(joined);
  }
  return parts.front();
}

WinRegion::WinRegion() : hrgn_(NewRegion(0, 0, 0, 0)) {}

WinRegion::WinRegion(HRGN region) : hrgn_(NewRegion(0, 0, 0, 0)) {
  const int combineResult = ::CombineRgn(hrgn_, region, nullptr, RGN_COPY);
  Check(combineResult != ERROR, "combineResult != ERROR", kUnit);
}

WinRegion::WinRegion(Bitmap& bitmap, TColor transparent) {
  const int format = bitmap.BitsPerPixel();
  if (bitmap.Empty()) {
    hrgn_ = NewRegion(0, 0, 0, 0);
    return;
  }
  if (format != 24) bitmap.SetPixelFormat(24);
  // The shape is the union of the opaque runs, made in one go; that equals
  // the full rectangle with every transparent run cut out.
  hrgn_ = RegionFromRuns(OpaqueRuns(bitmap.View(), transparent & 0xFFFFFF));
  if (format != 24) bitmap.SetPixelFormat(format);
}

WinRegion::~WinRegion() {
  if (hrgn_) ::DeleteObject(hrgn_);
}

void WinRegion::SetRect(int left, int top, int right, int bottom) {
  const BOOL result = ::SetRectRgn(hrgn_, left, top, right, bottom);
  Check(result != 0, "result != 0", kUnit);
}

void WinRegion::Subtract(const WinRegion& other) {
  const int combineResult = ::CombineRgn(hrgn_, hrgn_, other.hrgn_, RGN_DIFF);
  Check(combineResult != ERROR, "combineResult != ERROR", kUnit);
}

void WinRegion::Offset(int dx, int dy) {
  const int result = ::OffsetRgn(hrgn_, dx, dy);
  Check(result != ERROR, "result != ERROR", kUnit);
}

void WinRegion::CopyFrom(const WinRegion& other) {
  if (&other == this) return;
  const int combineResult = ::CombineRgn(hrgn_, other.hrgn_, nullptr, RGN_COPY);
  Check(combineResult != ERROR, "combineResult != ERROR", kUnit);
}

HRGN WinRegion::Clone() const {
  HRGN copy = NewRegion(0, 0, 0, 0);
  const int combineResult = ::CombineRgn(copy, hrgn_, nullptr, RGN_COPY);
  if (combineResult == ERROR) ::DeleteObject(copy);
  Check(combineResult != ERROR, "combineResult != ERROR", kUnit);
  return copy;
}

void WinRegion::ApplyToWindow(HWND window, bool redraw) const {
  HRGN copy = Clone();
  // The window owns the copy once it has taken it.
  if (!::SetWindowRgn(window, copy, redraw ? TRUE : FALSE)) ::DeleteObject(copy);
}

bool WinRegion::Contains(int x, int y) const { return ::PtInRegion(hrgn_, x, y) != FALSE; }

bool WinRegion::Equals(const WinRegion& other) const {
  return ::EqualRgn(hrgn_, other.hrgn_) != FALSE;
}

}  // namespace pikko
