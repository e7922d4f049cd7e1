// The browser panel: our host window, the control in it, and its teardown.
#include "browser/WebBrowser_win.h"

#include <exdisp.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "browser/BrowserSite_win.h"
#include "browser/PlainPageView_win.h"
#include "toolkit/WindowClass_win.h"
#include "toolkit/WindowThunk_win.h"

namespace pikko {
namespace {

constexpr char kHostClass[] = "PikkoBrowserHost";
// The control's Visible property.
constexpr DISPID kVisibleDispId = 402;
// An address never needs more than this many bytes for the characters we
// keep: even at four bytes a character it leaves room to spare.
constexpr std::size_t kAddressBytesConsidered = 8 * kBrowserAddressRoom;

// The control is apartment-threaded and is activated in our window: it needs
// a single-threaded apartment on this thread, not just COM somewhere in the
// process (other threads' multithreaded apartment would let CoCreateInstance
// succeed and hand us a proxy that cannot be in-place activated).
bool ThreadIsSingleThreadedApartment() noexcept {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  if (FAILED(::CoGetApartmentType(&type, &qualifier))) return false;
  return type == APTTYPE_STA || type == APTTYPE_MAINSTA;
}

bool RegisterHostClass(WNDPROC proc) noexcept {
  return RegisterWindowClass(kHostClass, proc, 0, ::GetSysColorBrush(COLOR_WINDOW));
}

// A BSTR for the owner's lifetime.
class ScopedBstr {
 public:
  explicit ScopedBstr(const std::vector<wchar_t>& text)
      : bstr_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~ScopedBstr() { ::SysFreeString(bstr_); }
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;
  BSTR Get() const { return bstr_; }

 private:
  BSTR bstr_;
};

}  // namespace

std::vector<wchar_t> BrowserAddress(const std::string& target) {
  const std::size_t bytes = std::min(std::strlen(target.c_str()), kAddressBytesConsidered);
  if (bytes == 0) return {};
  const int length = static_cast<int>(bytes);
  const int needed = ::MultiByteToWideChar(CP_ACP, 0, target.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::vector<wchar_t> wide(static_cast<std::size_t>(needed), L'\0');
  const int written = ::MultiByteToWideChar(CP_ACP, 0, target.data(), length, wide.data(), needed);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  if (wide.size() > kBrowserAddressRoom - 1) {
    wide.resize(kBrowserAddressRoom - 1);
    if (IS_HIGH_SURROGATE(wide.back())) wide.pop_back();
  }
  return wide;
}

std::unique_ptr<WebBrowser> WebBrowser::Create(HWND parent, int left, int top, int width,
                                               int height, BrowserEngine engine) noexcept {
  if (!::IsWindow(parent) || !ThreadIsSingleThreadedApartment()) return nullptr;
  const bool plain = engine == BrowserEngine::PlainView ||
                     (engine == BrowserEngine::Automatic && !HtmlEngineAvailable());
  std::unique_ptr<WebBrowser> browser(new (std::nothrow) WebBrowser());
  if (!browser || !browser->Open(parent, left, top, width, height, plain)) return nullptr;
  return browser;
}

WebBrowser::~WebBrowser() {
  CloseControl();
  if (window_) ::DestroyWindow(window_);  // clears window_ on its way out
  // OLE goes last: the control may call into it while it closes.
  if (SUCCEEDED(oleInit_)) ::OleUninitialize();
}

bool WebBrowser::Open(HWND parent, int left, int top, int width, int height, bool plain) noexcept {
  // OLE proper, not only COM, so that the page's clipboard and drag and drop
  // work; it nests with whatever the application has set up.
  oleInit_ = ::OleInitialize(nullptr);
  if (FAILED(oleInit_) || !RegisterHostClass(&WindowThunk<WebBrowser>)) return false;
  // Clipped by its siblings: a button laid over the page ("Install Now") stays on top.
  window_ = ::CreateWindowExA(0, kHostClass, "",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, left, top,
                              std::max(width, 0), std::max(height, 0), parent, nullptr,
                              ThisModule(), this);
  if (!window_) return false;
  if (plain) {
    // No HTML engine: the plain view fills the host instead of the control.
    plain_ = PlainPageView::Create(window_, 0, 0, std::max(width, 0), std::max(height, 0));
    return plain_ != nullptr;
  }

  if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(object_.Put())))) {
    return false;
  }
  *site_.Put() = new (std::nothrow) BrowserSite(window_);
  if (!site_ || FAILED(object_->SetClientSite(site_.Get()))) return false;
  // A fresh control is told so before it is activated, as containers do.
  win::ComPtr<IPersistStreamInit> persist;
  if (SUCCEEDED(object_->QueryInterface(IID_IPersistStreamInit,
                                        reinterpret_cast<void**>(persist.Put())))) {
    persist->InitNew();
  }

  RECT area{};
  ::GetClientRect(window_, &area);
  if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, window_, &area)) ||
      FAILED(object_->QueryInterface(IID_IOleInPlaceObject,
                                     reinterpret_cast<void**>(inPlace_.Put()))) ||
      FAILED(object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser_.Put())))) {
    return false;
  }

  // Visible := true through the dispatch interface.
  VARIANTARG visible;
  ::VariantInit(&visible);
  visible.vt = VT_BOOL;
  visible.boolVal = VARIANT_TRUE;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&visible, &named, 1, 1};
  browser_->Invoke(kVisibleDispId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                   nullptr, nullptr, nullptr);
  // A disc's page must never stop the menu with a dialog of the control's
  // own: no script errors, no download or security prompts.
  browser_->put_Silent(VARIANT_TRUE);
  return true;
}

