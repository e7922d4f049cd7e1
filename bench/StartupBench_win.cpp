// Start to first paint: the menu on the demo disc against a bare window,
// started alternately under one Wine server. The clock runs from the start
// of the process until its window shows painted pixels on the screen.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Found {
  DWORD pid;
  HWND window;
  bool messageBox;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner == f->pid && ::IsWindowVisible(hwnd)) {
    // A message box is not the program's window: the run measures nothing.
    char name[16] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    f->messageBox = std::strcmp(name, "#32770") == 0;
    f->window = hwnd;
    return FALSE;
  }
  return TRUE;
}

double Now() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Milliseconds until the window of the started program shows something other
// than the black screen at its middle; -1 when it never does or shows a
// message box instead.
double StartToFirstPaint(const std::string& program, const std::string& folder,
                         const std::string& arguments) {
  std::string command = "\"" + program + "\" " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double start = Now();
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi))
    return -1;
  double painted = -1;
  HDC screen = ::GetDC(nullptr);
  while (Now() - start < 20000) {
    Found found{pi.dwProcessId, nullptr, false};
    ::EnumWindows(&Match, reinterpret_cast<LPARAM>(&found));
    if (found.messageBox) {
      std::fprintf(stderr, "startup_bench: %s showed a message box, not its window\n", program.c_str());
      ::PostMessageA(found.window, WM_CLOSE, 0, 0);
      ::TerminateProcess(pi.hProcess, 1);
      break;
    }
    if (found.window) {
      RECT r;
      ::GetWindowRect(found.window, &r);
      const COLORREF c = ::GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
      if (c != RGB(0, 0, 0) && c != CLR_INVALID) {
        painted = Now() - start;
        ::PostMessageA(found.window, WM_CLOSE, 0, 0);
        break;
      }
    }
    ::Sleep(1);
  }
  ::ReleaseDC(nullptr, screen);
  if (::WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
  ::WaitForSingleObject(pi.hProcess, 5000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return painted;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench <bare.exe> <disc folder> [runs]\n");
    return 1;
  }
  const std::string bare = argv[1], disc = argv[2];
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;
  std::vector<double> bareTimes, menuTimes;
  // One warm-up of each, then alternating runs.
  StartToFirstPaint(bare, disc, "");
  StartToFirstPaint(disc + "\\Pikko.exe", disc, "debug");
  for (int i = 0; i < runs; ++i) {
    bareTimes.push_back(StartToFirstPaint(bare, disc, ""));
    menuTimes.push_back(StartToFirstPaint(disc + "\\Pikko.exe", disc, "debug"));
  }
  for (const auto* times : {&bareTimes, &menuTimes}) {
    if (std::find(times->begin(), times->end(), -1.0) != times->end()) {
      std::printf("start-up   first paint: a program did not paint its window (see above)\n");
      return 0;
    }
  }
  const double b = Median(bareTimes), m = Median(menuTimes);
  std::printf("start-up   first paint (median of %d)  bare window %7.1f ms  menu %7.1f ms  ratio %5.2fx\n",
              runs, b, m, b > 0 ? m / b : 0.0);
  return 0;
}
