#include "Component/ZkBrick_win.h"

namespace pikko {

ZkBrick::ZkBrick(std::string name) : ZkCustomControl(std::move(name), true, 3), appearance_(*this, 0) {}

}  // namespace pikko
