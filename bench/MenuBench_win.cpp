// The menu's own work, timed in one process: loading menu files of 100,
// 10 000 and 100 000 items (the file read key by key through the system,
// and read once), and one hover move from row to row and one tab switch in
// the real window: time to the end of the repaint and the area repainted.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/Autorun3_win.h"
#include "demo/DemoDisc.h"
#include "platform/IniSnapshot.h"
#include "platform/Win32Ports.h"
#include "platform/fakes/FakePorts.h"
#include "tests/TempFolder.h"
#include "tests/win/WinTestSupport.h"
#include "toolkit/Application_win.h"

namespace {

using namespace pikko;

double Now() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

double Timed(const std::function<void()>& work) {
  const double start = Now();
  work();
  return Now() - start;
}

std::string MenuFile(int items) {
  std::string ini =
      "[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,English\r\n[TABS_INFO]\r\nNUM=3\r\nNOCONTACT=1\r\n"
      "TAB0=Drivers\r\nTAB1=Tools\r\nTAB2=More\r\n[BUTTONS]\r\nButton0=Report\r\n"
      "[SETUP_ITEM]\r\nCD_Title=Bench\r\nItemNumber=" + std::to_string(items) + "\r\n";
  for (int n = 1; n <= items; ++n) {
    const std::string k = "(" + std::to_string(n) + ")";
    ini += k + "Tab=" + std::to_string(n % 3) + "\r\n" + k + "Title=Item " + std::to_string(n) +
           "\r\n" + k + "Description=About item " + std::to_string(n) + "\r\n" + k +
           "Path=..\\Drivers\\D" + std::to_string(n) + "\r\n" + k + "Run=Setup.exe\r\n";
  }
  return ini;
}

void ConfigurationLoad(const testing::TempFolder& temp) {
  fakes::FakeMessageBoxes boxes;
  Ports ports = Win32Ports();
  ports.messages = &boxes;
  ScopedPorts scope(ports);
  for (int items : {100, 10000, 100000}) {
    const std::string file = temp.Write("menu" + std::to_string(items) + ".ini", MenuFile(items));
    auto load = [&] {
      MenuModel model;
      MenuColours colours;
      LoadMenuConfiguration(file, temp.Path().string() + "\\", nullptr, {}, model, colours);
    };
    // Key by key, the system parses the whole file for every key: past
    // 10 000 items that takes minutes, so it is not run there.
    const double plain = items <= 10000 ? Timed(load) : -1;
    double parse = 0;
    const double once = Timed([&] {
      const double start = Now();
      ScopedIniSnapshot snapshot(file);
      parse = Now() - start;
      load();
    });
    std::printf("config     %6d items  key by key ", items);
    if (plain >= 0) {
      std::printf("%9.1f ms (%6.2f us/item)", plain, 1000 * plain / items);
    } else {
      std::printf("%9s    %15s", "not run", "");
    }
    std::printf("  read once %7.1f ms (%5.2f us/item, reading the file %5.1f ms)", once,
                1000 * once / items, parse);
    if (plain >= 0) std::printf("  ratio %6.1fx", plain / once);
    std::printf("\n");
  }
}

// The area of the window that a step leaves to repaint, and the time until
// it has been repainted.
void Repaint(const char* name, TZkAutorunForm& form, const std::function<void()>& step) {
  form.Update();
  std::vector<double> times;
  long area = 0;
  for (int i = 0; i < 9; ++i) {
    const double start = Now();
    step();
    win::ScopedRegion pending(::CreateRectRgn(0, 0, 0, 0));
    ::GetUpdateRgn(form.Handle(), pending.Get(), FALSE);
    area = 0;
    DWORD bytes = ::GetRegionData(pending.Get(), 0, nullptr);
    std::vector<char> data(bytes);
    if (bytes && ::GetRegionData(pending.Get(), bytes, reinterpret_cast<RGNDATA*>(data.data()))) {
      const auto* rgn = reinterpret_cast<const RGNDATA*>(data.data());
      const auto* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
      for (DWORD r = 0; r < rgn->rdh.nCount; ++r)
        area += (rects[r].right - rects[r].left) * (rects[r].bottom - rects[r].top);
    }
    form.Update();
    ::GdiFlush();
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  std::printf("repaint    %-22s %7.2f ms  %7ld pixels repainted (of %d)\n", name, times[4], area,
              660 * 512);
}

void WindowSteps(const testing::TempFolder& temp, const std::string& binary) {
  const std::string program = temp.Path().string() + "\\AUTORUN\\";
  demo::WriteTestDisc(program, MenuFile(30));
  ::CopyFileA((binary + "\\stand-ins-payload\\pngio.dll").c_str(), (program + "pngio.dll").c_str(),
              FALSE);
  testing::ProgramInFolder folders(*Win32Ports().folders, program + "Pikko.exe");
  fakes::FakeMessageBoxes boxes;
  Ports ports = Win32Ports();
  ports.messages = &boxes;
  ports.folders = &folders;
  ScopedPorts scope(ports);
  win::ComInit com;
  StartOptions options;
  options.argumentText = "debug";
  std::unique_ptr<TZkAutorunForm> form = TZkAutorunForm::Create(options);
  if (!form || !form->Handle()) {
    std::printf("repaint    the window did not start\n");
    return;
  }
  Application::Instance().ProcessMessages();
  int row = 0;
  Repaint("hover to the next row", *form, [&] {
    row = (row + 1) % 5;
    const POINT p{form->ItemRows[row]->Left() + 40, form->ItemRows[row]->Top() + 8};
    ::SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  });
  int tab = 0;
  Repaint("tab switch", *form, [&] {
    tab = (tab + 1) % 3;
    form->imgTitle0Click(*form->TabImages[tab]);
  });
}

}  // namespace

int main(int argc, char** argv) {
  const std::string binary = argc > 1 ? argv[1] : ".";
  testing::TempFolder temp;
  ConfigurationLoad(temp);
  WindowSteps(temp, binary);
  return 0;
}
