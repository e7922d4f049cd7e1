// Lays out the demo support disc.
//   make_demo_disc <AUTORUN folder>       the menu's files in the program folder
//   make_demo_disc --file-list <disc>     FILELIST.TXT of everything on the disc
//   make_demo_disc --stubs <stub.exe> <AUTORUN folder>
//                                         the stub as every item's setup program
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "demo/AppIcon.h"
#include "demo/DemoDisc.h"

int main(int argc, char** argv) {
  using namespace pikko::demo;
  const std::string usage =
      "usage: make_demo_disc <AUTORUN folder>\n"
      "       make_demo_disc --file-list <disc folder>\n"
      "       make_demo_disc --stubs <stub.exe> <AUTORUN folder>\n";
  if (argc == 3 && std::string(argv[1]) == "--file-list") {
    const WriteOutcome out = WriteFileList(argv[2]);
    if (!out) std::fprintf(stderr, "make_demo_disc: cannot write %s\n", out.failedFile.c_str());
    return out ? 0 : 1;
  }
  // make_demo_disc --icon <file>: the menu's icon (app/Pikko.ico).
  if (argc == 3 && std::string(argv[1]) == "--icon") {
    std::ofstream out(argv[2], std::ios::binary);
    out << EncodeAppIcon();
    return out ? 0 : 1;
  }
  if (argc == 4 && std::string(argv[1]) == "--stubs") {
    std::ifstream in(argv[2], std::ios::binary);
    const std::string stub((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (stub.empty()) {
      std::fprintf(stderr, "make_demo_disc: cannot read %s\n", argv[2]);
      return 1;
    }
    const WriteOutcome out = PlaceSetupStubs(argv[3], stub);
    if (!out) std::fprintf(stderr, "make_demo_disc: cannot write %s\n", out.failedFile.c_str());
    return out ? 0 : 1;
  }
  if (argc != 2 || argv[1][0] == '-') {
    std::fputs(usage.c_str(), stderr);
    return 2;
  }
  const WriteOutcome out = WriteDemoDisc(argv[1]);
  if (!out) {
    std::fprintf(stderr, "make_demo_disc: cannot write %s\n", out.failedFile.c_str());
    return 1;
  }
  std::printf("demo disc laid out in %s\n", argv[1]);
  return 0;
}
