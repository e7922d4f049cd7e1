// The menu configuration: the INI file the disc's companion program prepares
// for the running system ("Zkcd_tmp.ini" in the Windows folder, or
// "zkcd_dbg.ini" beside the program in debug mode), and the menu model read
// from it. Loading decides everything the file says; the window then builds
// its tab bar, rows and buttons from the model.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "actions/MenuItems.h"  // SetupItem, MenuTab, kMenuMessageCaption
#include "platform/Ports.h"
#include "toolkit/Pixels.h"

namespace pikko {

// The tab bar has six places.
constexpr int kMaxTabs = 6;
// Items a page of the list shows, one a row.
constexpr int kRowsPerPage = 10;
constexpr int kSideButtons = 5;
// Side buttons are 50 pixels wide with 5 pixels between them.
constexpr int kSideButtonWidth = 50;
constexpr int kSideButtonGap = 5;
// A tab caption wider than its 95-pixel label wraps onto two lines.
constexpr int kTabCaptionWidth = 95;

struct MenuColours {
  TColor ItemColorUp = 0, ItemColorMove = 0, ItemColorDown = 0, TabColorUp = 0, TabColorDown = 0;
  std::optional<TColor> Description, WindowCaption;  // set only when the file gives them
};

// Everything LoadMenuConfiguration reads.
struct MenuModel {
  std::string Language = "English", ProductName, CpuMaker;
  bool ExceptionModel = false;
  int TabCount = 0;
  bool NoContact = false;
  std::string NoItemText;
  std::array<std::string, kSideButtons> ButtonTexts;
  std::array<bool, kSideButtons> ButtonShown{};
  std::array<int, kSideButtons> ButtonShift{};   // pixels each side button moves left
  std::array<bool, kMaxTabs> TabCaptionWraps{};  // caption wider than 95 px: two lines
  std::string FontName;                          // empty: keep the rows' font
  int FontSize = -1;                             // points; -1: keep
  bool HasCdTitle = false;                       // "CD_Title" present (even empty)
  std::string CdTitle;
  std::string CdDescription;
  int ItemNumber = 0;
  bool SupportFullkit = false;
  std::vector<MenuTab> Tabs;
};

// What loading asks of other parts of the menu. An empty function answers
// "nothing": no exception model, no manuals, every caption fits.
struct MenuConfigSeams {
  std::function<bool(const std::string& product, const std::string& cpuMaker)> isExceptionModel;
  std::function<void(const std::string& discFolder, const std::string& settingsFile)> openManuals;
  std::function<bool(const std::string& manualKey)> hasManual;
  std::function<int(const std::string& caption)> measureTabCaption;  // px in the tab caption font
};

// programFolder ends with a backslash (one is added when it does not).
std::string MenuConfigPath(bool debugMode, const std::string& programFolder);

// Reads the file into model and colours (colours hold the start values on
// entry). Shows every message of the loader (caption "AutoRun - Pikko.exe",
// owner given). Returns false after a fatal message: the caller ends the
// application and shows no menu.
bool LoadMenuConfiguration(const std::string& path, const std::string& programFolder,
                           WindowHandle owner, const MenuConfigSeams& seams, MenuModel& model,
                           MenuColours& colours);

// The disc folder: the parent of the program folder, with its trailing
// backslash. A program at the root of the disc has no parent; the root is
// then the disc folder.
std::string DiscFolder(const std::string& programFolder);

// A [COLORS] value "R,G,B" as 0x00BBGGRR; -1 for an empty text, -2 when it
// is not three items, -3 when an item is not a component 0..255.
int ParseRgb(const std::string& text);

// Every "@@" becomes a line feed, scanning left to right.
std::string ExpandLineBreaks(const std::string& text);

// The key of item n in [SETUP_ITEM]: ItemKey(12, "Title") is "(12)Title".
std::string ItemKey(int n, const char* suffix);

}  // namespace pikko
