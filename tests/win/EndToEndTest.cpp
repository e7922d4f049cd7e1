// The real Pikko.exe on the demo disc, driven from outside as a user's
// system would see it: its window, its size, its skin, a second start, and
// closing; and on a disc of two drivers, Down and Enter under a resting
// pointer.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "demo/DemoDisc.h"
#include "env/Text.h"
#include "platform/ScopedWin.h"
#include "platform/Win32Ports.h"
#include "tests/win/ChildProcess.h"
#include "tests/win/FormHarness.h"
#include "tests/win/ScreenCapture.h"
#include "tests/win/WinTestSupport.h"
#include "toolkit/Bitmap_win.h"
#include "Graphics/PngImage_win.h"

namespace pikko {
namespace {

// The demo disc's folder, with the platform record in the Windows folder.
std::string DemoDiscFolder() {
  testing::EnsurePlatformRecord();
  return testing::BuildPath("demo-disc/AUTORUN") + "\\";
}

using Process = testing::ChildProcess;
using testing::CaptureScreen;

// The menu of a disc folder, started in that folder.
Process Start(const std::string& folder, const std::string& arguments) {
  return testing::StartChild(folder + "Pikko.exe", arguments, folder);
}

HWND FindMenuWindow(DWORD pid) { return testing::FirstVisibleWindowOf(pid, "TZkAutorunForm"); }

HWND WaitForMenuWindow(DWORD pid, DWORD ms) {
  const std::vector<HWND> found = testing::WaitForWindowsOf(pid, "TZkAutorunForm", ms);
  return found.empty() ? nullptr : found.front();
}

int Distance(TColor a, TColor b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

void MouseButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(INPUT));
}

// The pointer to a screen point, arriving with a real move.
void MoveTo(int x, int y) {
  ::SetCursorPos(x - 1, y);
  ::Sleep(50);
  ::SetCursorPos(x, y);
  ::Sleep(250);
}

// The share of pixels of a screen area that match a picture (within a
// small tolerance for the display's rounding).
double Matching(const Bitmap& shot, const Bitmap& expected) {
  int same = 0, all = 0;
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x, ++all)
      if (Distance(shot.Pixel(x, y), expected.Pixel(x, y)) <= 12) ++same;
  return all ? static_cast<double>(same) / all : 0.0;
}

// A left click at a screen point, as the user's mouse gives it.
void ClickAt(int x, int y);

// A click on tab t's caption.
void SelectTab(POINT client, int t) {
  const int lefts[] = {12, 116, 220, 324, 429, 534};
  ClickAt(client.x + lefts[t] + 47, client.y + 42);
}

// A left click at a screen point, as the user's mouse gives it.
void ClickAt(int x, int y) {
  ::SetCursorPos(x, y);
  ::Sleep(200);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &inputs[0], sizeof(INPUT));
  ::Sleep(100);
  ::SendInput(1, &inputs[1], sizeof(INPUT));
}

