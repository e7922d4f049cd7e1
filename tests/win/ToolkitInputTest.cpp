// The toolkit under the controls: the window procedure binds its object
// before the first message, a failing paint ends its paint and shows one
// error, Tab moves between tab stops, a press that another window's capture
// ends is cancelled on the control pressed, and the window shape is the
// reference shape of its bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Graphics/CustomWindowMaker_win.h"
#include "Graphics/WinRegion_win.h"
#include "Component/ZkButton_win.h"
#include "platform/Assert.h"
#include "platform/fakes/FakePorts.h"
#include "tests/win/RegionReference_win.h"
#include "toolkit/Application_win.h"

namespace pikko {
namespace {

// Records the messages that reach the object, and whether the object knew
// its window by then.
class Recorder : public WindowedControl {
 public:
  using WindowedControl::WindowedControl;
  DWORD Style() const override { return WS_POPUP; }
  std::vector<UINT> seen;
  bool handleKnownAtCreate = false;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    seen.push_back(msg);
    if (msg == WM_NCCREATE || msg == WM_CREATE) handleKnownAtCreate = Handle() != nullptr;
    return WindowedControl::HandleMessage(msg, wp, lp);
  }
};

TEST(ToolkitInput, TheObjectGetsItsFirstMessages) {
  Recorder r("recorder");
  r.SetBounds(10, 10, 50, 50);
  ASSERT_TRUE(r.CreateHandle(nullptr));
  ASSERT_GE(r.seen.size(), 2u);
  EXPECT_EQ(r.seen[0], static_cast<UINT>(WM_NCCREATE));
  EXPECT_NE(std::find(r.seen.begin(), r.seen.end(), static_cast<UINT>(WM_CREATE)), r.seen.end());
  EXPECT_TRUE(r.handleKnownAtCreate);
  EXPECT_EQ(WindowedControl::FromHandle(r.Handle()), &r);
  HWND gone = r.Handle();
  r.DestroyHandle();
  EXPECT_EQ(WindowedControl::FromHandle(gone), nullptr);
  EXPECT_EQ(r.Handle(), nullptr);
}

class FailingPaint : public GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  void Paint(HDC) override { throw std::runtime_error("paint broke"); }
};

TEST(ToolkitInput, AFailingPaintEndsItsPaintAndShowsOneError) {
  fakes::FakeMessageBoxes boxes;
  Ports ports = CurrentPorts();
  ports.messages = &boxes;
  ScopedPorts scope(ports);
  Form form("PaintHost");
  form.SetBounds(20, 20, 120, 80);
  ASSERT_TRUE(form.CreateHandle(nullptr));
  FailingPaint broken("broken");
  broken.SetBounds(0, 0, 50, 50);
  form.AddChild(broken);
  form.Show();
  for (int i = 0; i < 3; ++i) {
    form.Invalidate();
    form.Update();
  }
  EXPECT_EQ(boxes.shown.size(), 1u);
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown[0].text, "paint broke");
  RECT pending{};
  EXPECT_FALSE(::GetUpdateRect(form.Handle(), &pending, FALSE)) << "the paint was ended";
}

TEST(ToolkitInput, TabMovesBetweenVisibleEnabledTabStops) {
  Form form("TabHost");
  form.SetBounds(20, 20, 200, 80);
  ASSERT_TRUE(form.CreateHandle(nullptr));
  form.Show();
  ZkButton a("a"), hidden("hidden"), b("b"), notStop("notStop");
  for (ZkButton* c : {&a, &hidden, &b, &notStop}) {
    form.AddChild(*c);
    c->SetBounds(10, 10, 20, 20);
    ASSERT_TRUE(c->CreateHandle(&form));
  }
  a.SetTabStop(true);
  hidden.SetTabStop(true);
  hidden.Hide();
  b.SetTabStop(true);
  ::SetForegroundWindow(form.Handle());
  a.SetFocus();
  ASSERT_TRUE(a.Focused());
  MSG tab{a.Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(Application::Navigate(tab));
  EXPECT_TRUE(b.Focused());
  tab.hwnd = b.Handle();
  EXPECT_TRUE(Application::Navigate(tab));
  EXPECT_TRUE(a.Focused()) << "wraps around";
  EXPECT_TRUE(form.SelectNext(&a, false));
  EXPECT_TRUE(b.Focused());
  MSG other{a.Handle(), WM_KEYDOWN, 'A', 0, 0, {}};
  EXPECT_FALSE(Application::Navigate(other));
}

// Counts the presses that ended because another window took the mouse.
class Tile : public GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  void Paint(HDC) override {}
  void CaptureLost() override { ++lost; }
  int lost = 0;
};

