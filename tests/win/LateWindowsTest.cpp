// Controls whose windows are made when they are first shown: the window
// takes the place among its siblings that it would have had if made in
// order, children that waited for their parent's window come with it, and a
// window the system refuses is reported as at start.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "toolkit/Form_win.h"
#include "toolkit/Panel_win.h"

namespace pikko {
namespace {

// A control whose window refuses to be made.
class Refused : public WindowedControl {
 public:
  using WindowedControl::WindowedControl;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    return msg == WM_CREATE ? -1 : WindowedControl::HandleMessage(msg, wp, lp);
  }
};

struct LateHost {
  Form form{"LateHost"};
  LateHost() {
    form.SetBounds(40, 40, 300, 200);
    EXPECT_TRUE(form.CreateHandle(nullptr));
  }
  // Hidden, waiting for its first show.
  void AddLate(WindowedControl& c, WindowedControl& parent) {
    parent.AddChild(c);
    c.SetBounds(10, 10, 50, 40);
    c.SetVisible(false);
    c.SetCreateWhenShown(true);
    EXPECT_TRUE(c.CreateHandle(&parent));
    EXPECT_EQ(c.Handle(), nullptr) << c.Name();
  }
  // The windows of the form's children, topmost first.
  std::vector<HWND> ZOrder() const {
    std::vector<HWND> order;
    for (HWND w = ::GetWindow(form.Handle(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT))
      order.push_back(w);
    return order;
  }
};

TEST(LateWindows, TakeTheirPlaceInTheOrderOfTheirSiblings) {
  LateHost host;
  Panel a("a"), b("b"), c("c");
  for (Panel* p : {&a, &b, &c}) host.AddLate(*p, host.form);
  // Shown in any order, later children still lie over earlier ones.
  c.Show();
  a.Show();
  ASSERT_NE(a.Handle(), nullptr);
  EXPECT_EQ(host.ZOrder(), (std::vector<HWND>{c.Handle(), a.Handle()}));
  b.Show();
  EXPECT_EQ(host.ZOrder(), (std::vector<HWND>{c.Handle(), b.Handle(), a.Handle()}));
  // Once made, a window stays when hidden and shown again.
  const HWND made = b.Handle();
  b.Hide();
  b.Show();
  EXPECT_EQ(b.Handle(), made);
  EXPECT_TRUE(::GetWindowLongPtrA(made, GWL_STYLE) & WS_VISIBLE);
}

TEST(LateWindows, ChildrenComeWithTheirParentsWindowAndLateOnesStayLate) {
  LateHost host;
  Panel panel("panel"), inside("inside"), lateInside("lateInside");
  host.AddLate(panel, host.form);
  panel.AddChild(inside);
  inside.SetBounds(1, 1, 10, 10);
  EXPECT_TRUE(inside.CreateHandle(&panel));
  EXPECT_EQ(inside.Handle(), nullptr);  // the parent has no window yet
  host.AddLate(lateInside, panel);
  // The window is made on request, hidden (the browsers need their panels').
  ASSERT_TRUE(panel.EnsureHandle());
  EXPECT_FALSE(::IsWindowVisible(panel.Handle()));
  ASSERT_NE(inside.Handle(), nullptr);
  EXPECT_EQ(::GetParent(inside.Handle()), panel.Handle());
  EXPECT_EQ(lateInside.Handle(), nullptr);
  lateInside.Show();
  EXPECT_EQ(::GetParent(lateInside.Handle()), panel.Handle());
}

TEST(LateWindows, AWindowTheSystemRefusesIsReportedWhenShown) {
  LateHost host;
  Refused refused("refused");
  host.AddLate(refused, host.form);
  try {
    refused.Show();
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "cannot create refused");
  }
  EXPECT_EQ(refused.Handle(), nullptr);
}

}  // namespace
}  // namespace pikko
