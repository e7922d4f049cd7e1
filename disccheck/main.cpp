// disccheck <disc folder>: checks a support disc the way the menu reads it.
// The disc folder holds Pikko.exe and its files; its parent is the disc's
// root. Prints one diagnostic a line (file:line: error|warning: text) and
// exits with 1 when there are errors, 0 otherwise (2 for a wrong call).
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "disccheck/DiscChecker.h"

namespace pikko::disccheck {
// The measurer of this build: GDI on Windows, the committed table elsewhere.
std::unique_ptr<TextMeasurer> MakeMeasurer();
}  // namespace pikko::disccheck

int main(int argc, char** argv) {
  using namespace pikko::disccheck;
  bool notes = false, werror = false;
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--notes") {
      notes = true;
    } else if (arg == "--werror") {
      werror = true;
    } else if (arg == "-h" || arg == "--help" || (!arg.empty() && arg[0] == '-') || !folder.empty()) {
      std::cerr << "usage: disccheck [--notes] [--werror] <disc folder>\n"
                   "  the disc folder holds Pikko.exe; its parent is the disc's root\n"
                   "  --notes   also print notes (what the menu does on purpose)\n"
                   "  --werror  exit with 1 on warnings too\n";
      return 2;
    } else {
      folder = arg;
    }
  }
  if (folder.empty()) {
    std::cerr << "usage: disccheck [--notes] [--werror] <disc folder>\n";
    return 2;
  }
  const std::unique_ptr<TextMeasurer> measurer = MakeMeasurer();
  const Findings findings = CheckDisc({folder, measurer.get()});
  findings.Print(std::cout, notes);
  const int errors = findings.Count(Severity::Error);
  const int warnings = findings.Count(Severity::Warning);
  std::cerr << "disccheck: " << errors << " error(s), " << warnings << " warning(s), "
            << findings.Count(Severity::Note) << " note(s)\n";
  return errors > 0 || (werror && warnings > 0) ? 1 : 0;
}
