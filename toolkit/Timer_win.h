// A timer that calls its handler on the GUI thread.
#pragma once

#include <windows.h>

#include <functional>

namespace pikko {

class Timer {
 public:
  Timer() = default;
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  void SetInterval(unsigned ms);
  void SetEnabled(bool on);
  bool Enabled() const { return enabled_; }
  std::function<void()> OnTimer;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) noexcept;
  void Restart();
  unsigned interval_ = 1000;
  bool enabled_ = false;
  UINT_PTR id_ = 0;
};

}  // namespace pikko
