#include "promotion/PromotionPage.h"

#include <cstdint>

#include "env/PlatformTags.h"
#include "env/Text.h"
#include "platform/Ports.h"
#include "promotion/ProductProbe.h"

namespace pikko {
namespace {

bool HasSection(const std::string& file, const std::string& section) {
  for (const std::string& name : Ini().SectionNames(file)) {
    if (SameText(name, section)) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> SplitPromotionList(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = text.find(',', from);
    const std::size_t end = comma == std::string::npos ? text.size() : comma;
    std::string part = Trim(std::string_view(text).substr(from, end - from));
    if (!part.empty()) parts.push_back(std::move(part));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  return parts;
}

ButtonPair ParseButtonPair(const std::string& text) {
  const std::vector<std::string> parts = SplitPromotionList(text);
  if (parts.size() != 2) return {};
  // A part that is no number converts to -1 here and, like a negative one,
  // makes the whole pair 0 and 0: the page keeps its button, at the corner
  // or without a size, rather than one placed by half a value.
  const int first = StrToIntDef(parts[0], -1);
  const int second = StrToIntDef(parts[1], -1);
  if (first < 0 || second < 0 || first > kMaxButtonCoordinate || second > kMaxButtonCoordinate)
    return {};
  return {first, second};
}

int PageNumberOfSection(const std::string& sectionName) {
  return NumberAfterPrefix(sectionName, "Page").value_or(0);
}

std::string ProductFolderOf(const std::string& homeTabFolder, const std::string& installPath) {
  // An empty install path would give a doubled backslash; the folder it
  // means is the home-tab folder itself.
  if (installPath.empty()) return homeTabFolder + "\\";
  std::string folder = homeTabFolder + "\\" + installPath;
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

std::string PromotionPage::ProductFolder(const std::string& homeTabFolder) const {
  return ProductFolderOf(homeTabFolder, InstallPath);
}

bool PromotionPage::Load(const std::string& promotionFile, const std::string& pageFolder,
                         int pageNumber, const std::string& homeTabFolder) {
  *this = PromotionPage{};
  if (!Files().FileExists(promotionFile)) return false;
  const std::string section = "Page" + std::to_string(pageNumber);
  if (!HasSection(promotionFile, section)) return false;
  auto read = [&](const char* key, const char* def) {
    return Ini().ReadString(promotionFile, section, key, def);
  };

  // The page file is not looked for: the browser shows what it shows.
  PagePath = ExtractFilePath(promotionFile) + pageFolder + read("HTML", "");
  ShowType = read("ShowType", "ByScript");
  // The disc's files are read with this key name, blank and all.
  InstallPath = read("InstallPath ", "");
  DllName = read("DllName", "");

  const std::string setupFile = ProductFolder(homeTabFolder) + kProductSetupFile;
  if (!Files().FileExists(setupFile)) return ShowType == "Always";

  if (ReadSpecifiedOs(PlatformTag, LanguageTag)) {
    if (!DetectPlatform(PlatformTag, LanguageId)) return false;
  }
  // Without a platform tag there is no key to ask for; the platform's reader
  // answers an empty key name with nothing useful either.
  if (!PlatformTag.empty())
    SupportText = Ini().ReadString(setupFile, "OS_Language_Tag", PlatformTag, "");
  LanguageTag = LookUpLanguageTag(setupFile, LanguageId, "");
  StripComment(SupportText);
  StripComment(LanguageTag);

  if (ShowType == "Always") {
    HasInstallButton = !SupportText.empty();
  } else if (ShowType == "ByDynamic" && !DllName.empty()) {
    HasInstallButton = ProbeReportsProduct(DllName);
  } else {
    // "ByScript", any other text, and "ByDynamic" without a probe.
    if (SupportText.empty()) return false;
    HasInstallButton = true;
  }
  if (HasInstallButton) ReadButtonSettings(promotionFile, section);
  return true;
}

void PromotionPage::ReadButtonSettings(const std::string& promotionFile,
                                       const std::string& section) {
  ButtonImages = SplitPromotionList(Ini().ReadString(promotionFile, section, "ButtonImages", ""));
  if (ButtonImages.empty()) ButtonImages.push_back(kDefaultButtonImage);
  while (ButtonImages.size() < 3) ButtonImages.push_back(ButtonImages.front());
  const ButtonPair position =
      ParseButtonPair(Ini().ReadString(promotionFile, section, "ButtonPosition", ""));
  const ButtonPair size =
      ParseButtonPair(Ini().ReadString(promotionFile, section, "ButtonSize", ""));
  ButtonLeft = position.first;
  ButtonTop = position.second;
  ButtonWidth = size.first;
  ButtonHeight = size.second;
}

}  // namespace pikko
