// The browser panel hosts the real control: it is created, navigated, moved
// and destroyed under a live message loop, and our container objects must all
// be gone afterwards. The control is asked for by name: where the HTML engine
// is missing a panel would otherwise take the plain page view.
#include <exdisp.h>
#include <ole2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <thread>

#include "browser/BrowserSite_win.h"
#include "browser/WebBrowser_win.h"
#include "platform/ScopedWin.h"
#include "tests/TempFolder.h"

namespace pikko {
namespace {

// Lets the control do its asynchronous work (binding, layout) for a while.
void Pump(DWORD milliseconds) {
  const ULONGLONG until = ::GetTickCount64() + milliseconds;
  for (ULONGLONG now = ::GetTickCount64(); now < until; now = ::GetTickCount64()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

HWND CreateTopLevel() {
  return ::CreateWindowExA(0, "STATIC", "browser test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10,
                           10, 700, 540, nullptr, nullptr, nullptr, nullptr);
}

RECT RectInParent(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

BOOL CALLBACK CountOne(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);  // NOLINT(performance-no-int-to-ptr)
  return TRUE;
}

int CountChildren(HWND parent) {
  int count = 0;
  ::EnumChildWindows(parent, CountOne, reinterpret_cast<LPARAM>(&count));
  return count;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM count) {
  *reinterpret_cast<int*>(count) += 1 + CountChildren(window);  // NOLINT(performance-no-int-to-ptr)
  return TRUE;
}

// Windows of this process: this thread's top-level windows with all their
// children, and message-only windows.
int CountOurWindows() {
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&count));
  for (HWND w = ::FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = ::FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == ::GetCurrentProcessId()) ++count;
  }
  return count;
}

template <class T>
HRESULT Query(IUnknown* object, REFIID iid, win::ComPtr<T>& out) {
  return object->QueryInterface(iid, reinterpret_cast<void**>(out.Put()));
}

std::wstring Location(const WebBrowser& browser) {
  BSTR location = nullptr;
  if (!browser.Control() || FAILED(browser.Control()->get_LocationURL(&location)) || !location) {
    return {};
  }
  std::wstring text(location, ::SysStringLen(location));
  ::SysFreeString(location);
  return text;
}

// Pumps until the control reports an address containing the text, or gives
// up after five seconds; returns the address it last reported.
std::wstring WaitForLocation(const WebBrowser& browser, const std::wstring& text) {
  std::wstring location = Location(browser);
  for (int turn = 0; turn < 100 && location.find(text) == std::wstring::npos; ++turn) {
    Pump(50);
    location = Location(browser);
  }
  return location;
}

win::ComPtr<IOleClientSite> SiteOf(const WebBrowser& browser) {
  win::ComPtr<IOleObject> object;
  win::ComPtr<IOleClientSite> site;
  if (browser.Control() && SUCCEEDED(Query(browser.Control(), IID_IOleObject, object))) {
    object->GetClientSite(site.Put());
  }
  return site;
}

class WebBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(com_.Ok());
    frame_ = CreateTopLevel();
    ASSERT_NE(frame_, nullptr);
    liveBefore_ = LiveBrowserContainerObjects();
  }
  void TearDown() override {
    if (::IsWindow(frame_)) ::DestroyWindow(frame_);
    Pump(20);
  }

  win::ComInit com_;
  HWND frame_ = nullptr;
  long liveBefore_ = 0;
  testing::TempFolder temp_;
};

TEST(BrowserAddress, ConvertsAndCutsToTheAddressRoom) {
  const struct {
    const char* name;
    std::string target;
    std::wstring expected;
  } cases[] = {
      {"plain path", "C:\\disc\\contact\\contact_256_n00.htm",
       L"C:\\disc\\contact\\contact_256_n00.htm"},
      {"empty", "", L""},
      {"ends at the first NUL", std::string("page.htm\0junk", 13), L"page.htm"},
      {"259 characters fit", std::string(259, 'x'), std::wstring(259, L'x')},
      {"260 are cut to 259", std::string(260, 'y'), std::wstring(259, L'y')},
      {"400 are cut to 259", "C:\\" + std::string(397, 'z'), L"C:\\" + std::wstring(256, L'z')},
      {"a huge address is cut the same", std::string(100000, 'w'), std::wstring(259, L'w')},
  };
  for (const auto& c : cases) {
    const std::vector<wchar_t> address = BrowserAddress(c.target);
    EXPECT_EQ(std::wstring(address.begin(), address.end()), c.expected) << c.name;
  }
}

