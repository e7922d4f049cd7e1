#include "promotion/ProductProbe.h"

#include "env/Text.h"
#include "platform/Ports.h"

namespace pikko {

bool ProbeReportsProduct(const std::string& dllName) {
  if (dllName.empty()) return false;
  // Only the program's own folder is searched. Without a program file name
  // there is no such folder, and the bare name would go through the system's
  // search path: answer no instead.
  const std::string folder = ExtractFilePath(Folders().ProgramFileName());
  if (folder.empty()) return false;
  void* library = Libraries().Load(folder + dllName);
  if (library == nullptr) return false;
  const auto probe = reinterpret_cast<ZekaIoControlProc>(Libraries().Symbol(library, kProbeExport));
  if (probe == nullptr) return false;
  std::uint32_t status = 0;
  std::uint8_t flag = 0;
  return probe(0, 0, 0, 0, 0, &status, &flag) == 1;
}

}  // namespace pikko