// Deactivates and closes the control and lets go of it and of our site. Runs
// from the destructor, or earlier when the host window is destroyed with its
// parent, while the control's own window still exists.
void WebBrowser::CloseControl() noexcept {
  if (closing_) return;
  closing_ = true;
  if (inPlace_) inPlace_->InPlaceDeactivate();
  inPlace_.Reset();
  browser_.Reset();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.Reset();
  }
  if (site_) site_->Detach();
  site_.Reset();
  plain_.reset();
}

void WebBrowser::SetBounds(int left, int top, int width, int height) noexcept {
  if (!window_) return;
  ::MoveWindow(window_, left, top, std::max(width, 0), std::max(height, 0), TRUE);
  FitControl();  // WM_SIZE does this too, but not when only the position changed
}

void WebBrowser::FitControl() noexcept {
  if ((!inPlace_ && !plain_) || !window_) return;
  RECT area{};
  ::GetClientRect(window_, &area);
  if (plain_) plain_->SetBounds(0, 0, area.right, area.bottom);
  if (inPlace_) inPlace_->SetObjectRects(&area, &area);
}

void WebBrowser::Navigate(const std::string& target) noexcept {
  if (plain_) plain_->Navigate(target);
  if (!browser_) return;
  try {
    const std::vector<wchar_t> address = BrowserAddress(target);
    if (address.empty()) return;
    ScopedBstr url(address);
    if (!url.Get()) return;
    // Flags, target frame, post data and headers: all left empty.
    VARIANT none[4];
    for (VARIANT& v : none) ::VariantInit(&v);
    browser_->Navigate(url.Get(), &none[0], &none[1], &none[2], &none[3]);
  } catch (...) {
    // Out of memory for the address: the page is simply not shown.
  }
}

IWebBrowser2* WebBrowser::Control() const noexcept { return browser_.Get(); }

void WebBrowser::AttachWindow(HWND hwnd) noexcept { window_ = hwnd; }

LRESULT WebBrowser::WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  switch (msg) {
    case WM_SIZE:
      FitControl();
      break;
    case WM_DESTROY:
      // Destroyed with its parent: close the control while its window lives.
      CloseControl();
      break;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace pikko
