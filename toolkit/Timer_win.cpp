#include "toolkit/Timer_win.h"

#include <map>

#include "toolkit/Application_win.h"

namespace pikko {
namespace {

// Thread timers carry no user data: the id finds its owner.
std::map<UINT_PTR, Timer*>& Timers() {
  static std::map<UINT_PTR, Timer*> timers;
  return timers;
}

}  // namespace

Timer::~Timer() { SetEnabled(false); }

void Timer::SetInterval(unsigned ms) {
  interval_ = ms;
  if (enabled_) Restart();
}

void Timer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Restart();
}

void Timer::Restart() {
  if (id_) {
    ::KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
  }
  if (enabled_ && interval_ > 0) {
    id_ = ::SetTimer(nullptr, 0, interval_, &Tick);
    if (id_) Timers()[id_] = this;
  }
}

void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD) noexcept {
  const auto it = Timers().find(id);
  if (it == Timers().end() || !it->second->OnTimer) return;
  try {
    it->second->OnTimer();
  } catch (const std::exception& e) {
    Application::Instance().ShowException(e.what());
  } catch (...) {
    Application::Instance().ShowException("Unknown error");
  }
}

}  // namespace pikko
