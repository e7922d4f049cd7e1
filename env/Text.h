// Small text helpers over narrow strings in the system code page. Case rules
// are those of ASCII, as the menu only compares ASCII names and keys.
#pragma once

#include <string>
#include <string_view>

namespace pikko {

char AsciiLower(char c);
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
bool StartsWithText(std::string_view s, std::string_view prefix);  // without regard to case
bool EndsWithText(std::string_view s, std::string_view suffix);    // without regard to case

// Removes leading and trailing blanks and control characters.
std::string Trim(std::string_view s);
std::string TrimRight(std::string_view s);

// Replaces every occurrence of from by to.
std::string ReplaceAll(std::string s, std::string_view from, std::string_view to);

// The last component of a path (after the last backslash or slash).
std::string ExtractFileName(std::string_view path);
// The folder of a path, with its trailing backslash; empty without one.
std::string ExtractFilePath(std::string_view path);

// The one integer conversion of the disc's files: leading blanks, then an
// optional sign and decimal digits, or "$", "x", "X", "0x", "0X" and
// hexadecimal digits. Anything else, and a value that does not fit 32 bits,
// yields def.
int StrToIntDef(std::string_view text, int def);

}  // namespace pikko
