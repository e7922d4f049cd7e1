// What the menu window has made when it first paints: the pictures of the
// buttons that paint shows (raised, visible) and nothing else; every other
// picture is there before the first input is taken.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/StartupTrace_win.h"
#include "tests/win/FormHarness.h"
#include "toolkit/Application_win.h"

namespace pikko::testing {
namespace {

constexpr int kStates = 3;  // raised, sunken, focused

struct Watched {
  const char* name;
  bool shown;  // in the first paint
  ZkButtonTx* (*button)(TZkAutorunForm&);
  bool atFirstPaint[kStates];
};

bool HasPicture(ZkButtonTx& button, int state) {
  ZkFourStateAppearance& looks = button.Appearance();
  const Bitmap& b = state == 0 ? looks.RaisedBmp() : state == 1 ? looks.SunkenBmp() : looks.FocusedBmp();
  return !b.Empty();
}

TZkAutorunForm* g_form = nullptr;
std::vector<Watched>* g_watched = nullptr;

void RecordAtFirstPaint(const char* what) noexcept {
  if (std::string(what) != "first paint" || !g_form || !g_watched) return;
  for (Watched& w : *g_watched)
    for (int s = 0; s < kStates; ++s)
      w.atFirstPaint[s] = HasPicture(*w.button(*g_form), s);
}

TEST(FirstPaint, HasThePicturesItShowsAndTheRestComeBeforeInput) {
  FormHarness h;
  // Twelve items on one tab: two pages, the first row with a manual.
  demo::TestDiscOptions options;
  options.manuals = true;
  h.Disc(MenuIni(1, std::vector<int>(12, 0)) + "(1)Path=..\\Manual\\UserGuide\r\n", options);
  std::vector<Watched> watched = {
      {"the first side button", true, [](TZkAutorunForm& f) { return f.SideButtons[0]; }, {}},
      {"next page", true, [](TZkAutorunForm& f) { return f.zkbNext; }, {}},
      {"previous page", false, [](TZkAutorunForm& f) { return f.zkbPrevious; }, {}},
      {"the first row's manual", true, [](TZkAutorunForm& f) { return f.ManualButtons[0]; }, {}},
      {"the second row's manual", false, [](TZkAutorunForm& f) { return f.ManualButtons[1]; }, {}},
  };
  g_watched = &watched;
  // The start's own marks: the window is the application's main window by
  // the first paint.
  SetStartupTracer([](const char* what) noexcept {
    g_form = dynamic_cast<TZkAutorunForm*>(
        WindowedControl::FromHandle(Application::Instance().MainWindow()));
    RecordAtFirstPaint(what);
  });
  h.Start();
  SetStartupTracer(nullptr);
  g_form = nullptr;
  g_watched = nullptr;
  ASSERT_TRUE(h.WindowShown());
  for (const Watched& w : watched) {
    ZkButtonTx* button = w.button(*h.form);
    EXPECT_EQ(button->Visible(), w.shown) << w.name;
    EXPECT_EQ(w.atFirstPaint[0], w.shown) << w.name << ": raised, at the first paint";
    EXPECT_FALSE(w.atFirstPaint[1]) << w.name << ": sunken, at the first paint";
    EXPECT_FALSE(w.atFirstPaint[2]) << w.name << ": focused, at the first paint";
    for (int s = 0; s < kStates; ++s)
      EXPECT_TRUE(HasPicture(*button, s)) << w.name << ", state " << s;
  }
}

}  // namespace
}  // namespace pikko::testing
