// The plain page view stands in for the browser control where the HTML
// engine is missing: it is chosen then (and can be forced either way), and
// it paints a page's heading and text in the page's colours inside the
// panels the menu has.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "browser/PlainPageView_win.h"
#include "browser/WebBrowser_win.h"
#include "demo/DemoDisc.h"
#include "demo/DemoPromotion.h"
#include "demo/Png.h"
#include "platform/ScopedWin.h"
#include "tests/TempFolder.h"
#include "toolkit/Bitmap_win.h"

namespace pikko {
namespace {

constexpr TColor kPage = MakeColour(0xee, 0xf3, 0xf9);
constexpr TColor kHeading = MakeColour(0, 0x70, 0xd0);
constexpr TColor kInk = MakeColour(3, 0x48, 0x71);

void Pump(DWORD milliseconds) {
  const ULONGLONG until = ::GetTickCount64() + milliseconds;
  for (ULONGLONG now = ::GetTickCount64(); now < until; now = ::GetTickCount64()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  }
}

// What the view paints, through the same drawing as its WM_PAINT.
Bitmap Printed(HWND view) {
  RECT area{};
  ::GetClientRect(view, &area);
  Bitmap shot;
  shot.Create(area.right, area.bottom, 24);
  BitmapCanvas canvas(shot);
  ::SendMessageA(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  ::GdiFlush();
  return shot;
}

// Pixels of a colour inside a rectangle of the picture.
int Count(const Bitmap& shot, TColor colour, RECT r) {
  int n = 0;
  for (int y = std::max(0L, r.top); y < std::min<LONG>(shot.Height(), r.bottom); ++y) {
    for (int x = std::max(0L, r.left); x < std::min<LONG>(shot.Width(), r.right); ++x) {
      if (shot.Pixel(x, y) == colour) ++n;
    }
  }
  return n;
}

RECT All(const Bitmap& shot) { return {0, 0, shot.Width(), shot.Height()}; }

// The lowest row with a pixel of the colour, or -1.
int LowestRow(const Bitmap& shot, TColor colour) {
  for (int y = shot.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < shot.Width(); ++x) {
      if (shot.Pixel(x, y) == colour) return y;
    }
  }
  return -1;
}

// Saves the picture as PNG into the folder PIKKO_PAGE_SHOTS names, if any,
// for a person to look at.
void Keep(const Bitmap& shot, const std::string& name) {
  const char* folder = std::getenv("PIKKO_PAGE_SHOTS");
  if (!folder || !*folder) return;
  demo::RgbaImage image(shot.Width(), shot.Height());
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const TColor c = shot.Pixel(x, y);
      image.Set(x, y, {RedOf(c), GreenOf(c), BlueOf(c), 255});
    }
  }
  std::ofstream(std::string(folder) + "\\" + name + ".png", std::ios::binary)
      << demo::EncodePng(image);
}

const char kPageHtml[] =
    "<html><head><title>Plain</title><style>"
    "body { margin: 0; padding: 12px 16px; background: #eef3f9; color: #034871; "
    "font-family: Tahoma; font-size: 12px }"
    "h1 { color: #0070d0; font-size: 20px; margin: 0 0 10px 0 }"
    "</style></head><body><h1>Heading Text</h1>"
    "<p>Keep an eye on temperatures, voltages and fan speeds while you work or play. "
    "The monitor reads every sensor of the board and warns you in time.</p></body></html>";

class PlainPageViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(com_.Ok());
    frame_ = ::CreateWindowExA(0, "STATIC", "plain page test",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10, 720, 540, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(frame_, nullptr);
    // A panel as the menu's: the browser inside is larger and clipped by it.
    panel_ = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 7, 61,
                               625, 378, frame_, nullptr, nullptr, nullptr);
    ASSERT_NE(panel_, nullptr);
    page_ = temp_.Write("contact\\page.htm", kPageHtml);
  }
  void TearDown() override {
    if (::IsWindow(frame_)) ::DestroyWindow(frame_);
  }

  win::ComInit com_;
  HWND frame_ = nullptr;
  HWND panel_ = nullptr;
  testing::TempFolder temp_;
  std::string page_;
};

