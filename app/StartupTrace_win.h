// Marks of the menu's start-up: each names what has just been done. The
// shipped program marks nothing (a mark costs one check); the benchmarks'
// build of it (PikkoTraced.exe) installs a tracer that times and counts.
#pragma once

namespace pikko {

using StartupTracer = void (*)(const char* what) noexcept;

void SetStartupTracer(StartupTracer tracer) noexcept;
void StartupMark(const char* what) noexcept;

// The benchmarks' tracer (bench/StartupTracer_win.cpp), in PikkoTraced.exe
// only.
void InstallStartupTracer() noexcept;

}  // namespace pikko
