// The skinned controls on real windows: the state image's drawing, the
// size and shape a raised bitmap gives, the looks mouse and keyboard give,
// captions in their state colours, and the check box and bar.
#include <windows.h>

#include <gtest/gtest.h>

#include "Component/ZkBar_win.h"
#include "Component/ZkBrick_win.h"
#include "Component/ZkButtonTx_win.h"
#include "Component/ZkCheckBox_win.h"
#include "platform/Assert.h"
#include "toolkit/Display_win.h"
#include "toolkit/Form_win.h"

namespace pikko {
namespace {

Bitmap Solid(int w, int h, TColor c) {
  Bitmap b;
  b.Create(w, h, 24);
  BitmapCanvas canvas(b);
  win::ScopedGdiObject brush(::CreateSolidBrush(c));
  const RECT r{0, 0, w, h};
  ::FillRect(canvas.Dc(), &r, static_cast<HBRUSH>(brush.Get()));
  ::GdiFlush();
  return b;
}

constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF;
constexpr TColor kWhite = 0xFFFFFF, kNavy = 0x800000;

// A top-level window that holds the controls under test.
struct Host {
  Form form{"SkinHost"};
  Host() {
    form.SetBounds(40, 40, 300, 200);
    EXPECT_TRUE(form.CreateHandle(nullptr));
    form.Show();
    SetDisplayColourDepth(24);
  }
  ~Host() { SetDisplayColourDepth(std::nullopt); }
  template <class C>
  void Add(C& c, int left = 10, int top = 10) {
    form.AddChild(c);
    c.SetBounds(left, top, c.Width() ? c.Width() : 40, c.Height() ? c.Height() : 30);
    ASSERT_TRUE(c.CreateHandle(&form));
  }
};

void Send(WindowedControl& c, UINT msg, WPARAM wp = 0, int x = 5, int y = 5) {
  ::SendMessageA(c.Handle(), msg, wp, MAKELPARAM(x, y));
}

// A key message as the keyboard gives it: a repeat count of one, bit 30 set
// when the key was already down (auto-repeat), bits 30 and 31 on release.
void SendKey(WindowedControl& c, UINT msg, WPARAM key, bool repeat = false) {
  DWORD bits = 1;
  if (repeat || msg == WM_KEYUP) bits |= 1u << 30;
  if (msg == WM_KEYUP) bits |= 1u << 31;
  ::SendMessageA(c.Handle(), msg, key, static_cast<LPARAM>(bits));
}

// Another window of this thread takes the mouse, as a setup program's window
// coming up over the menu does.
struct CaptureThief {
  win::ScopedWindow window{::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                             nullptr, ::GetModuleHandleA(nullptr), nullptr)};
  void Take() { ::SetCapture(window.Get()); }
  ~CaptureThief() { ::ReleaseCapture(); }
};

TEST(SkinnedControls, StateImageDrawsOnlyWhatChanges) {
  Host host;
  ZkButton button("b");
  host.Add(button);
  TBmpLEDCtrl& image = button.StateImage();
  EXPECT_EQ(image.State(), 0);
  EXPECT_TRUE(image.StateBitmap(0).Empty());
  ZkButton fresh("fresh");
  EXPECT_EQ(fresh.StateImage().Width(), 0);
  EXPECT_EQ(fresh.StateImage().Height(), 0);

  button.Appearance().SetRaisedBmp(Solid(20, 15, kRed));
  const Bitmap& surface = image.Surface().Picture();
  ASSERT_EQ(surface.Width(), 20);
  EXPECT_EQ(surface.Pixel(10, 10), kRed);

  // A smaller state bitmap leaves the rest of the picture in place.
  button.Appearance().SetSunkenBmp(Solid(5, 5, kBlue));
  image.SetState(1);
  EXPECT_EQ(surface.Pixel(2, 2), kBlue);
  EXPECT_EQ(surface.Pixel(10, 10), kRed);

  // Changing the bitmap on show redraws; changing another does not.
  button.Appearance().SetFocusedBmp(Solid(20, 15, kGreen));
  EXPECT_EQ(surface.Pixel(2, 2), kBlue);
  image.StateBitmap(1).CopyFrom(Solid(5, 5, kYellow));
  EXPECT_EQ(surface.Pixel(2, 2), kYellow);

  // Asking for the state on show draws nothing.
  {
    BitmapCanvas canvas = image.Canvas();
    ::SetPixel(canvas.Dc(), 3, 3, kWhite);
    ::GdiFlush();
  }
  image.SetState(1);
  EXPECT_EQ(surface.Pixel(3, 3), kWhite);
}

TEST(SkinnedControls, GrowingTheSurfaceFillsTheNewStripsWhite) {
  Host host;
  ZkButton button("b");
  host.Add(button);
  TBmpLEDCtrl& image = button.StateImage();
  image.Resize(10, 10);
  {
    BitmapCanvas canvas = image.Canvas();
    win::ScopedGdiObject brush(::CreateSolidBrush(kRed));
    const RECT all{0, 0, 10, 10};
    ::FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(brush.Get()));
    ::GdiFlush();
  }
  image.Resize(20, 15);
  const Bitmap& s = image.Surface().Picture();
  EXPECT_EQ(s.Pixel(5, 5), kRed);
  EXPECT_EQ(s.Pixel(15, 5), kWhite);
  EXPECT_EQ(s.Pixel(5, 12), kWhite);
  EXPECT_EQ(s.Pixel(19, 14), kWhite);
}

