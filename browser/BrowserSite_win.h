// The container side of a hosted browser control: the client site the control
// talks to and the frame it is in-place activated in. Two small COM objects
// of our own, counted while alive so that a leaked reference shows up.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <atomic>
#include <new>

namespace pikko {

class BrowserFrame;

// The client site and in-place site of one control. It knows the host window
// the control is activated in; Detach() cuts that link when the host goes, so
// a control that keeps a reference past its close gets failures, not a dead
// window.
class BrowserSite final : public IOleClientSite, public IOleInPlaceSite {
 public:
  // Starts with one reference, held by the creator.
  explicit BrowserSite(HWND host) noexcept;
  BrowserSite(const BrowserSite&) = delete;
  BrowserSite& operator=(const BrowserSite&) = delete;

  void Detach() noexcept;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() noexcept override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** out) noexcept override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) noexcept override;
  HRESULT STDMETHODCALLTYPE ShowObject() noexcept override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) noexcept override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() noexcept override;

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) noexcept override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) noexcept override;

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() noexcept override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() noexcept override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() noexcept override;
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             LPRECT position, LPRECT clip,
                                             LPOLEINPLACEFRAMEINFO info) noexcept override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) noexcept override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) noexcept override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() noexcept override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() noexcept override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() noexcept override;
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) noexcept override;

 private:
  ~BrowserSite();

  std::atomic<ULONG> refs_{1};
  HWND host_;
  BrowserFrame* frame_;  // one reference, ours
};

// The in-place frame handed to the control. Our window has no menu, tool
// space or status bar to share, so the frame politely declines all of them.
class BrowserFrame final : public IOleInPlaceFrame {
 public:
  explicit BrowserFrame(HWND host) noexcept;
  BrowserFrame(const BrowserFrame&) = delete;
  BrowserFrame& operator=(const BrowserFrame&) = delete;

  void Detach() noexcept;
  // The top-level window that holds the host, or null once detached.
  HWND FrameWindow() const noexcept;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) noexcept override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) noexcept override;

  // IOleInPlaceUIWindow
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) noexcept override;
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) noexcept override;
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) noexcept override;
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object,
                                            LPCOLESTR name) noexcept override;

  // IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU shared,
                                        LPOLEMENUGROUPWIDTHS widths) noexcept override;
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU descriptor,
                                    HWND activeObject) noexcept override;
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU shared) noexcept override;
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) noexcept override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) noexcept override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, WORD id) noexcept override;

 private:
  ~BrowserFrame();

  std::atomic<ULONG> refs_{1};
  HWND host_;
};

// Container objects (sites and frames) alive in this process. A browser that
// is gone and whose control released everything leaves this where it found it.
long LiveBrowserContainerObjects() noexcept;

}  // namespace pikko
