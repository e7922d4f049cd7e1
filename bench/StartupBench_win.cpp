// Start to first paint: the menu on each disc given against a bare window of
// the same build, started in turn under one Wine server. The clock runs from
// the start of the process until its window shows painted pixels on the
// screen. Prints one line a program: "first-paint <label> <ms> <ratio>".
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
  while (Now() - start < 60000) {
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
  if (argc < 5 || (argc - 3) % 2 != 0) {
    std::fprintf(stderr, "usage: startup_bench <bare.exe> <runs> <label> <disc folder> ...\n");
    return 1;
  }
  const std::string bare = argv[1];
  const int runs = std::max(1, std::atoi(argv[2]));
  struct Disc {
    std::string label, folder;
    std::vector<double> times;
  };
  std::vector<Disc> discs;
  for (int i = 3; i + 1 < argc; i += 2) discs.push_back({argv[i], argv[i + 1], {}});
  std::vector<double> bareTimes;
  // One warm-up of each, then the programs in turn, round after round.
  StartToFirstPaint(bare, discs[0].folder, "");
  for (const Disc& d : discs) StartToFirstPaint(d.folder + "\\Pikko.exe", d.folder, "debug");
  for (int i = 0; i < runs; ++i) {
    bareTimes.push_back(StartToFirstPaint(bare, discs[0].folder, ""));
    for (Disc& d : discs) d.times.push_back(StartToFirstPaint(d.folder + "\\Pikko.exe", d.folder, "debug"));
  }
  const double b = Median(bareTimes);
  std::printf("first-paint %-14s %8.1f %6.2f\n", "bare-window", b, 1.0);
  for (const Disc& d : discs) {
    if (std::find(d.times.begin(), d.times.end(), -1.0) != d.times.end()) {
      std::printf("first-paint %-14s %8s %6s\n", d.label.c_str(), "none", "-");
      continue;
    }
    const double m = Median(d.times);
    std::printf("first-paint %-14s %8.1f %6.2f\n", d.label.c_str(), m, b > 0 ? m / b : 0.0);
  }
  return 0;
}
