// The vendor advertisements of a disc: "VendorAD\VendorAD.ini" beside the
// program switches the menu to advertisement mode, in which the first tabs
// show a full advertisement page with an "Install Now" button instead of
// their items, and items may show a small page of their own on hover.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "actions/MenuItems.h"
#include "platform/Ports.h"

namespace pikko {

inline constexpr char kVendorAdFile[] = "VendorAD\\VendorAD.ini";
inline constexpr char kVendorAdCaption[] = "ADVendor.ini";
// What a "Tab" key reads as when it is missing.
inline constexpr char kMissingAdTabMarker[] = "-=&";

// The "Install Now" button's pictures, in the order they are loaded.
enum class InstallPicture { Focused, Raised, Sunken };
struct InstallPictureFile {
  InstallPicture state;
  const char* file;  // relative to the program folder
};
inline constexpr InstallPictureFile kInstallPictures[] = {
    {InstallPicture::Focused, "VendorAD\\install_o.bmp"},
    {InstallPicture::Raised, "VendorAD\\install_n.bmp"},
    {InstallPicture::Sunken, "VendorAD\\install_d.bmp"},
};

// What loading asks of the window.
struct VendorAdSeams {
  // Hides the description label when the mode starts.
  std::function<void()> hideDescription;
  // Loads a picture (full path) into the "Install Now" button; false when it
  // cannot be read.
  std::function<bool(InstallPicture state, const std::string& file)> loadInstallPicture;
};

struct VendorAds {
  bool VendorAdMode = false;
  // Full page paths; entry i belongs to the tab of index i.
  std::vector<std::string> AdPages;
  // The picture that could not be loaded. Set, loading stopped there and the
  // menu configuration load must end as it does for a missing skin file.
  std::string FailedPicture;
  bool Ok() const { return FailedPicture.empty(); }
};

// Reads the advertisement configuration of the disc. programFolder ends
// with a backslash (one is added when it does not); language is the menu's
// language tag. Shows every warning of the file (caption "ADVendor.ini",
// owner given) and goes on after each.
VendorAds LoadVendorAds(const std::string& programFolder, const std::string& language,
                        WindowHandle owner, const VendorAdSeams& seams);

// The "Target not found." warning: the lines are separated by "\r\n", the
// line break of a message box's text.
std::string TargetNotFoundText(const std::string& section);

// The "Install Now" click on the selected tab (nullptr: none selected): true
// when the tab's first row is to be clicked (Label1Click on row 0, page 0);
// otherwise "Does not support this OS." has been shown and nothing starts.
bool AdInstallStartsFirstItem(const MenuTab* selectedTab, WindowHandle owner);

// The small advertisement page of a hovered item: program folder + its
// (n)AD value, in advertisement mode only; nothing when the panel hides.
std::optional<std::string> ItemAdPage(bool vendorAdMode, const SetupItem* item,
                                      const std::string& programFolder);

}  // namespace pikko