TEST_F(WebBrowserTest, CreatesAVisibleControlInAChildWindowAndNavigates) {
  auto browser = WebBrowser::Create(frame_, 24, 32, 650, 450, BrowserEngine::Control);
  ASSERT_NE(browser, nullptr);
  HWND host = browser->Window();
  ASSERT_TRUE(::IsWindow(host));
  EXPECT_EQ(::GetParent(host), frame_);
  EXPECT_TRUE(::GetWindowLongPtrA(host, GWL_STYLE) & WS_CHILD);
  const RECT placed = RectInParent(host);
  EXPECT_EQ(placed.left, 24);
  EXPECT_EQ(placed.top, 32);
  EXPECT_EQ(placed.right - placed.left, 650);
  EXPECT_EQ(placed.bottom - placed.top, 450);

  ASSERT_NE(browser->Control(), nullptr);
  VARIANT_BOOL visible = VARIANT_FALSE;
  EXPECT_EQ(browser->Control()->get_Visible(&visible), S_OK);
  EXPECT_EQ(visible, VARIANT_TRUE);
  // Silent: a page's script errors and downloads raise no dialog of the control's.
  VARIANT_BOOL silent = VARIANT_FALSE;
  EXPECT_EQ(browser->Control()->get_Silent(&silent), S_OK);
  EXPECT_EQ(silent, VARIANT_TRUE);

  const std::string page =
      temp_.Write("contact\\contact_256_n00.htm", "<html><body><p>Contact us</p></body></html>");
  browser->Navigate(page);
  EXPECT_NE(WaitForLocation(*browser, L"contact_256_n00.htm").find(L"contact_256_n00.htm"),
            std::wstring::npos);
  // An empty address leaves the page where it is.
  browser->Navigate("");
  Pump(50);
  EXPECT_NE(Location(*browser).find(L"contact_256_n00.htm"), std::wstring::npos);
  browser.reset();
  EXPECT_FALSE(::IsWindow(host));
  EXPECT_EQ(LiveBrowserContainerObjects(), liveBefore_);
}

TEST_F(WebBrowserTest, SetBoundsMovesTheHostAndFitsTheControlToIt) {
  auto browser = WebBrowser::Create(frame_, 0, 0, 100, 100, BrowserEngine::Control);
  ASSERT_NE(browser, nullptr);
  const struct {
    int left, top, width, height;
    LONG expectWidth, expectHeight;
  } cases[] = {
      {7, 61, 626, 380, 626, 380},    // the contact panel
      {-2, -75, 660, 450, 660, 450},  // the lower advertisement panel shows the page from 75 down
      {40, 168, 241, 209, 241, 209},
      {5, 6, -5, -7, 0, 0},  // a negative size is an empty window, not a huge one
  };
  for (const auto& c : cases) {
    browser->SetBounds(c.left, c.top, c.width, c.height);
    Pump(30);
    const RECT placed = RectInParent(browser->Window());
    EXPECT_EQ(placed.left, c.left);
    EXPECT_EQ(placed.top, c.top);
    EXPECT_EQ(placed.right - placed.left, c.expectWidth);
    EXPECT_EQ(placed.bottom - placed.top, c.expectHeight);
    // The control's own window follows the host's client area.
    HWND inner = ::GetWindow(browser->Window(), GW_CHILD);
    ASSERT_NE(inner, nullptr);
    RECT innerRect{};
    ::GetWindowRect(inner, &innerRect);
    EXPECT_EQ(innerRect.right - innerRect.left, c.expectWidth) << c.left;
    EXPECT_EQ(innerRect.bottom - innerRect.top, c.expectHeight) << c.left;
  }
}