TEST(ToolkitInput, ALostCaptureReachesTheGraphicControlPressed) {
  Form form("CaptureHost");
  form.SetBounds(20, 20, 120, 80);
  ASSERT_TRUE(form.CreateHandle(nullptr));
  Tile tile("tile");
  tile.SetBounds(0, 0, 40, 40);
  form.AddChild(tile);
  win::ScopedWindow other(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                            nullptr, ::GetModuleHandleA(nullptr), nullptr));
  int clicks = 0;
  tile.OnClick = [&](Control&) { ++clicks; };
  const LPARAM at = MAKELPARAM(5, 5);
  ::SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(form.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(tile.lost, 0) << "our own release loses nothing";
  ::SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SetCapture(other.Get());
  ::ReleaseCapture();
  EXPECT_EQ(tile.lost, 1) << "told once";
  ::SendMessageA(form.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(clicks, 1) << "the press ended without a click";
}

Bitmap LoadedMask(const std::vector<std::string>& rows, TColor key) {
  Bitmap b;
  b.Create(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 24);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      std::uint8_t* p = b.ScanLine(y) + 3 * x;
      const bool cut = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '.';
      p[0] = cut ? BlueOf(key) : 0x40;
      p[1] = cut ? GreenOf(key) : 0x80;
      p[2] = cut ? RedOf(key) : 0x20;
    }
  return b;
}

TEST(ToolkitInput, FastShapeEqualsTheReferenceOnRandomMasks) {
  std::mt19937 random(11);
  const TColor key = 0xFF00FF;
  for (int round = 0; round < 30; ++round) {
    const int w = 1 + static_cast<int>(random() % 90), h = 1 + static_cast<int>(random() % 60);
    const unsigned density = 1 + random() % 4;
    std::vector<std::string> rows(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), '#'));
    for (auto& row : rows)
      for (char& c : row) c = random() % (density + 1) == 0 ? '.' : '#';
    Bitmap mask = LoadedMask(rows, key);
    WinRegion fast(mask, key | 0x02000000u);
    win::ScopedRegion reference(testing::ReferenceRegion(mask, key));
    EXPECT_TRUE(::EqualRgn(fast.Handle(), reference.Get())) << "round " << round;
  }
  // A bitmap of only the key colour, and an empty bitmap: empty regions.
  Bitmap all = LoadedMask({"...", "..."}, key);
  WinRegion none(all, key);
  RECT box;
  EXPECT_EQ(::GetRgnBox(none.Handle(), &box), NULLREGION);
  Bitmap empty;
  WinRegion emptyRegion(empty, key);
  EXPECT_EQ(::GetRgnBox(emptyRegion.Handle(), &box), NULLREGION);
}

TEST(ToolkitInput, RegionOperationsAndTheirChecks) {
  WinRegion r;
  r.SetRect(0, 0, 10, 10);
  WinRegion hole;
  hole.SetRect(2, 2, 3, 3);
  r.Subtract(hole);
  EXPECT_FALSE(r.Contains(2, 2));
  EXPECT_TRUE(r.Contains(3, 2));
  r.Offset(5, 0);
  EXPECT_FALSE(r.Contains(7, 2));
  win::ScopedRegion copy(r.Clone());
  WinRegion again(copy.Get());
  EXPECT_TRUE(again.Equals(r));
  ThrowingAssertions throwing;
  try {
    WinRegion bad(static_cast<HRGN>(nullptr));
    FAIL() << "copying no region passed";
  } catch (const AssertionFailure& f) {
    EXPECT_EQ(f.expression, "combineResult != ERROR");
    EXPECT_EQ(f.unit, "WinRegion");
  }
}

TEST(ToolkitInput, WindowMakerShapesOnceAndKeepsTheOldHandler) {
  Form form("MakerHost");
  form.SetBounds(50, 50, 120, 90);
  ASSERT_TRUE(form.CreateHandle(nullptr));
  Image background("background");
  form.AddChild(background);
  background.SetBounds(0, 0, 100, 60);
  background.SetPicture(LoadedMask({"..########", "##########", "....######"}, 0xFF00FF));
  int earlier = 0;
  background.OnMouseDown = [&](Control&, MouseButton, ShiftState, int, int) { ++earlier; };
  CustomWindowMaker maker(form, background);
  maker.MakeWindow();
  maker.MakeWindow();
  ASSERT_TRUE(maker.Made());
  RECT frame;
  ::GetWindowRect(form.Handle(), &frame);
  background.OnMouseDown(background, MouseButton::Right, 0, 1, 1);
  EXPECT_EQ(earlier, 1) << "the earlier handler runs once, hooked once";
  RECT after;
  ::GetWindowRect(form.Handle(), &after);
  EXPECT_EQ(after.left, frame.left) << "a right press does not move the window";

  // The region lines up with the picture inside the frame (the form has a
  // caption): the bottom-left key pixels are cut out, the middle kept.
  POINT client{0, 0};
  ::ClientToScreen(form.Handle(), &client);
  const int dx = client.x - frame.left, dy = client.y - frame.top;
  EXPECT_GT(dy, 0) << "the form has a caption";
  win::ScopedRegion region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(form.Handle(), region.Get()), ERROR);
  EXPECT_FALSE(::PtInRegion(region.Get(), dx + 1, dy + 0));
  EXPECT_TRUE(::PtInRegion(region.Get(), dx + 4, dy + 0));
  EXPECT_TRUE(::PtInRegion(region.Get(), dx + 0, dy + 1));
  EXPECT_FALSE(::PtInRegion(region.Get(), dx + 3, dy + 2));
  EXPECT_TRUE(::PtInRegion(region.Get(), dx + 5, dy + 2));
  EXPECT_FALSE(::PtInRegion(region.Get(), 0, 0)) << "the caption is cut away";
}

}  // namespace
}  // namespace pikko