bool WineHasNoHtmlEngine() {
  const char* overrides = std::getenv("WINEDLLOVERRIDES");
  return overrides && std::string(overrides).find("mshtml=") != std::string::npos &&
         std::string(overrides).find("mshtml=n") == std::string::npos &&
         std::string(overrides).find("mshtml=b") == std::string::npos;
}

TEST_F(PlainPageViewTest, TheBrowserTakesThePlainViewExactlyWhereTheEngineIsMissing) {
  const bool engine = HtmlEngineAvailable();
  if (WineHasNoHtmlEngine()) {
    EXPECT_FALSE(engine) << "Wine runs here without its HTML engine";
  }
  auto automatic = WebBrowser::Create(panel_, -1, -1, 650, 450);
  ASSERT_NE(automatic, nullptr);
  EXPECT_EQ(automatic->PlainView() != nullptr, !engine);
  EXPECT_EQ(automatic->Control() != nullptr, engine);

  const struct {
    BrowserEngine engine;
    bool plain;
  } forced[] = {{BrowserEngine::PlainView, true}, {BrowserEngine::Control, false}};
  for (const auto& f : forced) {
    auto browser = WebBrowser::Create(panel_, -1, -1, 650, 450, f.engine);
    ASSERT_NE(browser, nullptr) << f.plain;
    EXPECT_EQ(browser->PlainView() != nullptr, f.plain);
    EXPECT_EQ(browser->Control() != nullptr, !f.plain);
    // Either way the pages are in one child window of the host, filling it.
    HWND inner = ::GetWindow(browser->Window(), GW_CHILD);
    ASSERT_NE(inner, nullptr) << f.plain;
    RECT r{};
    ::GetWindowRect(inner, &r);
    EXPECT_EQ(r.right - r.left, 650) << f.plain;
    EXPECT_EQ(r.bottom - r.top, 450) << f.plain;
  }
}

TEST_F(PlainPageViewTest, ShowsTheHeadingAndTextInThePagesColours) {
  auto browser = WebBrowser::Create(panel_, -1, -1, 650, 450, BrowserEngine::PlainView);
  ASSERT_NE(browser, nullptr);
  browser->Navigate(page_);
  PlainPageView* view = browser->PlainView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Page().title, "Plain");
  const Bitmap shot = Printed(view->Window());
  ASSERT_EQ(shot.Width(), 650);
  // The page colour all around, the heading's pixels in its band at the
  // top left, the body text's below it, and nothing of the heading's colour
  // further down.
  EXPECT_EQ(shot.Pixel(2, 2), kPage);
  EXPECT_EQ(shot.Pixel(640, 440), kPage);
  EXPECT_GT(Count(shot, kHeading, {16, 8, 300, 40}), 60);
  EXPECT_EQ(Count(shot, kHeading, {0, 45, 650, 450}), 0);
  EXPECT_GT(Count(shot, kInk, {16, 40, 640, 90}), 60);
  EXPECT_EQ(Count(shot, kInk, {0, 0, 650, 38}), 0);
  Keep(shot, "plain-page");

  // The same through the window's own painting, as the screen shows it.
  ::ShowWindow(frame_, SW_SHOWNOACTIVATE);
  ::UpdateWindow(frame_);
  Pump(100);
  RECT r{};
  ::GetWindowRect(view->Window(), &r);
  Bitmap screen;
  screen.Create(300, 90, 24);
  {
    BitmapCanvas canvas(screen);
    win::ScopedGetDc desktop(nullptr);
    // The panel clips the view's first pixel row and column.
    ::BitBlt(canvas.Dc(), 0, 0, 300, 90, desktop.Get(), r.left + 1, r.top + 1, SRCCOPY);
    ::GdiFlush();
  }
  EXPECT_GT(Count(screen, kHeading, All(screen)), 60);
  EXPECT_GT(Count(screen, kInk, All(screen)), 60);
}

