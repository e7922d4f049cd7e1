// The demo disc's home-tab promotion and vendor advertisements: the INI
// files, the pages drawn as local HTML in the menu's colours, the button
// pictures, the products' setup files and the settings of the stand-in
// probe copies.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "demo/DemoDisc.h"

namespace pikko::demo {

// The home tab of the demo menu, counted from 1: its last tab, "Home".
constexpr int kDemoHomeTab = 6;

// Files as relative path (backslashes, below the AUTORUN folder) and bytes.
using DiscFiles = std::vector<std::pair<std::string, std::string>>;

// HomeTab\HomeTab.ini with three pages rotating every 5 seconds: a product
// the probe reports present (with its install button), one it reports
// absent (shown without a button) and an information page without a
// product. Also the pages, the install and page button pictures, the
// products' ZekaSetup.ini and the probe copies' settings files.
const DiscFiles& PromotionFiles();
// The probe copies the pages name (copies of the stand-in probe library)
// and the product installers the install button starts (copies of the
// stand-in setup program), relative to the AUTORUN folder.
const std::vector<std::string>& PromotionProbeLibraries();
const std::vector<std::string>& PromotionInstallers();

// VendorAD\VendorAD.ini making the first tab an advertisement tab, its
// page, the "Install Now" pictures (108 x 27) and the per-item pages that
// the (n)AD keys of the demo menu name.
const DiscFiles& VendorAdFiles();

// The platform tags the demo products' setup files support.
const std::vector<std::string>& DemoSupportedPlatforms();

WriteOutcome WriteDiscFiles(const std::string& autorunFolder, const DiscFiles& files);

}  // namespace pikko::demo
