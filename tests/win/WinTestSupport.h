// What the Windows tests share: the build folder as a Windows path, and the
// folders port with the program's own file (and optionally the Windows
// folder) moved into a test's disc.
#pragma once

#include <string>
#include <utility>

#include "platform/Ports.h"

namespace pikko::testing {

// A file or folder below the build folder, as this Windows program sees it:
// Wine maps the Linux root to drive Z:.
inline std::string BuildPath(const std::string& relative) {
  std::string path = std::string(PIKKO_BINARY_DIR) + "/" + relative;
  if (path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// The real folders, except the running program's file name and, when one is
// given, the Windows folder.
class ProgramInFolder final : public FoldersPort {
 public:
  ProgramInFolder(FoldersPort& real, std::string program, std::string windows = {})
      : real_(real), program_(std::move(program)), windows_(std::move(windows)) {}
  std::string WindowsDirectory(unsigned room) override {
    if (windows_.empty()) return real_.WindowsDirectory(room);
    return windows_.size() < room ? windows_ : std::string();
  }
  std::string TempDirectory() override { return real_.TempDirectory(); }
  std::string ProgramFileName() override { return program_; }

 private:
  FoldersPort& real_;
  std::string program_;
  std::string windows_;
};

}  // namespace pikko::testing