TEST(SkinnedControls, SixteenColourDisplaysDrawInFourBits) {
  Host host;
  SetDisplayColourDepth(4);
  ZkButton button("b");
  host.Add(button);
  button.Appearance().SetRaisedBmp(Solid(8, 8, 0x0000F0));
  EXPECT_EQ(button.StateImage().Surface().Picture().BitsPerPixel(), 4);
  EXPECT_EQ(button.StateImage().Figure().BitsPerPixel(), 4);
  EXPECT_EQ(button.StateImage().Surface().Picture().Pixel(1, 1), kRed) << "the nearest of 16";
}

TEST(SkinnedControls, BrokenInvariantsNameTheirCheck) {
  Host host;
  ThrowingAssertions throwing;
  ZkButton button("b");
  try {
    TBmpLEDCtrl bad(button, 0);
    FAIL() << "no check";
  } catch (const AssertionFailure& f) {
    EXPECT_EQ(f.expression, "stateCount > 0");
    EXPECT_EQ(f.unit, "TBmpLEDCtrl");
  }
  try {
    button.StateImage().SetState(4);
    FAIL() << "no check";
  } catch (const AssertionFailure& f) {
    EXPECT_EQ(f.expression, "state >= 0 && state < StateCount()");
  }
  EXPECT_THROW(button.GetBitmap(-1), AssertionFailure);
}

TEST(SkinnedControls, RaisedBitmapFixesSizeAndShape) {
  Host host;
  ZkButtonTx button("b");
  host.Add(button, 30, 20);
  button.Appearance().SetRaisedBmp(Solid(50, 45, kRed));
  EXPECT_EQ(button.Left(), 30);
  EXPECT_EQ(button.Width(), 50);
  EXPECT_EQ(button.Height(), 45);
  button.SetBounds(30, 20, 80, 80);
  EXPECT_EQ(button.Width(), 50);
  ::SetWindowPos(button.Handle(), nullptr, 0, 0, 99, 99, SWP_NOMOVE | SWP_NOZORDER);
  RECT r;
  ::GetWindowRect(button.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 50) << "the system's resizes are held to the bitmap too";
  EXPECT_EQ(button.TextBounds().right, 50) << "a resize resets the text rectangle";

  // A transparent colour taken from the raised bitmap's corner shapes it.
  Bitmap shaped = Solid(50, 45, kRed);
  {
    BitmapCanvas canvas(shaped);
    for (int x = 0; x < 10; ++x) ::SetPixel(canvas.Dc(), x, 44, kGreen);
    ::GdiFlush();
  }
  button.SetTransparentColor(kBlue);
  button.Appearance().SetRaisedBmp(shaped);
  EXPECT_EQ(button.TransparentColor(), kGreen) << "the raised bitmap's own colour wins";
  EXPECT_TRUE(button.IsPointInside(5, 44)) << "not transparent yet";
  button.SetTransparent(true);
  EXPECT_FALSE(button.IsPointInside(5, 44));
  EXPECT_TRUE(button.IsPointInside(15, 44));
  win::ScopedRegion region(::CreateRectRgn(0, 0, 0, 0));
  EXPECT_NE(::GetWindowRgn(button.Handle(), region.Get()), ERROR);
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, 5, 44);
  EXPECT_FALSE(button.InteractionState().MousePressed()) << "transparent pixels take no press";
  Send(button, WM_LBUTTONUP, 0, 5, 44);

  // An empty raised bitmap releases the size.
  button.SetBitmap(nullptr, 0);
  button.SetBounds(30, 20, 80, 70);
  EXPECT_EQ(button.Width(), 80);
}