TEST_F(PlainPageViewTest, WrapsAnewWhenTheSizeChanges) {
  auto view = PlainPageView::Create(panel_, 0, 0, 625, 378);
  ASSERT_NE(view, nullptr);
  view->Navigate(page_);
  const int wide = LowestRow(Printed(view->Window()), kInk);
  view->SetBounds(0, 0, 241, 209);  // the item panel's size
  const Bitmap small = Printed(view->Window());
  EXPECT_EQ(small.Width(), 241);
  const int narrow = LowestRow(small, kInk);
  EXPECT_GT(wide, 40);
  EXPECT_GT(narrow, wide + 20) << "the paragraph takes more lines";
  EXPECT_LT(narrow, 209);
  EXPECT_GT(Count(small, kHeading, All(small)), 60);
  Keep(small, "plain-page-small");
}

TEST_F(PlainPageViewTest, ShowsOnlyLocalPages) {
  auto view = PlainPageView::Create(panel_, 0, 0, 300, 200);
  ASSERT_NE(view, nullptr);
  std::string url = "file:///" + page_;
  for (char& c : url) {
    if (c == '\\') c = '/';
  }
  const struct {
    std::string address;
    bool shown;
  } cases[] = {
      {page_, true},
      {url, true},
      {"", true},  // an empty address leaves the page as it is
      {"http://example.com/page.htm", false},
      {"about:blank", false},
      {page_ + ".missing", false},
      {temp_.Path().string(), false},  // a folder
  };
  view->Navigate(page_);
  for (const auto& c : cases) {
    view->Navigate(c.address);
    const Bitmap shot = Printed(view->Window());
    EXPECT_EQ(Count(shot, kHeading, All(shot)) > 0, c.shown) << c.address;
    // A page not shown is an empty white one.
    if (!c.shown) {
      EXPECT_EQ(Count(shot, MakeColour(255, 255, 255), All(shot)), 300 * 200) << c.address;
    }
  }
}

TEST_F(PlainPageViewTest, GoesWithItsParent) {
  auto browser = WebBrowser::Create(panel_, -1, -1, 650, 450, BrowserEngine::PlainView);
  ASSERT_NE(browser, nullptr);
  browser->Navigate(page_);
  ::DestroyWindow(frame_);
  EXPECT_EQ(browser->Window(), nullptr);
  EXPECT_EQ(browser->PlainView(), nullptr);
  browser->SetBounds(1, 2, 3, 4);
  browser->Navigate(page_);
  browser.reset();
  auto view = PlainPageView::Create(panel_, 0, 0, 10, 10);  // the panel is gone
  EXPECT_EQ(view, nullptr);
}

// The demo disc's pages at their panels' sizes: each shows its heading.
TEST_F(PlainPageViewTest, TheDemoDiscPagesShowTheirHeadings) {
  struct Shown {
    std::string name, html;
    int width, height;
  };
  std::vector<Shown> pages = {
      {"contact_256_n00", demo::ContactPage(demo::Look::Normal, false), 626, 380},
      {"contact_16_n00", demo::ContactPage(demo::Look::Normal, true), 626, 380},
      {"gaming_contact_256_n00", demo::ContactPage(demo::Look::Gaming, false), 626, 380},
  };
  for (const auto& f : demo::PromotionFiles()) {
    if (f.first.find(".htm") != std::string::npos) pages.push_back({f.first, f.second, 625, 378});
  }
  for (const auto& f : demo::VendorAdFiles()) {
    if (f.first.find("items\\") != std::string::npos) {
      pages.push_back({f.first, f.second, 241, 209});
    } else if (f.first.find(".htm") != std::string::npos) {
      pages.push_back({f.first, f.second, 660, 450});
    }
  }
  for (const Shown& p : pages) {
    auto view = PlainPageView::Create(frame_, 0, 0, p.width, p.height);
    ASSERT_NE(view, nullptr);
    view->Navigate(temp_.Write("page.htm", p.html));
    const Bitmap shot = Printed(view->Window());
    const TColor heading = p.name.find("gaming") != std::string::npos ? MakeColour(0xe8, 0x48, 0x48)
                           : p.name.find("_16_") != std::string::npos ? MakeColour(0, 0, 0x80)
                                                                      : kHeading;
    EXPECT_GT(Count(shot, heading, All(shot)), 50) << p.name;
    std::string name = p.name;
    for (char& c : name) {
      if (c == '\\') c = '_';
    }
    Keep(shot, name);
  }
}

}  // namespace
}  // namespace pikko
