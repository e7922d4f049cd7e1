// disccheck: reads a disc folder (the folder of Pikko.exe; its parent is the
// disc's root) through the menu's own loaders and reports what the menu
// would show or miss, as compiler-style diagnostics.
#pragma once

#include <string>
#include <vector>

#include "disccheck/Findings.h"
#include "disccheck/TextMetrics.h"

namespace pikko::disccheck {

struct CheckOptions {
  std::string discFolder;                 // the program folder, as the user names it
  const TextMeasurer* measurer = nullptr;  // null: no title or description is measured
};

Findings CheckDisc(const CheckOptions& options);

// The texts the menu passes through the translation library.
const std::vector<std::string>& TranslatedTexts();

}  // namespace pikko::disccheck
