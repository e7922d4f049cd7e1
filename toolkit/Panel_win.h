// A plain windowed container with a background colour.
#pragma once

#include "toolkit/WindowedControl_win.h"

namespace pikko {

class Panel : public WindowedControl {
 public:
  explicit Panel(std::string name) : WindowedControl(std::move(name)) {}
};

}  // namespace pikko
