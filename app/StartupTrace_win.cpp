#include "app/StartupTrace_win.h"

namespace pikko {
namespace {

StartupTracer tracer = nullptr;

}  // namespace

void SetStartupTracer(StartupTracer t) noexcept { tracer = t; }

void StartupMark(const char* what) noexcept {
  if (tracer) tracer(what);
}

}  // namespace pikko
