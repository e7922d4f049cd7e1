#pragma once

#include "platform/Ports.h"

namespace pikko {

// The real adapters, one process-wide instance of each.
Ports Win32Ports();

// The adapters Win32Ports installs for the manuals and the side buttons.
ClassesRootPort& Win32ClassesRegistry();
ProcessPort& Win32Processes();
ShellExtendedPort& Win32ShellExtended();
FileWritePort& Win32FileWrites();
BatchTextPort& Win32BatchText();

}  // namespace pikko
