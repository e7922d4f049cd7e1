#pragma once

#include "platform/Ports.h"

namespace pikko {

// The real adapters, one process-wide instance of each.
Ports Win32Ports();

}  // namespace pikko
