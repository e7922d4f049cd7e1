// The one message the menu gives when it meets a fault it cannot go on from
// (a bad pointer, a stack overflow, an exception nobody catches): what
// failed and where, so that a tester's report names it.
#pragma once

#include <cstdint>
#include <string>

namespace pikko {

struct FaultReport {
  std::uint32_t code = 0;       // the system's exception code; 0: a C++ exception
  std::uint64_t address = 0;    // where it happened
  std::string module;           // the file that holds the address ("" unknown)
  std::uint64_t moduleBase = 0;
  // Access violations: 0 read, 1 write, 8 execute, and the address touched.
  int access = -1;
  std::uint64_t target = 0;
  std::string what;             // a C++ exception's own text
};

// "access violation", "stack overflow", ... or "exception 0x........".
std::string FaultName(std::uint32_t code);

// The whole message text, first line "Pikko.exe met an unexpected error and
// must close.".
std::string CrashMessage(const FaultReport& report);

}  // namespace pikko
