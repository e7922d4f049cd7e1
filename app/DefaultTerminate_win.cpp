// The runtime's default terminate handler, replaced in Pikko.exe alone.
//
// The runtime's own prints the type of the exception, demangled, to the
// standard error stream before it aborts: the menu is a window program with
// no console to show it, and the demangler it needs is about 50 KB of the
// 32-bit exe. The menu installs its crash reporting (std::set_terminate)
// before anything else it does, so this one ends only a terminate that comes
// before that, or after a std::set_terminate(nullptr): it aborts, as the
// runtime built without its verbose handler does. The tests keep the
// runtime's handler and its message.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
