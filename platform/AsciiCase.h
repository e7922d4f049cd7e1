// The one case rule of the names the system compares without regard to
// case (files, INI sections and keys, libraries): that of ASCII, the only
// letters the menu's names use. The text helpers (env/Text.h) build on it.
#pragma once

#include <string>
#include <string_view>

namespace pikko {

char AsciiLower(char c);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);

}  // namespace pikko
