// The companion program's choice: from the disc's master list of items it
// writes the menu configuration for the running system, with only the items
// that suit it, renumbered 1..N, the "Specified OS" record and the board.
//
// The master list ("BIN\MasterList.ini" in the program folder) is a menu
// configuration file of every item the disc carries, with four more keys
// per item, each a comma list of patterns ("*" matches any text, case does
// not matter, a leading "!" excludes; a missing or empty key admits all):
//
//   (n)Platforms   platform tags, e.g. WNT_6.1*, WNT_6.2P_64, !WNT_5.*
//   (n)Languages   language tags, e.g. English, Japanese
//   (n)Boards      board models (SMBIOS), e.g. EX-M1000*
//   (n)CpuMakers   processor makers, e.g. Intel, AMD
//
// and a section [OS_Language_Tag] that names the language tag of each
// system language code (0409=English, 09=English; English when none fits).
#pragma once

#include <string>
#include <vector>

#include "stand-ins/formats/Smbios.h"

namespace pikko::companion {

inline constexpr char kMasterList[] = "BIN\\MasterList.ini";
inline constexpr char kMenuFileName[] = "Zkcd_tmp.ini";
// The item keys only the companion reads.
inline constexpr const char* kFilterKeys[] = {"Platforms", "Languages", "Boards", "CpuMakers"};

struct SystemFacts {
  std::string platformTag;   // WNT_6.2P_64
  std::string languageCode;  // 0409
  std::string board;         // the board model, from SMBIOS
  std::string cpuMaker;      // Intel, AMD, ... from SMBIOS
};

// "*" matches any run of characters; without regard to ASCII case.
bool PatternMatches(const std::string& pattern, const std::string& text);
// A comma list of patterns admits the value: no pattern admits all; a value
// that matches a "!" pattern is refused; otherwise, when the list has
// positive patterns, one of them must match.
bool ListAdmits(const std::string& list, const std::string& value);

// The board and the processor maker of an SMBIOS table: the baseboard's
// product (the system's product when the firmware leaves it blank), and the
// first processor's maker shortened to "Intel" or "AMD" when it is one of
// them ("GenuineIntel", "Intel(R) Corporation", "AuthenticAMD" ...).
void FactsFromSmbios(const SmbiosTable& table, SystemFacts& facts);
std::string CpuMakerName(const std::string& manufacturer);

// The language tag for the system language code from the master list's
// [OS_Language_Tag] (four digits, then the last two), "English" when none.
std::string LanguageTagFor(const std::string& masterList, const std::string& languageCode);

struct MenuFile {
  std::string text;                // the whole file, CR LF line ends
  std::vector<int> sourceNumbers;  // item k of the file is item sourceNumbers[k - 1] of the list
  std::string language;            // the language tag written into "Specified OS"
};

// Builds the menu configuration from the master list (read through the INI
// port) for the system. Every section is copied but [PLATFORM], [DMI_Info]
// and [OS_Language_Tag]; in [SETUP_ITEM] the items that suit are renumbered
// from 1 in list order and "ItemNumber" becomes their count.
MenuFile BuildMenuFile(const std::string& masterList, const SystemFacts& facts);

// Whether item n of the master list suits the system (reads its four keys).
bool ItemSuits(const std::string& masterList, int n, const SystemFacts& facts,
               const std::string& language);

}  // namespace pikko::companion
