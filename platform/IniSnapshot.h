// One INI file read once and answered from memory while it is "open": the
// menu file holds a key per item and property, and the platform's profile
// functions parse the whole file again for every key, which makes a large
// file take minutes. While a snapshot lives, every read of its file through
// Ini() is answered from the parsed file (same rules as the platform's:
// the portable reader is held to them by the contract table); other files
// go to the port that was in force. Files with a byte-order mark are left to
// that port, which knows their encodings.
#pragma once

#include <memory>
#include <string>

#include "platform/IniReader.h"
#include "platform/Ports.h"

namespace pikko {

class ScopedIniSnapshot {
 public:
  explicit ScopedIniSnapshot(std::string file);
  ~ScopedIniSnapshot();
  ScopedIniSnapshot(const ScopedIniSnapshot&) = delete;
  ScopedIniSnapshot& operator=(const ScopedIniSnapshot&) = delete;
  // False when the file is answered by the port in force (it has a byte
  // order mark).
  bool Active() const { return port_ != nullptr; }

 private:
  class Port;
  std::unique_ptr<Port> port_;
  IniPort* saved_ = nullptr;
};

}  // namespace pikko
