// The home-tab promotion on a real panel: the portable HomeTab drives the
// panel view over the demo disc's pictures and pages with a HomeTab.ini of
// the test's own, and the view's buttons and timer are worked through real
// window messages.
#include <windows.h>

#include <exdisp.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "demo/DemoPromotion.h"
#include "env/PlatformTags.h"
#include "env/Translation.h"
#include "platform/Win32Ports.h"
#include "platform/fakes/FakePorts.h"
#include "browser/PlainPageView_win.h"
#include "promotion/HomeTabPanelView_win.h"
#include "tests/TempFolder.h"
#include "tests/win/WinTestSupport.h"
#include "toolkit/Application_win.h"
#include "toolkit/Form_win.h"

namespace pikko {
namespace {

void Pump(int milliseconds = 0) {
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  do {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (milliseconds) ::Sleep(5);
  } while (::GetTickCount64() < end);
}

RECT RectInParent(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The pointer goes onto the control (so that the system's leave tracking
// sees it there) and the control gets the move.
void PointAt(const WindowedControl& c) {
  RECT r{};
  ::GetWindowRect(c.Handle(), &r);
  ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  const int x = (r.right - r.left) / 2, y = (r.bottom - r.top) / 2;
  ::SendMessageA(c.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

void PointAway(const WindowedControl& c) {
  ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  ::SendMessageA(c.Handle(), WM_MOUSELEAVE, 0, 0);
}

void ClickOn(const WindowedControl& c) {
  PointAt(c);
  ::SendMessageA(c.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageA(c.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  Pump();
}

// Every pixel of the state bitmap is the file's.
bool SamePicture(const Bitmap& shown, const std::string& file) {
  Bitmap expected;
  if (!expected.LoadFromFile(file) || shown.Width() != expected.Width() ||
      shown.Height() != expected.Height())
    return false;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x)
      if (shown.Pixel(x, y) != expected.Pixel(x, y)) return false;
  return true;
}

std::wstring Location(const WebBrowser& browser) {
  if (browser.PlainView()) {
    const std::string& path = browser.PlainView()->Address();
    return std::wstring(path.begin(), path.end());
  }
  BSTR location = nullptr;
  if (!browser.Control() || FAILED(browser.Control()->get_LocationURL(&location)) || !location)
    return {};
  std::wstring text(location, ::SysStringLen(location));
  ::SysFreeString(location);
  return text;
}

// Three pages: a product with its button (the page's size smaller than its
// picture), a page without a product, and the product again with a missing
// raised picture at a place and size of its own.
std::string PromotionIni(int interval) {
  return "[Setting]\r\nTab=1\r\nNumber=3\r\nInterval=" + std::to_string(interval) +
         "\r\n[HtmlPath]\r\nDefault=Pages\\\r\n"
         "[Page1]\r\nHTML=monitor.htm\r\nShowType=Always\r\nInstallPath=Product\r\n"
         "ButtonImages=Buttons\\install_n.bmp, Buttons\\install_d.bmp, Buttons\\install_o.bmp\r\n"
         "ButtonPosition=40,300\r\nButtonSize=100,20\r\n"
         "[Page2]\r\nHTML=about.htm\r\nShowType=Always\r\nInstallPath=About\r\n"
         "[Page3]\r\nHTML=backup.htm\r\nShowType=Always\r\nInstallPath=Product\r\n"
         "ButtonImages=Buttons\\missing.bmp, Buttons\\install_d.bmp\r\n"
         "ButtonPosition=60,250\r\nButtonSize=150,40\r\n";
}

class HomeTabViewTest : public ::testing::Test {
 protected:
  HomeTabViewTest()
      : program_(temp_.Path().string() + "\\AUTORUN\\"),
        folders_(*Win32Ports().folders, program_ + "Pikko.exe",
                 temp_.Path().string() + "\\WINDOWS"),
        scope_(MakePorts()) {}

  void SetUp() override {
    ASSERT_TRUE(com_.Ok());
    // The Specified OS record keeps the platform check from asking the user.
    temp_.Write("WINDOWS/Zkcd_tmp.ini", "[PLATFORM]\r\nSpecified OS=WNT_6.1P_32,English\r\n");
    ASSERT_TRUE(demo::WriteDiscFiles(program_, demo::PromotionFiles()).Ok());
    std::string platform, language;
    ASSERT_TRUE(DetectPlatform(platform, language));
    temp_.Write("AUTORUN/HomeTab/Product/ZekaSetup.ini",
                "[OS_Language_Tag]\r\n" + platform + "=The product\r\n");
    temp_.Write("AUTORUN/HomeTab/Buttons/broken.bmp", "BM not really a bitmap");

    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    form_.SetBounds(0, 0, 660, 512);
    ASSERT_TRUE(form_.CreateHandle(nullptr));
    form_.Show();
    form_.AddChild(panel_);
    panel_.SetBounds(8, 61, 625, 378);
    ASSERT_TRUE(panel_.CreateHandle(&form_));
    Application::Instance().Reset();
    Application::Instance().SetMainWindow(form_.Handle());
  }
  void TearDown() override {
    home_.Detach();
    view_.reset();
    Application::Instance().Reset();
  }

  bool Init(int interval, const std::string& promotionIni = "") {
    temp_.Write("AUTORUN/HomeTab/HomeTab.ini",
                promotionIni.empty() ? PromotionIni(interval) : promotionIni);
    view_ = std::make_unique<HomeTabPanelView>(home_, panel_);
    return home_.Init(panel_.Handle(), program_ + "HomeTab", view_.get());
  }
  std::string HomeFile(const std::string& name) const { return program_ + "HomeTab\\" + name; }
  bool Shown(const WindowedControl* c) const { return c && ::IsWindowVisible(c->Handle()); }
  bool Enabled(const WindowedControl* c) const { return c && ::IsWindowEnabled(c->Handle()); }

  // Pumps until the promotion shows the page or the time is up; the time it took.
  ULONGLONG WaitForPage(int page, int limitMs) {
    const ULONGLONG start = ::GetTickCount64();
    while (home_.CurrentPage() != page && ::GetTickCount64() - start < ULONGLONG(limitMs)) Pump(10);
    return ::GetTickCount64() - start;
  }

  testing::TempFolder temp_;
  std::string program_;
  testing::ProgramInFolder folders_;
  fakes::FakeShell shell_;
  ScopedPorts scope_;
  win::ComInit com_;
  Form form_{"PromotionHost"};
  Panel panel_{"plPromotion"};
  HomeTab home_;
  std::unique_ptr<HomeTabPanelView> view_;

 private:
  Ports MakePorts() {
    Ports p = Win32Ports();
    p.folders = &folders_;
    p.shell = &shell_;
    return p;
  }
};

TEST_F(HomeTabViewTest, FirstPageBuildsThePanelsControls) {
  ASSERT_TRUE(Init(0));
  EXPECT_FALSE(::IsWindowVisible(panel_.Handle())) << "set up hidden";
  ASSERT_TRUE(home_.Show());
  EXPECT_TRUE(::IsWindowVisible(panel_.Handle()));

  ASSERT_NE(view_->Browser(), nullptr);
  EXPECT_EQ(::GetParent(view_->Browser()->Window()), panel_.Handle());
  const RECT browser = RectInParent(view_->Browser()->Window());
  EXPECT_EQ(browser.right - browser.left, 825);
  EXPECT_EQ(browser.bottom - browser.top, 578);

  ZkButtonTx* install = view_->InstallButton();
  ASSERT_NE(install, nullptr);
  EXPECT_EQ(::GetParent(install->Handle()), panel_.Handle());
  EXPECT_TRUE(Shown(install));
  const RECT placed = RectInParent(install->Handle());
  EXPECT_EQ(placed.left, 40);
  EXPECT_EQ(placed.top, 300);
  EXPECT_EQ(placed.right - placed.left, 180) << "the picture's size, not the page's 100 x 20";
  EXPECT_EQ(placed.bottom - placed.top, 44);
  EXPECT_TRUE(SamePicture(install->GetBitmap(0), HomeFile("Buttons\\install_n.bmp")));
  EXPECT_TRUE(SamePicture(install->GetBitmap(1), HomeFile("Buttons\\install_d.bmp")));
  EXPECT_TRUE(SamePicture(install->GetBitmap(2), HomeFile("Buttons\\install_o.bmp")));
  EXPECT_TRUE(install->IsBitmapEmpty(3));
  EXPECT_TRUE(install->HandCursor());
  EXPECT_EQ(install->Caption(), Translate("Install Now"));
  EXPECT_EQ(install->GetFont().Style().name, "Microsoft Sans Serif");
  EXPECT_EQ(install->GetFont().Style().height, 27) << "20 points";
  EXPECT_EQ(install->GetFont().Style().colour, 0xFFFFFFu);

  const struct {
    const char* stem;
    ZkButtonTx* button;
    int left;
    bool enabled;
  } pageButtons[] = {{"next", view_->NextButton(), 580, true},
                     {"previous", view_->PreviousButton(), 535, false}};
  for (const auto& b : pageButtons) {
    ASSERT_NE(b.button, nullptr) << b.stem;
    EXPECT_TRUE(Shown(b.button)) << b.stem;
    const RECT r = RectInParent(b.button->Handle());
    EXPECT_EQ(r.left, b.left) << b.stem;
    EXPECT_EQ(r.top, 355) << b.stem;
    EXPECT_EQ(r.right - r.left, 40) << b.stem;
    EXPECT_EQ(Enabled(b.button), b.enabled) << b.stem;
    const char* suffixes[] = {"_n.bmp", "_d.bmp", "_o.bmp", "_f.bmp"};
    for (int s = 0; s < 4; ++s)
      EXPECT_TRUE(SamePicture(b.button->GetBitmap(s), HomeFile(b.stem + std::string(suffixes[s]))))
          << b.stem << suffixes[s];
  }
  EXPECT_EQ(view_->RotationTimer(), nullptr) << "no interval, no timer";
}

TEST_F(HomeTabViewTest, PageButtonsWalkThePagesAndMoveTheInstallButton) {
  ASSERT_TRUE(Init(0));
  ASSERT_TRUE(home_.Show());
  ZkButtonTx* install = view_->InstallButton();
  ZkButtonTx* next = view_->NextButton();
  ZkButtonTx* previous = view_->PreviousButton();
  ASSERT_TRUE(install && next && previous);
  const struct {
    ZkButtonTx* click;
    int page;
    bool installShown;
    int left, top, width, height;
    bool previousEnabled, nextEnabled;
  } steps[] = {
      {next, 1, false, 0, 0, 0, 0, true, true},
      // A missing raised picture leaves the button the page's own size.
      {next, 2, true, 60, 250, 150, 40, true, false},
      {previous, 1, false, 0, 0, 0, 0, true, true},
      {previous, 0, true, 40, 300, 180, 44, false, true},
      {next, 1, false, 0, 0, 0, 0, true, true},
      {next, 2, true, 60, 250, 150, 40, true, false},
  };
  for (const auto& s : steps) {
    ClickOn(*s.click);
    EXPECT_EQ(home_.CurrentPage(), s.page);
    EXPECT_EQ(Shown(install), s.installShown) << s.page;
    if (s.installShown) {
      const RECT r = RectInParent(install->Handle());
      EXPECT_EQ(r.left, s.left) << s.page;
      EXPECT_EQ(r.top, s.top) << s.page;
      EXPECT_EQ(r.right - r.left, s.width) << s.page;
      EXPECT_EQ(r.bottom - r.top, s.height) << s.page;
    }
    EXPECT_EQ(Enabled(previous), s.previousEnabled) << s.page;
    EXPECT_EQ(Enabled(next), s.nextEnabled) << s.page;
  }
  // The third page's button lost the first page's raised picture, and has
  // its own pressed one.
  EXPECT_TRUE(install->IsBitmapEmpty(0));
  EXPECT_TRUE(SamePicture(install->GetBitmap(1), HomeFile("Buttons\\install_d.bmp")));
  EXPECT_TRUE(install->IsBitmapEmpty(2));

  ASSERT_NE(view_->Browser(), nullptr);
  std::wstring location = Location(*view_->Browser());
  for (int turn = 0; turn < 100 && location.find(L"backup.htm") == std::wstring::npos; ++turn) {
    Pump(50);
    location = Location(*view_->Browser());
  }
  EXPECT_NE(location.find(L"backup.htm"), std::wstring::npos) << "the browser shows the page";
}

// The install button's caption lies in the page's ButtonSize from the
// button's corner, whatever the size of its picture: within it on the first
// page, clipped away on the second, which gives no size (its picture would
// carry its own lettering), and back within it on the first again.
TEST_F(HomeTabViewTest, TheCaptionLiesInThePagesButtonSize) {
  const std::string pictures =
      "ButtonImages=Buttons\\install_n.bmp, Buttons\\install_d.bmp, Buttons\\install_o.bmp\r\n"
      "ButtonPosition=40,300\r\n";
  ASSERT_TRUE(Init(0, "[Setting]\r\nTab=1\r\nNumber=2\r\nInterval=0\r\n"
                      "[HtmlPath]\r\nDefault=Pages\\\r\n"
                      "[Page1]\r\nHTML=monitor.htm\r\nShowType=Always\r\nInstallPath=Product\r\n" +
                          pictures + "ButtonSize=100,20\r\n"
                      "[Page2]\r\nHTML=backup.htm\r\nShowType=Always\r\nInstallPath=Product\r\n" +
                          pictures));
  ASSERT_TRUE(home_.Show());
  ZkButtonTx* install = view_->InstallButton();
  ASSERT_NE(install, nullptr);
  const struct {
    ZkButtonTx* click;
    int page;
    RECT text;
  } steps[] = {{nullptr, 0, {0, 0, 100, 20}},
               {view_->NextButton(), 1, {0, 0, 0, 0}},
               {view_->PreviousButton(), 0, {0, 0, 100, 20}}};
  for (const auto& s : steps) {
    if (s.click) ClickOn(*s.click);
    ASSERT_EQ(home_.CurrentPage(), s.page);
    ASSERT_TRUE(Shown(install)) << s.page;
    EXPECT_EQ(install->Width(), 180) << "the picture's size";
    const RECT& text = install->TextBounds();
    EXPECT_TRUE(::EqualRect(&text, &s.text)) << s.page << ": " << text.left << "," << text.top
                                             << "," << text.right << "," << text.bottom;
    // The caption's pixels are where the shown face differs from the picture.
    const Bitmap& shown = install->StateImage().Surface().Picture();
    const Bitmap& raised = install->GetBitmap(0);
    ASSERT_EQ(shown.Width(), raised.Width());
    ASSERT_EQ(shown.Height(), raised.Height());
    int inside = 0, outside = 0;
    for (int y = 0; y < shown.Height(); ++y)
      for (int x = 0; x < shown.Width(); ++x) {
        if (shown.Pixel(x, y) == raised.Pixel(x, y)) continue;
        const POINT p{x, y};
        ++(::PtInRect(&s.text, p) ? inside : outside);
      }
    EXPECT_EQ(outside, 0) << s.page << ": caption pixels outside its rectangle";
    EXPECT_EQ(inside > 0, s.page == 0) << s.page << ": " << inside << " caption pixels";
  }
}

TEST_F(HomeTabViewTest, TimerRotatesAndPointingAtTheInstallButtonHoldsThePage) {
  ASSERT_TRUE(Init(1));
  ASSERT_NE(view_->RotationTimer(), nullptr);
  EXPECT_FALSE(view_->RotationTimer()->Enabled()) << "stopped while hidden";
  ASSERT_TRUE(home_.Show());
  EXPECT_TRUE(view_->RotationTimer()->Enabled());

  ULONGLONG took = WaitForPage(1, 5000);
  ASSERT_EQ(home_.CurrentPage(), 1);
  EXPECT_GE(took, 800u) << "one interval of a second";
  EXPECT_FALSE(Enabled(view_->PreviousButton())) << "a middle page keeps the buttons";
  EXPECT_TRUE(Enabled(view_->NextButton()));

  WaitForPage(2, 5000);
  ASSERT_EQ(home_.CurrentPage(), 2);
  EXPECT_TRUE(Enabled(view_->PreviousButton()));
  EXPECT_FALSE(Enabled(view_->NextButton()));

  ZkButtonTx& install = *view_->InstallButton();
  ASSERT_TRUE(Shown(&install));
  PointAt(install);
  Pump();
  EXPECT_FALSE(view_->RotationTimer()->Enabled());
  Pump(1600);
  EXPECT_EQ(home_.CurrentPage(), 2) << "the page stays while the pointer rests on the button";

  PointAway(install);
  Pump();
  EXPECT_TRUE(view_->RotationTimer()->Enabled());
  took = WaitForPage(0, 5000);
  ASSERT_EQ(home_.CurrentPage(), 0) << "after the last page comes the first";
  EXPECT_GE(took, 800u) << "leaving starts the full interval";
  EXPECT_FALSE(Enabled(view_->PreviousButton()));
  EXPECT_TRUE(Enabled(view_->NextButton()));

  home_.Hide();
  EXPECT_FALSE(view_->RotationTimer()->Enabled());
  Pump(1500);
  EXPECT_EQ(home_.CurrentPage(), 0) << "no rotation while hidden";
}

TEST_F(HomeTabViewTest, InstallButtonStartsTheProductAndMinimisesOnSuccess) {
  ASSERT_TRUE(Init(0));
  ASSERT_TRUE(home_.Show());
  const struct {
    std::intptr_t shellResult;
    bool minimised;
  } cases[] = {{42, true}, {2, false}};
  for (const auto& c : cases) {
    ::ShowWindow(form_.Handle(), SW_RESTORE);
    Pump();
    ASSERT_FALSE(::IsIconic(form_.Handle()));
    shell_.result = c.shellResult;
    shell_.calls.clear();
    ClickOn(*view_->InstallButton());
    ASSERT_EQ(shell_.calls.size(), 1u) << c.shellResult;
    const fakes::ShellCall& call = shell_.calls[0];
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.file, HomeFile("Product\\ZekaSetup.exe"));
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.directory, HomeFile("Product\\"));
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
    EXPECT_EQ(::IsIconic(form_.Handle()) != FALSE, c.minimised) << c.shellResult;
  }
}

// The window lets the view go before the panel: its controls leave the
// panel, and its running timer dies with it instead of ticking on.
TEST_F(HomeTabViewTest, AViewThatGoesTakesItsControlsAndTimer) {
  ASSERT_TRUE(Init(1));
  ASSERT_TRUE(home_.Show());
  ASSERT_TRUE(view_->RotationTimer()->Enabled());
  ASSERT_EQ(panel_.WindowedChildren().size(), 3u);
  view_.reset();
  EXPECT_TRUE(panel_.WindowedChildren().empty());
  EXPECT_EQ(::GetWindow(panel_.Handle(), GW_CHILD), nullptr) << "browser and buttons gone";
  // A timer left behind would have ticked by now; its ticks are taken off
  // the queue unhandled, since they would call into the view that went.
  ::Sleep(1500);
  int ticks = 0;
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    if (msg.hwnd == nullptr) ++ticks;  // a thread timer's, as ours are
  }
  EXPECT_EQ(ticks, 0) << "the rotation timer went with the view";
  Pump();
  EXPECT_EQ(home_.CurrentPage(), 0);
}

TEST_F(HomeTabViewTest, AStatePictureThatCannotBeReadLeavesTheStateEmpty) {
  ZkButtonTx button("b");
  panel_.AddChild(button);
  ASSERT_TRUE(button.CreateHandle(&panel_));
  const struct {
    const char* name;
    std::string path;
    bool loads;
  } cases[] = {
      {"a bitmap", HomeFile("next_d.bmp"), true},
      {"missing", HomeFile("Buttons\\missing.bmp"), false},
      {"not a bitmap", HomeFile("Buttons\\broken.bmp"), false},
      {"no name", "", false},
      {"a folder", HomeFile("Buttons"), false},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(LoadStatePicture(button, 1, HomeFile("next_n.bmp")));
    EXPECT_EQ(LoadStatePicture(button, 1, c.path), c.loads) << c.name;
    EXPECT_EQ(button.IsBitmapEmpty(1), !c.loads) << c.name;
    if (c.loads) {
      EXPECT_TRUE(SamePicture(button.GetBitmap(1), c.path)) << c.name;
    }
  }
}

TEST_F(HomeTabViewTest, HeldBackThePressedAndPointedPicturesComeWithTheBrowser) {
  temp_.Write("AUTORUN/HomeTab/HomeTab.ini", PromotionIni(0));
  // Held as the menu window holds it until its first paint; a second load
  // while held makes new buttons, and only theirs are loaded later.
  for (int load = 0; load < 2; ++load) {
    view_ = std::make_unique<HomeTabPanelView>(home_, panel_);
    view_->HoldBrowser();
    ASSERT_TRUE(home_.Init(panel_.Handle(), program_ + "HomeTab", view_.get()));
  }
  ASSERT_TRUE(home_.Show());
  ZkButtonTx* buttons[] = {view_->InstallButton(), view_->NextButton(), view_->PreviousButton()};
  for (ZkButtonTx* b : buttons) {
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->IsBitmapEmpty(0)) << b->Name() << ": raised, shown now";
    EXPECT_TRUE(b->IsBitmapEmpty(1)) << b->Name() << ": sunken, held";
    EXPECT_TRUE(b->IsBitmapEmpty(2)) << b->Name() << ": focused, held";
  }
  EXPECT_FALSE(view_->PreviousButton()->IsBitmapEmpty(3)) << "disabled on the first page: shown now";
  view_->MakeHeldBrowser();
  EXPECT_TRUE(SamePicture(buttons[0]->GetBitmap(1), HomeFile("Buttons\\install_d.bmp")));
  EXPECT_TRUE(SamePicture(buttons[0]->GetBitmap(2), HomeFile("Buttons\\install_o.bmp")));
  EXPECT_TRUE(SamePicture(buttons[1]->GetBitmap(1), HomeFile("next_d.bmp")));
  EXPECT_TRUE(SamePicture(buttons[2]->GetBitmap(2), HomeFile("previous_o.bmp")));
}

}  // namespace
}  // namespace pikko
