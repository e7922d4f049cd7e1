#include "actions/ExceptionModel.h"

#include "env/Text.h"
#include "platform/Ports.h"

namespace pikko {

bool IsExceptionModel(const std::string& programFolder, const std::string& productName,
                      const std::string& cpuMaker) {
  const std::string file = programFolder + "ExceptionModel.ini";
  if (!Files().FileExists(file)) return false;
  const int count = StrToIntDef(Ini().ReadString(file, cpuMaker, "Num", ""), 0);
  // A disc file cannot list more models than it has keys; a huge count is
  // read only as far as a sane list goes.
  constexpr int kMostModels = 10000;
  for (int i = 1; i <= count && i <= kMostModels; ++i) {
    if (Ini().ReadString(file, cpuMaker, "Model" + std::to_string(i), "") == productName) return true;
  }
  return false;
}

}  // namespace pikko
