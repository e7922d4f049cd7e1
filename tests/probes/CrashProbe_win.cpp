// A program that installs the menu's crash reporting and then fails as it
// is told on its command line: "fault" (a write through a null pointer),
// "overflow" (a stack overflow), "throw" (a C++ exception nobody catches),
// "twice" (two threads faulting at once).
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "app/CrashReport_win.h"

namespace {

volatile int* volatile nowhere = nullptr;

void Fault() { *nowhere = 1; }

int Deeper(int n) {
  volatile char room[4096];
  room[0] = static_cast<char>(n);
  return Deeper(n + 1) + room[0];
}

DWORD WINAPI FaultThread(void*) {
  ::Sleep(50);
  Fault();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  pikko::InstallCrashReporting();
  const char* how = arguments ? arguments : "";
  if (std::strstr(how, "overflow")) return Deeper(0);
  if (std::strstr(how, "throw")) throw std::runtime_error("the probe's own exception");
  if (std::strstr(how, "twice")) {
    ::CreateThread(nullptr, 0, &FaultThread, nullptr, 0, nullptr);
    ::CreateThread(nullptr, 0, &FaultThread, nullptr, 0, nullptr);
    ::Sleep(INFINITE);
  }
  Fault();
  return 0;
}
