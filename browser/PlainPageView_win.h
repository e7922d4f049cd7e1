// The plain page view: what a browser panel shows where the platform has no
// HTML engine. It reads the local page it is sent to and paints its text,
// headings, boxes and colours with GDI. It follows no link and runs nothing.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "browser/PlainPageGdi_win.h"
#include "browser/html/HtmlLayout.h"
#include "browser/html/HtmlText.h"

namespace pikko {

// Whether the platform's HTML engine ("mshtml.dll") can be loaded. It always
// can on Windows; Wine without its engine package cannot.
bool HtmlEngineAvailable() noexcept;

class PlainPageView {
 public:
  // A child window of parent at the given rectangle (negative sizes count as
  // 0); null when the window cannot be made.
  static std::unique_ptr<PlainPageView> Create(HWND parent, int left, int top, int width,
                                               int height) noexcept;
  ~PlainPageView();
  PlainPageView(const PlainPageView&) = delete;
  PlainPageView& operator=(const PlainPageView&) = delete;

  void SetBounds(int left, int top, int width, int height) noexcept;
  // Reads and shows the local page the address names (a path or a file:
  // URL). Any other address, or a page that cannot be read, shows an empty
  // white page; an empty address leaves the page where it is.
  void Navigate(const std::string& address) noexcept;
  // Null once the window has been destroyed (with its parent, for instance).
  HWND Window() const noexcept { return window_; }
  // What is shown (an empty model before the first page).
  const PageModel& Page() const noexcept { return page_; }
  // The path of the page last asked for (empty for one that is not local).
  const std::string& Address() const noexcept { return address_; }

  // Paints the page as it stands at the window's size into a DC, at 0, 0.
  void Render(HDC dc) noexcept;

  // The window's side (WindowThunk).
  void AttachWindow(HWND hwnd) noexcept;
  LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  PlainPageView() = default;
  bool Open(HWND parent, int left, int top, int width, int height) noexcept;
  void Paint() noexcept;
  const PageLayout& LaidOut(int width, int height);

  HWND window_ = nullptr;
  PageModel page_;
  std::string address_;
  PlainPageFonts fonts_;
  PageLayout layout_;
  int laidWidth_ = -1, laidHeight_ = -1;
};

}  // namespace pikko
