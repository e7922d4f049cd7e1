// The skinned controls' interaction state machine, driven by event scripts
// as mouse, keyboard and focus deliver them; each case names the looks the
// control must show and the events it must fire, in order.
#include "Component/ZkControlState.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace pikko {
namespace {

// Records what the machine asks for. The hit area is x < 10; focus moves
// only when the machine takes it (or a script step gives or removes it).
class RecordingHost final : public ZkControlHost {
 public:
  void ShowRaised() override { log << "R "; }
  void ShowSunken() override { log << "S "; }
  void ShowFocused() override { log << "F "; }
  void ShowDisabled() override { log << "D "; }
  bool IsPointInside(int x, int) const override { return x < 10; }
  bool HasFocus() const override { return focused; }
  bool IsTabStop() const override { return tabStop; }
  void TakeFocus() override {
    log << "focus ";
    focused = true;
    if (machine) machine->FocusGained();
  }
  void TrackMouseLeave() override { ++tracked; }
  void FireMouseEnter() override { log << "enter "; }
  void FireMouseLeave() override { log << "leave "; }

  std::ostringstream log;
  bool focused = false;
  bool tabStop = false;
  int tracked = 0;
  ZkControlState* machine = nullptr;
};

// Script steps: in / out (move, button up), din / dout (move, left button
// held), down / up (left button at x 5), rdown (right button), kd / ku
// (Space), ed / eu (Enter), kx (another key), +f / -f (focus given, taken),
// off / on (disabled, enabled), nohover, noclicks, clicks, lost (another
// window took the mouse).
std::string RunScript(const std::string& script, bool tabStop = false, bool clicksDisabled = false,
                std::string* flags = nullptr) {
  RecordingHost host;
  host.tabStop = tabStop;
  ZkControlState m(host, clicksDisabled);
  host.machine = &m;
  std::istringstream steps(script);
  std::string s;
  while (steps >> s) {
    if (s == "in") m.MouseMove(5, 5, false);
    if (s == "out") m.MouseMove(50, 5, false);
    if (s == "din") m.MouseMove(5, 5, true);
    if (s == "dout") m.MouseMove(50, 5, true);
    if (s == "down") m.MouseDown(true, 5, 5);
    if (s == "downout") m.MouseDown(true, 50, 5);
    if (s == "rdown") m.MouseDown(false, 5, 5);
    if (s == "up") m.MouseUp(true);
    if (s == "kd") m.KeyDown(kKeySpace);
    if (s == "ku") m.KeyUp(kKeySpace);
    if (s == "ed") m.KeyDown(kKeyEnter);
    if (s == "eu") m.KeyUp(kKeyEnter);
    if (s == "kx") m.KeyDown('A');
    if (s == "leave") m.MouseLeaveNotification();
    if (s == "lost") m.CaptureLost();
    if (s == "+f") {
      host.focused = true;
      m.FocusGained();
    }
    if (s == "-f") {
      host.focused = false;
      m.FocusLost();
    }
    if (s == "off") m.EnabledChanging(false);
    if (s == "on") m.EnabledChanging(true);
    if (s == "nohover") m.SetShowMouseOver(false);
    if (s == "noclicks") m.SetClicksDisabled(true);
    if (s == "clicks") m.SetClicksDisabled(false);
    if (s == "|") host.log << "| ";
  }
  if (flags) {
    *flags = std::string(m.MouseInside() ? "i" : "-") + (m.MousePressed() ? "m" : "-") +
             (m.KeyPressed() ? "k" : "-");
  }
  std::string out = host.log.str();
  if (!out.empty()) out.pop_back();
  return out;
}

struct Case {
  const char* name;
  const char* script;
  const char* looks;
  const char* flags;  // inside, mouse pressed, key pressed at the end
  bool tabStop = false;
  bool clicksDisabled = false;
};

const Case kCases[] = {
    {"hover shows focused, leaving raised", "in | out", "F enter | R leave", "---"},
    {"press and release inside", "in down up", "F enter S F", "i--"},
    {"drag out: raised again, no leave event", "in down dout", "F enter S R", "---"},
    {"drag out then back in presses again", "in down dout din", "F enter S R S enter", "im-"},
    {"release after dragging out changes nothing", "in down dout up", "F enter S R", "---"},
    {"leave notification while pressed", "in down leave", "F enter S R", "---"},
    {"leave notification once per exit", "in leave leave", "F enter R leave", "---"},
    {"right button does not press", "in rdown", "F enter", "i--"},
    {"press outside the hit area does nothing", "downout", "", "---"},
    {"Space presses and releases", "+f kd ku", "F S F", "---"},
    {"Enter presses too, other keys do not", "+f ed eu kx", "F S F", "---"},
    {"mouse press under a held Space", "+f kd in down up", "F S enter", "i-k"},
    {"Space released after the mouse", "+f kd in down up ku", "F S enter F", "i--"},
    {"mouse up while Space held keeps the look", "+f kd down up", "F S", "--k"},
    {"losing focus ends a key press", "+f kd -f", "F S R", "---"},
    {"a mouse press survives losing focus", "+f in down -f", "F enter S", "im-"},
    {"focus while hovered changes nothing", "in +f", "F enter", "i--"},
    {"focused control keeps its look when left", "+f in out", "F enter leave", "---"},
    {"no tab stop: pressing takes no focus", "in down", "F enter S", "im-"},
    {"tab stop: pressing takes the focus", "in down", "F enter focus S", "im-", true},
    {"disabling while pressed and hovered", "in down off", "F enter S F R D", "---"},
    {"enabling shows raised even when hovered", "in off on", "F enter R D R", "---"},
    {"hover off: hovering changes nothing", "nohover in out", "enter leave", "---"},
    {"hover off while hovered clears it", "in nohover", "F enter R", "---"},
    {"clicks disabled: no pressed look", "in down kd", "F enter", "i--", false, true},
    {"no hover and no clicks: moves ignored", "nohover in", "", "---", false, true},
    {"enabling clicks cancels nothing pending", "noclicks in down clicks", "F enter", "i--"},
    {"capture lost while pressed: raised as dragged out", "in down lost", "F enter S R", "---"},
    {"capture lost with the focus: focused look", "+f in down lost", "F enter S F", "---"},
    {"after a lost capture the next move enters again", "in down lost in", "F enter S R F enter",
     "i--"},
    {"capture lost under a held Space keeps the key press", "+f kd in down lost", "F S enter",
     "--k"},
    {"capture lost without a press changes nothing", "in lost", "F enter", "i--"},
};

TEST(ZkControlStateTest, EventScriptsGiveTheirLooks) {
  for (const Case& c : kCases) {
    std::string flags;
    EXPECT_EQ(RunScript(c.script, c.tabStop, c.clicksDisabled, &flags), c.looks) << c.name;
    EXPECT_EQ(flags, c.flags) << c.name;
  }
}

TEST(ZkControlStateTest, EveryMoveRenewsTheLeaveTracking) {
  RecordingHost host;
  ZkControlState m(host, false);
  m.MouseMove(5, 5, false);
  m.MouseMove(6, 5, false);
  m.MouseMove(50, 5, false);
  EXPECT_EQ(host.tracked, 3);
  m.SetShowMouseOver(false);
  m.SetClicksDisabled(true);
  m.MouseMove(5, 5, false);
  EXPECT_EQ(host.tracked, 3) << "a control that ignores the mouse asks for nothing";
}

}  // namespace
}  // namespace pikko
