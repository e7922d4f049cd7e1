// The client site and in-place frame of a hosted browser control.
#include "browser/BrowserSite_win.h"

namespace pikko {
namespace {

std::atomic<long> g_liveContainerObjects{0};

// Fills *out with the interface, taking a reference, as QueryInterface must.
HRESULT Hand(IUnknown* object, void** out) noexcept {
  *out = object;
  object->AddRef();
  return S_OK;
}

HRESULT NoInterface(void** out) noexcept {
  *out = nullptr;
  return E_NOINTERFACE;
}

}  // namespace

long LiveBrowserContainerObjects() noexcept { return g_liveContainerObjects.load(); }

// ---------------------------------------------------------------- site

BrowserSite::BrowserSite(HWND host) noexcept
    : host_(host), frame_(new (std::nothrow) BrowserFrame(host)) {
  ++g_liveContainerObjects;
}

BrowserSite::~BrowserSite() {
  if (frame_) frame_->Release();
  --g_liveContainerObjects;
}

void BrowserSite::Detach() noexcept {
  host_ = nullptr;
  if (frame_) frame_->Detach();
}

HRESULT BrowserSite::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  // IUnknown is always the client-site face, so identity comparisons hold.
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    return Hand(static_cast<IOleClientSite*>(this), out);
  }
  if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    return Hand(static_cast<IOleInPlaceSite*>(this), out);
  }
  return NoInterface(out);
}

ULONG BrowserSite::AddRef() noexcept { return ++refs_; }

ULONG BrowserSite::Release() noexcept {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT BrowserSite::SaveObject() noexcept { return E_NOTIMPL; }

HRESULT BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** out) noexcept {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

// We are no document that could list its objects.
HRESULT BrowserSite::GetContainer(IOleContainer** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT BrowserSite::ShowObject() noexcept { return S_OK; }
HRESULT BrowserSite::OnShowWindow(BOOL) noexcept { return S_OK; }
HRESULT BrowserSite::RequestNewObjectLayout() noexcept { return E_NOTIMPL; }

HRESULT BrowserSite::GetWindow(HWND* out) noexcept {
  if (!out) return E_POINTER;
  *out = host_;
  return host_ ? S_OK : E_FAIL;
}

HRESULT BrowserSite::ContextSensitiveHelp(BOOL) noexcept { return E_NOTIMPL; }

HRESULT BrowserSite::CanInPlaceActivate() noexcept { return host_ ? S_OK : S_FALSE; }
HRESULT BrowserSite::OnInPlaceActivate() noexcept { return S_OK; }
HRESULT BrowserSite::OnUIActivate() noexcept { return S_OK; }

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                      LPRECT position, LPRECT clip,
                                      LPOLEINPLACEFRAMEINFO info) noexcept {
  if (!frame || !doc || !position || !clip || !info) return E_POINTER;
  *frame = nullptr;
  *doc = nullptr;  // no separate document window: the frame is all there is
  if (!host_ || !frame_) return E_FAIL;
  // The control fills the host window; the host's bounds are the panel's business.
  ::GetClientRect(host_, position);
  *clip = *position;
  info->cb = sizeof(OLEINPLACEFRAMEINFO);
  info->fMDIApp = FALSE;
  info->hwndFrame = frame_->FrameWindow();
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  frame_->AddRef();
  *frame = frame_;
  return S_OK;
}

HRESULT BrowserSite::Scroll(SIZE) noexcept { return E_NOTIMPL; }
HRESULT BrowserSite::OnUIDeactivate(BOOL) noexcept { return S_OK; }
HRESULT BrowserSite::OnInPlaceDeactivate() noexcept { return S_OK; }
HRESULT BrowserSite::DiscardUndoState() noexcept { return S_OK; }
HRESULT BrowserSite::DeactivateAndUndo() noexcept { return S_OK; }

// The control asks for another rectangle; the panel decides where it goes, so
// the request is acknowledged and the control keeps the rectangle we gave it.
HRESULT BrowserSite::OnPosRectChange(LPCRECT) noexcept { return S_OK; }

// ---------------------------------------------------------------- frame

BrowserFrame::BrowserFrame(HWND host) noexcept : host_(host) { ++g_liveContainerObjects; }

BrowserFrame::~BrowserFrame() { --g_liveContainerObjects; }

void BrowserFrame::Detach() noexcept { host_ = nullptr; }

HWND BrowserFrame::FrameWindow() const noexcept {
  return host_ ? ::GetAncestor(host_, GA_ROOT) : nullptr;
}

HRESULT BrowserFrame::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow ||
      iid == IID_IOleInPlaceFrame) {
    return Hand(this, out);
  }
  return NoInterface(out);
}

ULONG BrowserFrame::AddRef() noexcept { return ++refs_; }

ULONG BrowserFrame::Release() noexcept {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT BrowserFrame::GetWindow(HWND* out) noexcept {
  if (!out) return E_POINTER;
  *out = FrameWindow();
  return *out ? S_OK : E_FAIL;
}

HRESULT BrowserFrame::ContextSensitiveHelp(BOOL) noexcept { return E_NOTIMPL; }

// No toolbars: the panel has no room to give.
HRESULT BrowserFrame::GetBorder(LPRECT border) noexcept {
  if (border) ::SetRectEmpty(border);
  return INPLACE_E_NOTOOLSPACE;
}

HRESULT BrowserFrame::RequestBorderSpace(LPCBORDERWIDTHS) noexcept { return INPLACE_E_NOTOOLSPACE; }

// Null asks for no space at all, which we can always grant.
HRESULT BrowserFrame::SetBorderSpace(LPCBORDERWIDTHS widths) noexcept {
  return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}

// Nothing of ours routes keys to the active object, so it is not kept (keeping
// it would tie the control's life to ours).
HRESULT BrowserFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) noexcept { return S_OK; }

HRESULT BrowserFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) noexcept {
  if (widths) {
    widths->width[0] = widths->width[2] = widths->width[4] = 0;
  }
  return S_OK;
}

HRESULT BrowserFrame::SetMenu(HMENU, HOLEMENU, HWND) noexcept { return S_OK; }
HRESULT BrowserFrame::RemoveMenus(HMENU) noexcept { return S_OK; }
HRESULT BrowserFrame::SetStatusText(LPCOLESTR) noexcept { return S_OK; }
HRESULT BrowserFrame::EnableModeless(BOOL) noexcept { return S_OK; }
HRESULT BrowserFrame::TranslateAccelerator(LPMSG, WORD) noexcept { return S_FALSE; }

}  // namespace pikko
