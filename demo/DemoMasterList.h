// The demo disc's start through the companion program: the master list of
// every item with the systems it suits ("AUTORUN\BIN\MasterList.ini", read by
// stand-ins/Companion.cpp) and the disc root's "autorun.inf".
#pragma once

#include <string>
#include <vector>

namespace pikko::demo {

// The demo menu's items with the platforms, languages, boards and processor
// makers they suit, and three more items for systems other than a current
// Windows in English (XP only, Japanese only, Windows 7 64-bit only).
std::string DemoMasterListIni();

// Titles of the items the master list adds for other systems.
const std::vector<std::string>& OtherSystemsTitles();

// open= the companion program, icon= the menu's icon, label= the disc's name.
std::string AutorunInf();

inline constexpr const char* kCompanionProgram = "Companion.exe";

}  // namespace pikko::demo