TEST(EndToEnd, DemoDiscMenuRunsAsASingleInstance) {
  const std::string disc = DemoDiscFolder();
  ASSERT_NE(::GetFileAttributesA((disc + "Pikko.exe").c_str()), INVALID_FILE_ATTRIBUTES) << disc;

  Process first = Start(disc, "debug");
  ASSERT_TRUE(first.process);
  HWND window = WaitForMenuWindow(first.id, 20000);
  ASSERT_NE(window, nullptr) << "the menu window did not appear";

  RECT r;
  ::GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 660);
  EXPECT_EQ(r.bottom - r.top, 512);

  // The window is cut to its background: the skin's key-coloured corner is
  // outside the window, the middle inside.
  POINT client{0, 0};
  ::ClientToScreen(window, &client);
  win::ScopedRegion region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(::GetWindowRgn(window, region.Get()), COMPLEXREGION);
  const int dx = client.x - r.left, dy = client.y - r.top;
  EXPECT_FALSE(::PtInRegion(region.Get(), dx + 0, dy + 450));
  EXPECT_TRUE(::PtInRegion(region.Get(), dx + 320, dy + 225));

  // Where no control draws, the screen shows the skin's own pixels (on the
  // utilities tab: the drivers tab of the demo shows an advertisement).
  ::SetForegroundWindow(window);
  ::Sleep(1000);
  SelectTab(client, 1);
  ::Sleep(500);
  Bitmap skin;
  ASSERT_TRUE(skin.LoadFromFile(disc + "pikko256.bmp"));
  const RECT area{client.x, client.y, client.x + skin.Width(), client.y + skin.Height()};
  Bitmap shot = CaptureScreen(area);
  int checked = 0, matching = 0;
  for (int y = 130; y < 420; y += 10) {
    for (int x : {340, 345, 350, 355}) {  // between the item list and the description
      ++checked;
      if (Distance(shot.Pixel(x, y), skin.Pixel(x, y)) <= 24) ++matching;
    }
  }
  EXPECT_GE(matching * 10, checked * 9) << matching << " of " << checked << " pixels match the skin";

  // Install Now on the drivers tab's advertisement starts the chipset
  // driver's setup program, the tab's first item (the stand-in records where
  // and how it was started).
  const std::string log = disc + "..\\Drivers\\Chipset\\SetupStubLog.txt";
  ::DeleteFileA(log.c_str());
  SelectTab(client, 0);
  ::Sleep(300);
  ClickAt(client.x + 7 + 294 + 54, client.y + 115 + 250 + 13);
  std::string line;
  for (int i = 0; i < 200 && line.empty(); ++i) {
    ::Sleep(50);
    std::ifstream in(log);
    std::getline(in, line);
  }
  ASSERT_FALSE(line.empty()) << "the chipset driver's setup program was not started";
  if (!line.empty() && line.back() == '\r') line.pop_back();
  // program <tab> arguments <tab> working folder
  const std::size_t tab1 = line.find('\t'), tab2 = line.rfind('\t');
  ASSERT_TRUE(tab1 != std::string::npos && tab2 != tab1) << line;
  EXPECT_TRUE(EndsWithText(line.substr(0, tab1), "\\Drivers\\Chipset\\Setup.exe")) << line;
  EXPECT_EQ(line.substr(tab1 + 1, tab2 - tab1 - 1), "") << line;
  std::string folder = line.substr(tab2 + 1);
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  EXPECT_TRUE(EndsWithText(folder, "\\Drivers\\Chipset")) << line;
  ::DeleteFileA(log.c_str());

  // A second start ends at once with code 0 and shows nothing.
  Process second = Start(disc, "debug");
  ASSERT_TRUE(second.process);
  ASSERT_EQ(::WaitForSingleObject(second.process.Get(), 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  ::GetExitCodeProcess(second.process.Get(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindMenuWindow(second.id), nullptr);

  // Closing the window ends the program with code 0.
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(::WaitForSingleObject(first.process.Get(), 10000), WAIT_OBJECT_0);
  code = 1;
  ::GetExitCodeProcess(first.process.Get(), &code);
  EXPECT_EQ(code, 0u);
}

// The demo disc's side buttons under the real mouse: at rest, pointed at
// and pressed they show the picture of that look, composited over the skin;
// a double click on a row starts its program once; dragging the background
// moves the window.
TEST(EndToEnd, ButtonLooksDoubleClickAndDragUnderTheRealMouse) {
  win::ComInit com;  // the imaging codecs read the pictures
  const std::string disc = DemoDiscFolder();
  // The test reads the pictures through the disc's own PNG library.
  testing::ProgramInFolder folders(*Win32Ports().folders, disc + "Pikko.exe");
  Ports ports = Win32Ports();
  ports.folders = &folders;
  ScopedPorts scope(ports);
  Process menu = Start(disc, "debug");
  ASSERT_TRUE(menu.process);
  HWND window = WaitForMenuWindow(menu.id, 20000);
  ASSERT_NE(window, nullptr);
  ::SetForegroundWindow(window);
  ::Sleep(1000);
  POINT client{0, 0};
  ::ClientToScreen(window, &client);
  SelectTab(client, 1);

  Bitmap skin;
  ASSERT_TRUE(skin.LoadFromFile(disc + "pikko256.bmp"));
  // The system report button, the first of the five, at left 362, top 66.
  const int left = 362, top = 66;
  auto expected = [&](const char* suffix) {
    Bitmap png, look;
    EXPECT_TRUE(LoadPngFile(disc + "BtnImages\\MB\\256\\mb_" + suffix + ".png", png));
    EXPECT_TRUE(CompositeOver(skin, left, top, png, look));
    return look;
  };
  const Bitmap raised = expected("n"), focused = expected("o"), sunken = expected("d");
  ASSERT_FALSE(raised.Empty());
  auto onScreen = [&] {
    ::Sleep(300);
    const RECT r{client.x + left, client.y + top, client.x + left + raised.Width(),
                 client.y + top + raised.Height()};
    return CaptureScreen(r);
  };
  const int cx = client.x + left + raised.Width() / 2, cy = client.y + top + raised.Height() / 2;

  MoveTo(client.x + 345, client.y + 250);  // the background between list and description
  EXPECT_GE(Matching(onScreen(), raised), 0.95) << "at rest";
  MoveTo(cx, cy);
  EXPECT_GE(Matching(onScreen(), focused), 0.95) << "pointed at";
  EXPECT_LT(Matching(onScreen(), raised), 0.95) << "the looks differ";
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  EXPECT_GE(Matching(onScreen(), sunken), 0.95) << "pressed";
  // Dragged off before the release: the button is raised again and does
  // not click (no report is made).
  MoveTo(client.x + 345, client.y + 250);
  MouseButton(MOUSEEVENTF_LEFTUP);
  EXPECT_GE(Matching(onScreen(), raised), 0.95) << "released outside";

  // A double click on the first row of the utilities tab: its program
  // starts once.
  const std::string log = disc + "..\\Utility\\SystemMonitor\\SetupStubLog.txt";
  ::DeleteFileA(log.c_str());
  MoveTo(client.x + 80, client.y + 129);
  for (int i = 0; i < 2; ++i) {
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
  }
  std::vector<std::string> lines;
  for (int i = 0; i < 60; ++i) {
    ::Sleep(100);
    std::ifstream in(log);
    lines.clear();
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    if (!lines.empty() && i > 30) break;
  }
  EXPECT_EQ(lines.size(), 1u) << "one start for one double click";
  ::DeleteFileA(log.c_str());

  // Dragging the background moves the window with the pointer.
  RECT before;
  ::GetWindowRect(window, &before);
  MoveTo(client.x + 345, client.y + 440);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 10; ++step) {
    ::SetCursorPos(client.x + 345 + 4 * step, client.y + 440 + 3 * step);
    ::Sleep(40);
  }
  MouseButton(MOUSEEVENTF_LEFTUP);
  ::Sleep(500);
  RECT after;
  ::GetWindowRect(window, &after);
  EXPECT_EQ(after.left - before.left, 40);
  EXPECT_EQ(after.top - before.top, 30);

  ::PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(menu.process.Get(), 10000), WAIT_OBJECT_0);
}

