// The window classes of the program's own child windows: registered once,
// for the module this code is linked into (the exe today, a DLL tomorrow).
#pragma once

#include <windows.h>

namespace pikko {

HINSTANCE ThisModule() noexcept;

// Registers a class with the arrow cursor unless it exists already; true
// when the class can be used. The background brush is not freed (pass a
// system brush or null).
bool RegisterWindowClass(const char* name, WNDPROC proc, UINT style, HBRUSH background) noexcept;

}  // namespace pikko