// The requested state, the bitmap on show and the caption's colour.
struct Look {
  int requested;
  int shown;
  TColor text;
};

Look LookOf(const ZkButtonTx& b) {
  return {b.GetCurrentBitmap(), b.StateImage().State(), b.GetFontColorOfCurState()};
}

TEST(SkinnedControls, TextButtonLooksFollowMouseAndKeys) {
  Host host;
  ZkButtonTx button("b");
  host.Add(button);
  button.Appearance().SetRaisedBmp(Solid(108, 27, kWhite));
  button.Appearance().SetSunkenBmp(Solid(108, 27, kYellow));
  button.Appearance().SetFocusedBmp(Solid(108, 27, kGreen));
  FontStyle font;
  font.bold = true;
  font.colour = kBlue;
  button.SetFont(font);
  button.FontColors().SetSunken(kNavy);
  button.FontColors().SetFocused(kBlue);
  button.SetCaption("Install Now");
  int clicks = 0;
  button.OnClick = [&](Control&) { ++clicks; };

  EXPECT_EQ(LookOf(button).shown, 0);
  // The caption is on the surface in the font's colour.
  auto hasColour = [&](TColor c) {
    const Bitmap& s = button.StateImage().Surface().Picture();
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x)
        if (s.Pixel(x, y) == c) return true;
    return false;
  };
  EXPECT_TRUE(hasColour(kBlue));

  POINT p{50, 13};
  ::ClientToScreen(button.Handle(), &p);
  ::SetCursorPos(p.x, p.y);
  Send(button, WM_MOUSEMOVE, 0, 50, 13);
  EXPECT_EQ(LookOf(button).shown, 2);
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, 50, 13);
  EXPECT_EQ(LookOf(button).shown, 1);
  EXPECT_EQ(LookOf(button).text, kNavy);
  EXPECT_TRUE(hasColour(kNavy));
  Send(button, WM_LBUTTONUP, 0, 50, 13);
  EXPECT_EQ(LookOf(button).shown, 2);
  EXPECT_EQ(clicks, 1);

  // A double click is one click.
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, 50, 13);
  Send(button, WM_LBUTTONUP, 0, 50, 13);
  Send(button, WM_LBUTTONDBLCLK, MK_LBUTTON, 50, 13);
  Send(button, WM_LBUTTONUP, 0, 50, 13);
  EXPECT_EQ(clicks, 2);

  // Dragged out and released outside: raised, and no click.
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, 50, 13);
  Send(button, WM_MOUSEMOVE, MK_LBUTTON, 200, 13);
  EXPECT_EQ(LookOf(button).shown, 0);
  Send(button, WM_LBUTTONUP, 0, 200, 13);
  EXPECT_EQ(clicks, 2);

  // Space on the focused button clicks it; Enter only presses it.
  button.SetFocus();
  Send(button, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(LookOf(button).shown, 1);
  Send(button, WM_CHAR, '\r');
  Send(button, WM_KEYUP, VK_RETURN);
  EXPECT_EQ(clicks, 2);
  Send(button, WM_KEYDOWN, VK_SPACE);
  Send(button, WM_CHAR, ' ');
  Send(button, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(clicks, 3);

  // Disabled without a disabled bitmap: the raised bitmap, in the grey text
  // colour of the requested state.
  button.SetEnabled(false);
  EXPECT_EQ(LookOf(button).requested, 3);
  EXPECT_EQ(LookOf(button).shown, 0);
  EXPECT_EQ(LookOf(button).text, kSystemGrayText);
  EXPECT_TRUE(hasColour(::GetSysColor(COLOR_GRAYTEXT)));
  button.SetEnabled(true);
  EXPECT_EQ(LookOf(button).shown, 0);
}

int FirstTextColumn(const ZkButtonTx& b, TColor c) {
  const Bitmap& s = b.StateImage().Surface().Picture();
  for (int x = 0; x < s.Width(); ++x)
    for (int y = 0; y < s.Height(); ++y)
      if (s.Pixel(x, y) == c) return x;
  return -1;
}

TEST(SkinnedControls, PressedCaptionMovesIntoTheNarrowedRectangle) {
  Host host;
  ZkButtonTx button("b");
  host.Add(button);
  button.Appearance().SetRaisedBmp(Solid(108, 27, kWhite));
  button.Appearance().SetSunkenBmp(Solid(108, 27, kWhite));
  FontStyle font;
  font.colour = kBlue;
  button.SetFont(font);
  button.FontColors().SetSunken(kBlue);
  button.SetCaption("Install Now");
  const int raised = FirstTextColumn(button, kBlue);
  button.ShowSunken();
  const int sunken = FirstTextColumn(button, kBlue);
  ASSERT_GE(raised, 0);
  EXPECT_EQ(sunken - raised, 1) << "centred in a rectangle 2 pixels narrower on the left";
  button.ShowRaised();
  EXPECT_EQ(FirstTextColumn(button, kBlue), raised) << "the displacement is one-shot";
}

TEST(SkinnedControls, ModalResultEndsAModalForm) {
  Form dialog("Dialog");
  dialog.SetBounds(60, 60, 200, 100);
  ASSERT_TRUE(dialog.CreateHandle(nullptr));
  ZkButton ok("ok");
  dialog.AddChild(ok);
  ok.SetBounds(10, 10, 40, 20);
  ASSERT_TRUE(ok.CreateHandle(&dialog));
  ok.ModalResult = 1;
  ::PostMessageA(ok.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::PostMessageA(ok.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(dialog.ShowModal(), 1);
}

TEST(SkinnedControls, BrickNeverSinksAndTellsDoubleClicks) {
  Host host;
  ZkBrick brick("brick");
  host.Add(brick);
  brick.Appearance().SetNormalBmp(Solid(30, 20, kWhite));
  brick.Appearance().SetFocusedBmp(Solid(30, 20, kGreen));
  int doubles = 0, clicks = 0;
  brick.OnDblClick = [&](Control&) { ++doubles; };
  brick.OnClick = [&](Control&) { ++clicks; };
  POINT p{5, 5};
  ::ClientToScreen(brick.Handle(), &p);
  ::SetCursorPos(p.x, p.y);
  Send(brick, WM_MOUSEMOVE);
  EXPECT_EQ(brick.StateImage().State(), 1);
  Send(brick, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(brick.StateImage().State(), 1) << "no pressed look";
  Send(brick, WM_LBUTTONUP);
  Send(brick, WM_LBUTTONDBLCLK, MK_LBUTTON);
  Send(brick, WM_LBUTTONUP);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(clicks, 1);
}

TEST(SkinnedControls, CheckBoxCyclesAndFallsBackToEachGroupsRaisedBitmap) {
  Host host;
  ZkCheckBox box("box");
  host.Add(box);
  box.Appearance().Uncheck.SetRaisedBmp(Solid(16, 16, kWhite));
  box.Appearance().Gray.SetRaisedBmp(Solid(16, 16, kYellow));
  box.AllowGrayed = true;
  box.Click();
  EXPECT_EQ(box.State(), CheckState::Grayed);
  EXPECT_EQ(box.StateImage().State(), 8);
  box.ShowFocused();
  EXPECT_EQ(box.GetCurrentBitmap(), 10);
  EXPECT_EQ(box.StateImage().State(), 8) << "the group's raised bitmap stands in";
  box.Click();
  EXPECT_EQ(box.State(), CheckState::Checked);
  EXPECT_EQ(box.StateImage().State(), 0) << "no checked bitmaps: the unchecked raised one";
  box.Appearance().Check.SetFocusedBmp(Solid(16, 16, kGreen));
  EXPECT_EQ(box.StateImage().State(), 6) << "the missing bitmap arrived";
  box.Click();
  EXPECT_EQ(box.State(), CheckState::Unchecked);
}

TEST(SkinnedControls, HeldSpaceClicksOnce) {
  Host host;
  ZkButton button("button");
  ZkCheckBox box("box");
  host.Add(button);
  host.Add(box, 60, 10);
  ZkCustomControl* const controls[] = {&button, &box};
  for (ZkCustomControl* c : controls) {
    int clicks = 0;
    c->OnClick = [&](Control&) { ++clicks; };
    c->SetFocus();
    SendKey(*c, WM_KEYDOWN, VK_SPACE);
    SendKey(*c, WM_CHAR, ' ');
    for (int i = 0; i < 5; ++i) {
      SendKey(*c, WM_KEYDOWN, VK_SPACE, true);
      SendKey(*c, WM_CHAR, ' ', true);
    }
    SendKey(*c, WM_KEYUP, VK_SPACE);
    EXPECT_EQ(clicks, 1) << c->Name() << ": one press, one click";
    SendKey(*c, WM_KEYDOWN, VK_SPACE);
    SendKey(*c, WM_CHAR, ' ');
    SendKey(*c, WM_KEYUP, VK_SPACE);
    EXPECT_EQ(clicks, 2) << c->Name() << ": the next press clicks again";
    c->OnClick = nullptr;
  }
  EXPECT_EQ(box.State(), CheckState::Unchecked) << "one change a press: checked, then unchecked";
}

TEST(SkinnedControls, LostCaptureCancelsAPressWithoutAClick) {
  Host host;
  ZkButton button("b");
  host.Add(button);
  button.Appearance().SetRaisedBmp(Solid(30, 20, kWhite));
  button.Appearance().SetSunkenBmp(Solid(30, 20, kYellow));
  button.Appearance().SetFocusedBmp(Solid(30, 20, kGreen));
  int clicks = 0;
  button.OnClick = [&](Control&) { ++clicks; };
  CaptureThief thief;
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON);
  ASSERT_EQ(::GetCapture(), button.Handle());
  EXPECT_EQ(button.StateImage().State(), 1);
  thief.Take();
  EXPECT_FALSE(button.InteractionState().MousePressed());
  EXPECT_EQ(button.StateImage().State(), 0) << "raised again, as dragged out";
  Send(button, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 0);
  // The next press is a press as any other.
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON);
  Send(button, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 1);
}

TEST(SkinnedControls, LostCaptureEndsTheBarsDrag) {
  Host host;
  ZkBar bar("bar");
  host.Add(bar);
  bar.Appearance().SetNormalBmp(Solid(100, 20, kWhite));
  bar.SetIndicator(Solid(9, 9, kBlue));
  bar.SetOrigin(50, 10);
  int starts = 0, ends = 0;
  bar.OnStartScroll = [&](Control&) { ++starts; };
  bar.OnEndScroll = [&](Control&) { ++ends; };
  CaptureThief thief;
  Send(bar, WM_LBUTTONDOWN, MK_LBUTTON, 50, 10);
  Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 60, 10);
  ASSERT_EQ(bar.ScrollPos(), 10);
  thief.Take();
  EXPECT_FALSE(bar.IsDraging());
  EXPECT_EQ(ends, starts) << "every drag started ends";
  Send(bar, WM_MOUSEMOVE, 0, 80, 10);
  EXPECT_EQ(bar.ScrollPos(), 10) << "the indicator no longer follows the pointer";
  EXPECT_EQ(bar.IndicatorImage().Left(), 56);
}

TEST(SkinnedControls, BarDragStopsAtItsLength) {
  Host host;
  ZkBar bar("bar");
  host.Add(bar);
  bar.Appearance().SetNormalBmp(Solid(100, 20, kWhite));
  bar.SetIndicator(Solid(9, 9, kBlue));
  bar.SetOrigin(50, 10);
  EXPECT_EQ(bar.IndicatorImage().Left(), 46);
  std::vector<bool> directions;
  bar.OnScroll = [&](Control&, int&, bool right) { directions.push_back(right); };
  Send(bar, WM_LBUTTONDOWN, MK_LBUTTON, 50, 10);
  EXPECT_TRUE(bar.IsDraging());
  Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 80, 10);
  EXPECT_EQ(bar.ScrollPos(), 20);
  EXPECT_EQ(bar.IndicatorImage().Left(), 66);
  Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 75, 10);
  EXPECT_EQ(bar.ScrollPos(), 15);
  Send(bar, WM_LBUTTONUP, 0, 75, 10);
  EXPECT_FALSE(bar.IsDraging());
  EXPECT_EQ(directions, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace pikko
