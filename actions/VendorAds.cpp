#include "actions/VendorAds.h"

#include <cstdint>
#include <set>

#include "env/Text.h"

namespace pikko {
namespace {

// The index a key name stands for ("Tab3", in any case, is 3), or nothing
// when it is not "Tab" followed by a decimal number as the loader writes
// it: no sign, no leading zeros.
std::optional<int> AdTabIndexOfKey(const std::string& key) {
  return NumberAfterPrefix(key, "Tab");
}

// The indices 0 .. count - 1 that have a "Tab" key, ascending. The keys are
// listed once instead of asking for every index: a missing key is skipped
// silently anyway, and a "MaxADTabs" far beyond the keys then costs nothing.
std::vector<int> AdTabIndices(const std::string& file, int count) {
  std::set<int> indices;
  for (const std::string& key : Ini().KeyNames(file, "AD_TABS")) {
    const auto i = AdTabIndexOfKey(key);
    if (i && *i < count) indices.insert(*i);
  }
  return {indices.begin(), indices.end()};
}

}  // namespace

std::string TargetNotFoundText(const std::string& section) {
  return "Target not found.\r\n\r\n[" + section + "]\r\nEnglish =";
}

VendorAds LoadVendorAds(const std::string& programFolder, const std::string& language,
                        WindowHandle owner, const VendorAdSeams& seams) {
  VendorAds ads;
  std::string folder = programFolder;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  const std::string file = folder + kVendorAdFile;
  if (!Files().FileExists(file)) return ads;

  ads.VendorAdMode = true;
  if (seams.hideDescription) seams.hideDescription();
  for (const InstallPictureFile& picture : kInstallPictures) {
    const std::string path = folder + picture.file;
    if (!seams.loadInstallPicture || !seams.loadInstallPicture(picture.state, path)) {
      ads.FailedPicture = path;
      return ads;
    }
  }

  auto warn = [&](const std::string& text) {
    Messages().Show(owner, text, kVendorAdCaption, mb::Ok | mb::IconWarning);
  };
  const int count = StrToIntDef(Ini().ReadString(file, "AD_TABS", "MaxADTabs", ""), 0);
  for (int i : AdTabIndices(file, count)) {
    const std::string key = "Tab" + std::to_string(i);
    const std::string section = Ini().ReadString(file, "AD_TABS", key, kMissingAdTabMarker);
    if (section.empty()) {
      warn("Wrong value in " + key);
      continue;
    }
    if (section == kMissingAdTabMarker) continue;
    std::string page;
    if (!language.empty()) page = Ini().ReadString(file, section, language, "");
    if (page.empty()) page = Ini().ReadString(file, section, "English", "");
    if (page.empty()) {
      warn(TargetNotFoundText(section));
      continue;
    }
    // Skipped and faulty keys leave no gap: later pages move up one tab.
    ads.AdPages.push_back(folder + "VendorAD\\");
    ads.AdPages.back() += page;
  }
  return ads;
}

bool AdInstallStartsFirstItem(const MenuTab* selectedTab, WindowHandle owner) {
  if (selectedTab != nullptr && !selectedTab->Items.empty()) return true;
  Messages().Show(owner, "Does not support this OS.", "Setup", mb::Ok | mb::IconError);
  return false;
}

std::optional<std::string> ItemAdPage(bool vendorAdMode, const SetupItem* item,
                                      const std::string& programFolder) {
  if (!vendorAdMode || item == nullptr || item->AdPage.empty()) return std::nullopt;
  return programFolder + item->AdPage;
}

}  // namespace pikko