TEST_F(WebBrowserTest, OurSiteAnswersTheControlAsAContainerMust) {
  auto browser = WebBrowser::Create(frame_, 7, 61, 626, 380, BrowserEngine::Control);
  ASSERT_NE(browser, nullptr);
  win::ComPtr<IOleClientSite> site = SiteOf(*browser);
  ASSERT_TRUE(site);

  const struct {
    const char* name;
    const IID& iid;
    bool supported;
  } faces[] = {
      {"IUnknown", IID_IUnknown, true},
      {"IOleClientSite", IID_IOleClientSite, true},
      {"IOleWindow", IID_IOleWindow, true},
      {"IOleInPlaceSite", IID_IOleInPlaceSite, true},
      {"IOleInPlaceFrame", IID_IOleInPlaceFrame, false},
      {"IDispatch", IID_IDispatch, false},
      {"IOleContainer", IID_IOleContainer, false},
  };
  win::ComPtr<IUnknown> identity;
  ASSERT_EQ(Query(site.Get(), IID_IUnknown, identity), S_OK);
  for (const auto& f : faces) {
    void* out = reinterpret_cast<void*>(1);
    const HRESULT hr = site->QueryInterface(f.iid, &out);
    if (!f.supported) {
      EXPECT_EQ(hr, E_NOINTERFACE) << f.name;
      EXPECT_EQ(out, nullptr) << f.name;
      continue;
    }
    ASSERT_EQ(hr, S_OK) << f.name;
    auto* face = static_cast<IUnknown*>(out);
    // Every face leads back to one identity.
    win::ComPtr<IUnknown> back;
    ASSERT_EQ(Query(face, IID_IUnknown, back), S_OK) << f.name;
    EXPECT_EQ(back.Get(), identity.Get()) << f.name;
    face->Release();
  }

  win::ComPtr<IOleInPlaceSite> inPlace;
  ASSERT_EQ(Query(site.Get(), IID_IOleInPlaceSite, inPlace), S_OK);
  HWND window = nullptr;
  EXPECT_EQ(inPlace->GetWindow(&window), S_OK);
  EXPECT_EQ(window, browser->Window());
  EXPECT_EQ(inPlace->CanInPlaceActivate(), S_OK);

  win::ComPtr<IOleInPlaceFrame> frame;
  win::ComPtr<IOleInPlaceUIWindow> document;
  RECT position{}, clip{};
  OLEINPLACEFRAMEINFO info{};
  info.cb = sizeof(info);
  ASSERT_EQ(inPlace->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &info), S_OK);
  ASSERT_TRUE(frame);
  EXPECT_FALSE(document);
  EXPECT_EQ(position.right - position.left, 626);
  EXPECT_EQ(position.bottom - position.top, 380);
  EXPECT_TRUE(::EqualRect(&position, &clip));
  EXPECT_EQ(info.hwndFrame, frame_);
  EXPECT_FALSE(info.fMDIApp);
  HWND frameWindow = nullptr;
  EXPECT_EQ(frame->GetWindow(&frameWindow), S_OK);
  EXPECT_EQ(frameWindow, frame_);
  // Keys the frame does not translate must go on to the page.
  MSG msg{};
  EXPECT_EQ(frame->TranslateAccelerator(&msg, 0), S_FALSE);
  EXPECT_EQ(inPlace->GetWindowContext(nullptr, document.Put(), &position, &clip, &info), E_POINTER);

  // A reference kept past the browser's end finds the site detached, not a
  // dead window, and the last Release frees it.
  frame.Reset();
  browser.reset();
  EXPECT_EQ(inPlace->GetWindow(&window), E_FAIL);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(inPlace->CanInPlaceActivate(), S_FALSE);
  EXPECT_GT(LiveBrowserContainerObjects(), liveBefore_);
  inPlace.Reset();
  identity.Reset();
  site.Reset();
  EXPECT_EQ(LiveBrowserContainerObjects(), liveBefore_);
}

// A 400-character address reaches the control as its first 259 characters:
// the page under that cut name is the one shown.
TEST_F(WebBrowserTest, ALongAddressIsCutNotOverrun) {
  auto browser = WebBrowser::Create(frame_, 0, 0, 300, 200, BrowserEngine::Control);
  ASSERT_NE(browser, nullptr);
  const std::string folder = temp_.Path().string() + "\\";
  ASSERT_LT(folder.size(), 200u);
  const std::string cutName(kBrowserAddressRoom - 1 - folder.size(), 'a');
  temp_.Write(cutName, "<html><body>cut</body></html>");
  const std::string longAddress = folder + std::string(400 - folder.size(), 'a');
  ASSERT_EQ(longAddress.size(), 400u);
  browser->Navigate(longAddress);
  const std::wstring wideCut(cutName.begin(), cutName.end());
  const std::wstring location = WaitForLocation(*browser, wideCut);
  ASSERT_GE(location.size(), wideCut.size());
  EXPECT_EQ(location.substr(location.size() - wideCut.size()), wideCut);
  EXPECT_EQ(location.find(wideCut + L"a"), std::wstring::npos);
  browser.reset();
  EXPECT_EQ(LiveBrowserContainerObjects(), liveBefore_);
}

