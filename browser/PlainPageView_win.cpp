// The plain page view's window: reading the page, laying it out at the
// window's size and painting it through a back buffer.
#include "browser/PlainPageView_win.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "browser/WebBrowser_win.h"
#include "platform/FileReader.h"
#include "toolkit/WindowClass_win.h"
#include "toolkit/WindowThunk_win.h"

namespace pikko {
namespace {

constexpr char kViewClass[] = "PikkoPlainPage";

bool RegisterViewClass() noexcept {
  // CS_HREDRAW | CS_VREDRAW: the text wraps anew at every width; no
  // background brush, every pixel is painted.
  return RegisterWindowClass(kViewClass, &WindowThunk<PlainPageView>, CS_HREDRAW | CS_VREDRAW,
                             nullptr);
}

// A character of the page's references in the system code page; empty when
// the code page has none (the reader shows '?').
std::string EncodeSystemCodePage(char32_t codePoint) {
  wchar_t wide[2];
  int units = 1;
  if (codePoint >= 0x10000) {
    wide[0] = static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10));
    wide[1] = static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    units = 2;
  } else {
    wide[0] = static_cast<wchar_t>(codePoint);
  }
  char bytes[8];
  BOOL replaced = FALSE;
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, bytes,
                                      static_cast<int>(std::size(bytes)), nullptr, &replaced);
  if (n <= 0 || replaced) return {};
  return std::string(bytes, static_cast<std::size_t>(n));
}

// The address as the control would be given it: up to the first NUL, cut to
// the control's address room.
std::string CutAddress(const std::string& address) {
  const std::vector<wchar_t> wide = BrowserAddress(address);
  const int length = static_cast<int>(wide.size());
  const int needed =
      ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string narrow(static_cast<std::size_t>(needed), '\0');
  const int written = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, narrow.data(), needed,
                                            nullptr, nullptr);
  narrow.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return narrow;
}

// The page's bytes, at most room of them; empty when the file cannot be read.
std::string ReadPage(const std::string& path, std::size_t room) {
  bool exists = false;
  return ReadFileBytes(path, exists, room).value_or(std::string());
}

}  // namespace

bool HtmlEngineAvailable() noexcept {
  // Asked once for the process (every panel asks), and from the system
  // folder only: never a library of that name lying in the current folder.
  static const bool available = [] {
    char path[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    constexpr char kName[] = "\\mshtml.dll";
    if (length == 0 || length + sizeof kName > MAX_PATH) return false;
    std::memcpy(path + length, kName, sizeof kName);
    HMODULE engine = ::LoadLibraryA(path);
    if (!engine) return false;
    ::FreeLibrary(engine);
    return true;
  }();
  return available;
}

std::unique_ptr<PlainPageView> PlainPageView::Create(HWND parent, int left, int top, int width,
                                                     int height) noexcept {
  if (!::IsWindow(parent)) return nullptr;
  std::unique_ptr<PlainPageView> view(new (std::nothrow) PlainPageView());
  if (!view || !view->Open(parent, left, top, width, height)) return nullptr;
  return view;
}

PlainPageView::~PlainPageView() {
  if (window_) ::DestroyWindow(window_);  // clears window_ on its way out
}

bool PlainPageView::Open(HWND parent, int left, int top, int width, int height) noexcept {
  if (!RegisterViewClass()) return false;
  window_ = ::CreateWindowExA(0, kViewClass, "", WS_CHILD | WS_VISIBLE, left, top,
                              std::max(width, 0), std::max(height, 0), parent, nullptr,
                              ThisModule(), this);
  return window_ != nullptr;
}

void PlainPageView::SetBounds(int left, int top, int width, int height) noexcept {
  if (window_) ::MoveWindow(window_, left, top, std::max(width, 0), std::max(height, 0), TRUE);
}

void PlainPageView::Navigate(const std::string& address) noexcept {
  if (address.empty() || address[0] == '\0') return;
  try {
    const std::string path = LocalPagePath(CutAddress(address));
    address_ = path;
    const HtmlLimits limits;
    const std::string html = path.empty() ? std::string() : ReadPage(path, limits.inputBytes);
    page_ = SimplifyHtml(html, EncodeSystemCodePage, limits);
  } catch (...) {
    page_ = PageModel{};  // out of memory for the page: an empty one
    address_.clear();
  }
  laidWidth_ = laidHeight_ = -1;
  if (window_) ::InvalidateRect(window_, nullptr, FALSE);
}

const PageLayout& PlainPageView::LaidOut(int width, int height) {
  if (width != laidWidth_ || height != laidHeight_) {
    layout_ = LayoutPage(page_, width, height, fonts_);
    laidWidth_ = width;
    laidHeight_ = height;
  }
  return layout_;
}

void PlainPageView::Render(HDC dc) noexcept {
  if (!window_ || !dc) return;
  RECT area{};
  ::GetClientRect(window_, &area);
  try {
    PaintPlainPage(dc, area, page_.background, LaidOut(area.right, area.bottom), fonts_);
  } catch (...) {
    // Out of memory for the layout: the page stays as it was drawn.
  }
}

void PlainPageView::Paint() noexcept {
  win::ScopedPaint paint(window_);
  RECT area{};
  ::GetClientRect(window_, &area);
  if (area.right <= 0 || area.bottom <= 0) return;
  // Drawn off screen first, so that a repaint never flickers through white.
  win::ScopedMemoryDc back(::CreateCompatibleDC(paint.Dc()));
  win::ScopedBitmap pixels(::CreateCompatibleBitmap(paint.Dc(), area.right, area.bottom));
  if (!back || !pixels) {
    Render(paint.Dc());
    return;
  }
  win::ScopedSelect select(back.Get(), pixels.Get());
  Render(back.Get());
  const RECT& dirty = paint.Area();
  ::BitBlt(paint.Dc(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top,
           back.Get(), dirty.left, dirty.top, SRCCOPY);
}

void PlainPageView::AttachWindow(HWND hwnd) noexcept { window_ = hwnd; }

LRESULT PlainPageView::WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT:
      // NOLINTNEXTLINE(performance-no-int-to-ptr): the message carries its DC
      Render(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace pikko
