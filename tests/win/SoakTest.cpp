// A long session on the real menu window: tab switches, page changes and
// row hovers, ten thousand actions, with the GDI and USER objects and the
// working set compared before and after. Every round paints, so a pen, a
// bitmap or a DC lost on any paint or hover path shows here.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "tests/win/FormHarness.h"

namespace pikko::testing {
namespace {

// What the process holds. GetGuiResources answers on Windows; Wine answers
// 0, and there the live GDI objects are counted in the handle table (Wine
// accepts a handle's table index alone), the USER objects as windows.
struct Held {
  unsigned long gdi = 0;
  unsigned long user = 0;
  unsigned long long workingSet = 0;
};

unsigned long ProbedGdiObjects() {
  unsigned long n = 0;
  for (std::uintptr_t index = 1; index < 0x10000; ++index) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): probing the handle table
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++n;
  }
  return n;
}

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
  ++*reinterpret_cast<unsigned long*>(counter);
  return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM counter) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != ::GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<unsigned long*>(counter);
  ::EnumChildWindows(window, &CountChild, counter);
  return TRUE;
}

unsigned long CountedWindows() {
  unsigned long n = 0;
  ::EnumWindows(&CountOwnWindow, reinterpret_cast<LPARAM>(&n));
  for (HWND w = nullptr; (w = ::FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;)
    CountOwnWindow(w, reinterpret_cast<LPARAM>(&n));
  return n;
}

unsigned long long WorkingSet() {
  // Through kernel32 (Windows 7 and later), without the psapi library.
  using Query = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("kernel32"), "K32GetProcessMemoryInfo")));
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!query || !query(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.WorkingSetSize;
}

Held HeldNow() {
  Held h;
  h.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (h.gdi == 0) h.gdi = ProbedGdiObjects();
  h.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  if (h.user == 0) h.user = CountedWindows();
  h.workingSet = WorkingSet();
  return h;
}

// Two tabs of 25 items (three pages each) and a third with one.
std::string SoakMenu() {
  std::vector<int> tabs(25, 0);
  tabs.insert(tabs.end(), 25, 1);
  tabs.push_back(2);
  return MenuIni(3, tabs);
}

// Input sent to the window under a control's centre, as the system would
// send it, without painting: the test paints once a round.
class Sender {
 public:
  Sender(FormHarness& h, const Control& c) : point_(h.Centre(c)), window_(h.WindowAt(point_)) {}
  void Move() const { Send(WM_MOUSEMOVE, 0); }
  void Click() const {
    Move();
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_LBUTTONUP, 0);
  }

 private:
  void Send(UINT msg, WPARAM keys) const {
    ::SendMessageA(window_, msg, keys, MAKELPARAM(point_.x, point_.y));
  }
  POINT point_;
  HWND window_;
};

// 10 000 actions in all: each painting of this window takes some 20 ms under
// Wine, so the session is 1 000 rounds of a tab switch, a page change and
// eight row hovers, painted once a round.
TEST(Soak, TenThousandActionsHoldNoMoreObjectsOrMemory) {
  FormHarness h;
  h.Disc(SoakMenu());
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  ASSERT_TRUE(f.zkbNext->Visible());
  const Sender tabs[] = {Sender(h, *f.TabCaptions[0]), Sender(h, *f.TabCaptions[1])};
  const Sender next(h, *f.zkbNext);
  std::vector<Sender> rows;
  for (ZkOuterGlowLabel* row : f.ItemRows) rows.emplace_back(h, *row);

  int switches = 0, pages = 0, hovers = 0;
  auto round = [&](int i) {
    tabs[i % 2].Click();
    ++switches;
    for (int k = 0; k < 4; ++k, ++hovers) rows[(i + 3 * k) % 10].Move();
    next.Click();
    ++pages;
    for (int k = 0; k < 4; ++k, ++hovers) rows[(i + 7 * k) % 10].Move();
    h.Pump();
  };
  // The first rounds make what is made once (fonts, glow halos, the
  // pictures of each state); the counts are taken after them.
  for (int i = 0; i < 20; ++i) round(i);
  ASSERT_EQ(f.CurrentPage, 1);
  const Held before = HeldNow();

  constexpr int kRounds = 1000;
  switches = pages = hovers = 0;
  const auto begin = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) round(i);
  const auto seconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - begin).count() / 1000.0;
  const Held after = HeldNow();

  std::printf("soak: %d tab switches, %d page changes, %d hovers in %.1f s\n", switches, pages,
              hovers, seconds);
  std::printf("soak: GDI objects %lu -> %lu, USER objects %lu -> %lu, working set %llu KB -> %llu KB\n",
              before.gdi, after.gdi, before.user, after.user, before.workingSet / 1024,
              after.workingSet / 1024);

  EXPECT_EQ(switches + pages + hovers, 10000);
  // The window and its pictures hold objects: a count of nothing would be
  // a probe that sees nothing.
  EXPECT_GT(before.gdi, 20u);
  EXPECT_GT(before.user, 5u);
  EXPECT_LE(after.gdi, before.gdi + 8) << "GDI objects grew";
  EXPECT_LE(after.user, before.user + 2) << "USER objects grew";
  EXPECT_GT(before.workingSet, 0u);
  EXPECT_LE(after.workingSet, before.workingSet + 16ull * 1024 * 1024) << "the working set grew";
  // The last round left tab 1 on its second page.
  EXPECT_EQ(f.SelectedTab, 1);
  EXPECT_EQ(f.CurrentPage, 1);
  EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace pikko::testing
