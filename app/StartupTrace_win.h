// A start-up trace of our own: with PIKKO_STARTUP_TRACE set in the
// environment, each mark prints the milliseconds since the process was
// created and what has just been done, to the standard error. Without it a
// mark costs one check.
#pragma once

namespace pikko {

void StartupMark(const char* what) noexcept;

}  // namespace pikko
