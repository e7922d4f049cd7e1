// The menu's items as the disc's menu file lists them, which the actions
// start and the window shows, and the caption of the menu's messages. The
// menu configuration loader (app/MenuConfig.h) fills them.
#pragma once

#include <string>
#include <vector>

namespace pikko {

// Caption of every message box of the program.
inline constexpr char kMenuMessageCaption[] = "AutoRun - Pikko.exe";

struct SetupItem {
  int Number = 0;
  std::string Title, Description, AdPage, ManualPath;
};

struct MenuTab {
  std::string Caption;
  std::vector<SetupItem> Items;  // ascending Number
  int FullkitItem = -1;          // Number of the tab's batch-install item, -1: none
};

}  // namespace pikko
