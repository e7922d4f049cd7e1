// The libFuzzer program: one program for every target, the target named by
// the environment variable PIKKO_FUZZ_TARGET (scripts/fuzz.sh sets it).
#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzTargets.h"
#include "platform/Assert.h"

namespace {

const pikko::fuzz::FuzzTarget* chosen = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  const char* name = std::getenv("PIKKO_FUZZ_TARGET");
  chosen = name == nullptr ? nullptr : pikko::fuzz::FindTarget(name);
  if (chosen == nullptr) {
    std::fprintf(stderr, "pikko_fuzz: set PIKKO_FUZZ_TARGET to one of:");
    for (const pikko::fuzz::FuzzTarget& t : pikko::fuzz::AllTargets())
      std::fprintf(stderr, " %s", t.name);
    std::fprintf(stderr, "\n");
    std::exit(2);
  }
  // A failed check ends the program without the exit handlers, where
  // libFuzzer would not see it: abort instead, which it reports with the input.
  pikko::SetAssertionHandler([](const pikko::AssertionFailure& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    std::abort();
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    chosen->run(data, size);
  } catch (const pikko::fuzz::OracleFailure& failure) {
    std::fprintf(stderr, "fuzz target %s: %s\n", chosen->name, failure.what());
    std::abort();
  }
  // Anything else thrown leaves uncaught and ends the program: a crash too.
  return 0;
}
