// Ends the menu with one clear message on a fault nobody handles: a system
// exception reaching the top of any thread, or a C++ exception that escapes
// (std::terminate). Exactly one box, whatever follows, then the process ends
// with the fault's code.
#pragma once

namespace pikko {

void InstallCrashReporting() noexcept;

}  // namespace pikko