TEST_F(WebBrowserTest, DestroyedWithItsParentTheBrowserLetsGoAtOnce) {
  auto browser = WebBrowser::Create(frame_, 7, 62, 625, 53, BrowserEngine::Control);
  ASSERT_NE(browser, nullptr);
  browser->Navigate(temp_.Write("page.htm", "<html><body>up</body></html>"));
  Pump(100);
  ASSERT_TRUE(::DestroyWindow(frame_));
  EXPECT_EQ(browser->Window(), nullptr);
  EXPECT_EQ(browser->Control(), nullptr);
  EXPECT_EQ(LiveBrowserContainerObjects(), liveBefore_);
  // What the owner may still do before it deletes the browser is harmless.
  browser->SetBounds(1, 2, 3, 4);
  browser->Navigate("page.htm");
  browser.reset();
  EXPECT_EQ(LiveBrowserContainerObjects(), liveBefore_);
}

TEST_F(WebBrowserTest, CreateRefusesABadParentOrAThreadWithoutItsOwnApartment) {
  HWND gone = CreateTopLevel();
  ::DestroyWindow(gone);
  EXPECT_EQ(WebBrowser::Create(nullptr, 0, 0, 10, 10), nullptr);
  EXPECT_EQ(WebBrowser::Create(gone, 0, 0, 10, 10), nullptr);

  const struct {
    const char* name;
    bool initialise;
    DWORD model;
  } threads[] = {
      {"no COM at all", false, 0},
      {"multithreaded apartment", true, COINIT_MULTITHREADED},
  };
  for (const auto& t : threads) {
    bool refused = false;
    int children = -1;
    // The thread has a window of its own to hold the browser, as a real caller would.
    std::thread([&] {
      std::unique_ptr<win::ComInit> com;
      if (t.initialise) com = std::make_unique<win::ComInit>(t.model);
      HWND parent = CreateTopLevel();
      refused = WebBrowser::Create(parent, 0, 0, 10, 10) == nullptr;
      children = CountChildren(parent);
      ::DestroyWindow(parent);
    }).join();
    EXPECT_TRUE(refused) << t.name;
    EXPECT_EQ(children, 0) << t.name;
  }
  EXPECT_EQ(CountChildren(frame_), 0);
  EXPECT_EQ(LiveBrowserContainerObjects(), liveBefore_);
}

// Create, navigate and destroy several times: no window, GDI or USER object
// may stay behind. GetGuiResources is not available everywhere (Wine answers
// 0); windows are counted directly as well.
TEST_F(WebBrowserTest, CreateDestroyCyclesLeaveNothingBehind) {
  const std::string page = temp_.Write("ad.htm", "<html><body>advert</body></html>");
  auto cycle = [&](BrowserEngine engine) {
    auto browser = WebBrowser::Create(frame_, -2, -75, 660, 450, engine);
    ASSERT_NE(browser, nullptr);
    browser->Navigate(page);
    Pump(50);
    browser->SetBounds(-2, -2, 660, 450);
    ::UpdateWindow(browser->Window());  // the plain view paints with fonts and brushes
  };
  // The first load of the control's libraries may keep things for good.
  cycle(BrowserEngine::Control);
  cycle(BrowserEngine::PlainView);
  Pump(50);
  const DWORD gdiBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD userBefore = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  const int windowsBefore = CountOurWindows();
  for (int i = 0; i < 5; ++i) {
    cycle(BrowserEngine::Control);
    cycle(BrowserEngine::PlainView);
  }
  Pump(50);
  EXPECT_EQ(CountOurWindows(), windowsBefore);
  EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
  EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), userBefore);
  EXPECT_EQ(LiveBrowserContainerObjects(), liveBefore_);
}

}  // namespace
}  // namespace pikko
