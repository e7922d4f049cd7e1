// Board models listed as exceptions in the disc's "ExceptionModel.ini": on
// those the first two tabs show a notice instead of the batch-install button.
#pragma once

#include <string>

namespace pikko {

// True when the board model is listed (exact, case-sensitive) under the
// processor maker's section of programFolder + "ExceptionModel.ini".
bool IsExceptionModel(const std::string& programFolder, const std::string& productName,
                      const std::string& cpuMaker);

}  // namespace pikko