// Without its PNG library the menu cannot draw its buttons: it says so in
// one message, naming the check that failed, and ends.
TEST(EndToEnd, AMissingPngLibraryIsABrokenInstallation) {
  namespace fs = std::filesystem;
  const fs::path copy = fs::temp_directory_path() / ("PikkoNoPng" + std::to_string(::GetTickCount()));
  fs::create_directories(copy);
  fs::copy(fs::path(testing::BuildPath("demo-disc/AUTORUN")), copy / "AUTORUN", fs::copy_options::recursive);
  fs::remove(copy / "AUTORUN" / "pngio.dll");
  Process menu = Start((copy / "AUTORUN").string() + "\\", "debug");
  ASSERT_TRUE(menu.process);
  const std::vector<HWND> boxes = testing::WaitForWindowsOf(menu.id, "#32770", 20000);
  ASSERT_FALSE(boxes.empty()) << "no message";
  HWND const box = boxes.front();
  char text[256] = {};
  ::GetDlgItemTextA(box, 0xFFFF, text, static_cast<int>(std::size(text)));
  EXPECT_NE(std::string(text).find("m_hinst"), std::string::npos) << text;
  EXPECT_NE(std::string(text).find("PngReader"), std::string::npos) << text;
  EXPECT_EQ(FindMenuWindow(menu.id), nullptr) << "no menu is shown";
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(::WaitForSingleObject(menu.process.Get(), 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  ::GetExitCodeProcess(menu.process.Get(), &code);
  EXPECT_NE(code, 0u) << "a broken installation is not a success";
  std::error_code ignored;
  fs::remove_all(copy, ignored);
}

// A key pressed and released as the keyboard gives it, to the foreground
// window.
void PressKey(WORD vk) {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    if (vk == VK_DOWN) input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
  }
  inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  ::SendInput(2, inputs, sizeof(INPUT));
}

// How many times the stand-in setup program at this path was started.
int StartsOf(const std::string& program) {
  std::ifstream in(program.substr(0, program.rfind('\\') + 1) + "SetupStubLog.txt");
  int lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  return lines;
}

// The share of pixels of a row of the window (client y, x from x0 to x1)
// that differ from the skin: the focus mark inverts every other one.
double MarkedShare(POINT client, const Bitmap& skin, int y, int x0, int x1) {
  const Bitmap shot = CaptureScreen(RECT{client.x, client.y + y, client.x + x1, client.y + y + 1});
  int differing = 0;
  for (int x = x0; x < x1; ++x)
    if (Distance(shot.Pixel(x, 0), skin.Pixel(x, y)) > 24) ++differing;
  return static_cast<double>(differing) / (x1 - x0);
}

// A new user on a tab of two drivers: the pointer rests on the window's
// background just below the second row from before the window opens, Down
// marks the first row (its long title unfolds and moves the second row
// under the pointer), and Enter starts it 150 ms later; keys as real input
// to the foreground menu. Between the two the system reports the resting
// pointer, as it does when windows change under it (here the pointer is
// put where it already is): the window may not have had a move from there
// before. Started again and again, since when the window's first move
// comes is a matter of timing.
TEST(EndToEnd, DownThenEnterStartsTheMarkedRowUnderARestingPointer) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("PikkoDownEnter" + std::to_string(::GetTickCount()));
  const std::string folder = (root / "AUTORUN").string() + "\\";
  fs::create_directories(root / "AUTORUN");
  ASSERT_TRUE(demo::WriteTestDisc(folder, testing::TwoDriversMenu()).Ok());
  fs::copy(fs::path(testing::BuildPath("stand-ins-payload")), root / "AUTORUN", fs::copy_options::recursive);
  fs::copy_file(fs::path(testing::BuildPath("Pikko.exe")), root / "AUTORUN" / "Pikko.exe");
  const std::string first = folder + "One\\Setup.exe", second = folder + "Two\\Setup.exe";
  for (const std::string& program : {first, second}) {
    fs::create_directories(fs::path(program).parent_path());
    fs::copy_file(fs::path(testing::BuildPath("stand-ins/SetupStub.exe")), fs::path(program));
  }
  Bitmap skin;
  ASSERT_TRUE(skin.LoadFromFile(folder + "pikko256.bmp"));

  // Where the window opens: it opens there every time.
  POINT client{0, 0};
  {
    Process menu = Start(folder, "debug");
    HWND window = WaitForMenuWindow(menu.id, 20000);
    ASSERT_NE(window, nullptr);
    ::ClientToScreen(window, &client);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(menu.process.Get(), 10000), WAIT_OBJECT_0);
  }
  // Rows are 30 pixels apart from 120, 18 high; the first one unfolded is
  // 36 high, and its focus mark runs along y 115 and 158; the second one's
  // would run along 144 and 172.
  const POINT rest{client.x + 200, client.y + 172};
  constexpr int kRuns = 24;
  for (int run = 0; run < kRuns; ++run) {
    const int before = StartsOf(first), beforeSecond = StartsOf(second);
    ::SetCursorPos(rest.x, rest.y);
    ::Sleep(100);
    Process menu = Start(folder, "debug");
    ASSERT_TRUE(menu.process);
    HWND window = WaitForMenuWindow(menu.id, 20000);
    ASSERT_NE(window, nullptr) << "run " << run;
    for (int i = 0; i < 5000 && ::GetForegroundWindow() != window; ++i) ::Sleep(1);
    ASSERT_EQ(::GetForegroundWindow(), window) << "run " << run << ": keys reach the menu";
    PressKey(VK_DOWN);
    ::Sleep(75);
    ::SetCursorPos(rest.x, rest.y);
    ::Sleep(75);
    PressKey(VK_RETURN);
    for (int i = 0; i < 100 && StartsOf(first) == before && StartsOf(second) == beforeSecond; ++i) ::Sleep(50);
    ::Sleep(300);  // a second start would have come by now
    EXPECT_EQ(StartsOf(first) - before, 1) << "run " << run << ": the first row's program";
    EXPECT_EQ(StartsOf(second) - beforeSecond, 0) << "run " << run << ": the second row's program";
    EXPECT_GE(MarkedShare(client, skin, 115, 150, 300), 0.3) << "run " << run << ": the mark on the first row";
    EXPECT_LE(MarkedShare(client, skin, 172, 150, 300), 0.05) << "run " << run << ": no mark on the second";
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(menu.process.Get(), 10000), WAIT_OBJECT_0);
  }
  std::error_code ignored;
  fs::remove_all(root, ignored);
}

}  // namespace
}  // namespace pikko
