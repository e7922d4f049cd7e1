// pe_check: what a shipped Pikko.exe must be.
//   pe_check --imports <allowed list> <exe>...   only allowed system functions
//   pe_check --manifest <exe>...                 the embedded manifest, version and icon
//   pe_check --exports <list> [--32] <dll>...    the names the menu looks up, undecorated
// The allowed list names, one a line, "DLL!Function   Windows version",
// every function the builds import that has been checked to exist on that
// Windows; the oldest Windows the imports allow is the newest named there.
// Exit code 0 when every file passes, 1 otherwise.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "disccheck/PeFile.h"
#include "disccheck/ShippingChecks.h"

int main(int argc, char** argv) {
  using namespace pikko::disccheck;
  if (argc < 3) {
    std::cerr << "usage: pe_check --imports <allowed list> <exe>...\n"
                 "       pe_check --manifest <exe>...\n"
                 "       pe_check --exports <list> [--32] <dll>...\n";
    return 2;
  }
  const std::string mode = argv[1];
  int first = 2;
  std::string allowedText;
  bool want32Bit = false;
  if (mode == "--imports" || mode == "--exports") {
    std::ifstream in(argv[2]);
    if (!in || argc < 4) {
      std::cerr << "pe_check: cannot read " << argv[2] << "\n";
      return 2;
    }
    allowedText.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    first = 3;
    if (mode == "--exports" && first < argc && std::string(argv[first]) == "--32") {
      want32Bit = true;
      ++first;
    }
  } else if (mode != "--manifest") {
    std::cerr << "pe_check: unknown mode " << mode << "\n";
    return 2;
  }
  bool ok = true;
  for (int i = first; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto pe = PeFile::Parse(bytes);
    if (!pe) {
      std::cout << argv[i] << ": error: not a Windows program\n";
      ok = false;
      continue;
    }
    const std::string path = argv[i];
    const std::string fileName = path.substr(path.find_last_of("/\\") + 1);
    const ShippingReport report =
        mode == "--imports"   ? CheckImports(*pe, ParseAllowedImports(allowedText))
        : mode == "--exports" ? CheckExports(*pe, fileName, ParseRequiredExports(allowedText), want32Bit)
                              : CheckShippedResources(*pe);
    for (const std::string& problem : report.problems) std::cout << argv[i] << ": error: " << problem << "\n";
    for (const std::string& line : report.facts) std::cout << argv[i] << ": " << line << "\n";
    ok = ok && report.problems.empty();
  }
  return ok ? 0 : 1;
}
