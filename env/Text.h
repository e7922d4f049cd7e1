// Small text helpers over narrow strings in the system code page. Case rules
// are those of ASCII, as the menu only compares ASCII names and keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/AsciiCase.h"  // AsciiLower, LowerCase, SameText

namespace pikko {

std::string UpperCase(std::string_view s);
bool StartsWithText(std::string_view s, std::string_view prefix);  // without regard to case
bool EndsWithText(std::string_view s, std::string_view suffix);    // without regard to case

// Removes leading and trailing blanks and control characters.
std::string Trim(std::string_view s);

// Replaces every occurrence of from by to.
std::string ReplaceAll(std::string s, std::string_view from, std::string_view to);

// The last component of a path (after the last backslash or slash), its
// bytes scanned as single-byte characters.
std::string ExtractFileName(std::string_view path);
// The folder of a path, with its trailing backslash; empty without one.
std::string ExtractFilePath(std::string_view path);

// Double-byte characters. In the system code pages 932 (Japanese), 936
// (Simplified Chinese), 949 (Korean) and 950 (Traditional Chinese) a lead
// byte and the byte after it are one character, and that trail byte may be
// a backslash (the Shift-JIS character 0x95 0x5C, "table"); other code
// pages have no lead bytes. A lead byte at the very end stands alone.
bool IsLeadByte(unsigned codePage, char byte);
// The position of the last backslash that is a character of its own, not
// the trail byte of a double-byte character; npos when there is none.
std::size_t LastBackslash(std::string_view path, unsigned codePage);
// ExtractFileName and ExtractFilePath over text in the code page.
std::string ExtractFileName(std::string_view path, unsigned codePage);
std::string ExtractFilePath(std::string_view path, unsigned codePage);

// The one integer conversion of the disc's files: leading blanks, then an
// optional sign and decimal digits, or "$", "x", "X", "0x", "0X" and
// hexadecimal digits. Anything else, and a value that does not fit 32 bits,
// yields def.
int StrToIntDef(std::string_view text, int def);

// Upper-case hexadecimal digits of value without a prefix, zeros in front
// up to minDigits (at most 16): HexDigits(0x409, 4) is "0409".
std::string HexDigits(std::uint64_t value, int minDigits);

// The number in a name the menu's files number their entries by, a prefix
// and decimal digits ("Tab3", "Page12", "(7)Title"): the prefix compares
// without regard to case; then one to ten digits, without sign and without
// a leading zero (a lone "0" is 0), at most 2147483647. What follows the
// digits goes to rest; without rest the digits must end the name. Nothing
// for any other name.
std::optional<int> NumberAfterPrefix(std::string_view name, std::string_view prefix,
                                     std::string_view* rest = nullptr);

}  // namespace pikko
