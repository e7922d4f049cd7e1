// A browser panel: the platform's web-browser control hosted in a child
// window of ours. The disc's contact, advertisement and promotion pages are
// shown in these.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/ScopedWin.h"

struct IWebBrowser2;

namespace pikko {

class BrowserSite;
class PlainPageView;

// What shows a panel's pages: the platform's control, or where its HTML
// engine is missing (Wine without one) our plain page view.
enum class BrowserEngine { Automatic, Control, PlainView };

// Room of the control's address buffer, terminator included: a longer address
// is cut to kBrowserAddressRoom - 1 characters.
constexpr std::size_t kBrowserAddressRoom = 260;

// The address as the control receives it: system code page to UTF-16, ending
// at the first NUL, cut to fit the address buffer (never splitting a
// surrogate pair). UTF-16 units without a terminator (a vector: the exe
// carries no wide string class).
std::vector<wchar_t> BrowserAddress(const std::string& target);

class WebBrowser {
 public:
  // Creates the control as a child of parent at the given rectangle, visible
  // and silent (it shows no dialogs of its own); nullptr when
  // the control cannot be created (no COM, no control): callers then go on without.
  // The calling thread must have entered a single-threaded COM apartment; it
  // owns the browser and must pump its messages.
  static std::unique_ptr<WebBrowser> Create(HWND parent, int left, int top, int width, int height,
                                            BrowserEngine engine = BrowserEngine::Automatic) noexcept;
  ~WebBrowser();  // closes and releases everything
  WebBrowser(const WebBrowser&) = delete;
  WebBrowser& operator=(const WebBrowser&) = delete;

  // Negative sizes count as 0.
  void SetBounds(int left, int top, int width, int height) noexcept;
  // Shows the address in the control. The result is not reported: a missing
  // page shows whatever the control shows for it. An empty address is ignored.
  void Navigate(const std::string& target) noexcept;
  // The child window that holds the control; null once it has been destroyed
  // (with its parent, for instance).
  HWND Window() const noexcept { return window_; }
  // The control itself, for callers that need more of it; null once closed
  // and with the plain view. Not an owning pointer.
  IWebBrowser2* Control() const noexcept;
  // The plain page view when it shows the pages, else null.
  PlainPageView* PlainView() const noexcept { return plain_.get(); }

  // The host window's side (WindowThunk).
  void AttachWindow(HWND hwnd) noexcept;
  LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  WebBrowser() = default;
  bool Open(HWND parent, int left, int top, int width, int height, bool plain) noexcept;
  void CloseControl() noexcept;
  void FitControl() noexcept;

  HRESULT oleInit_ = E_FAIL;
  HWND window_ = nullptr;
  bool closing_ = false;
  win::ComPtr<BrowserSite> site_;
  win::ComPtr<IOleObject> object_;
  win::ComPtr<IOleInPlaceObject> inPlace_;
  win::ComPtr<IWebBrowser2> browser_;
  std::unique_ptr<PlainPageView> plain_;
};

}  // namespace pikko
