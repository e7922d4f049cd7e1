#include "app/StartupTrace_win.h"

#include <windows.h>

#include <cstdio>

namespace pikko {
namespace {

ULONGLONG Ticks(const FILETIME& t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

bool Enabled() {
  static const bool enabled = ::GetEnvironmentVariableA("PIKKO_STARTUP_TRACE", nullptr, 0) > 0;
  return enabled;
}

}  // namespace

void StartupMark(const char* what) noexcept {
  if (!Enabled()) return;
  FILETIME created{}, exited{}, kernel{}, user{}, now{};
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  ::GetSystemTimeAsFileTime(&now);
  // File times count 100 ns steps.
  const double ms = static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0;
  std::fprintf(stderr, "startup %8.1f ms  %s\n", ms, what);
  std::fflush(stderr);
}

}  // namespace pikko
