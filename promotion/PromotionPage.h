// One promotion page of the home tab, as "HomeTab.ini" configures it in its
// section "Page" + n, and the rules that show it with an install button,
// without one, or not at all.
#pragma once

#include <string>
#include <vector>

namespace pikko {

// The names of the promotion's files.
inline constexpr char kPromotionFileName[] = "HomeTab.ini";
inline constexpr char kProductSetupFile[] = "ZekaSetup.ini";
inline constexpr char kProductInstaller[] = "ZekaSetup.exe";
// The install button's picture when the page names none (the disc's spelling).
inline constexpr char kDefaultButtonImage[] = "DefalutButtonImg.bmp";

// Position and size parts of a button are whole pixels from 0 to this.
inline constexpr int kMaxButtonCoordinate = 32767;

class PromotionPage {
 public:
  // Fills the page from section "Page" + pageNumber of promotionFile and
  // tells whether the page is shown. pageFolder is the language's page
  // folder (relative to the promotion file's folder, with its trailing
  // backslash); homeTabFolder holds no trailing backslash.
  bool Load(const std::string& promotionFile, const std::string& pageFolder, int pageNumber,
            const std::string& homeTabFolder);

  // The page's product folder below the home-tab folder, with its trailing
  // backslash; an empty install path names the home-tab folder itself.
  std::string ProductFolder(const std::string& homeTabFolder) const;

  std::string PagePath;
  std::string ShowType;
  std::string InstallPath;
  // Normal, pressed and pointed-at pictures, relative to the home-tab
  // folder; three or more once the page has an install button.
  std::vector<std::string> ButtonImages;
  int ButtonLeft = 0, ButtonTop = 0, ButtonWidth = 0, ButtonHeight = 0;
  bool HasInstallButton = false;
  std::string PlatformTag;
  std::string SupportText;
  std::string LanguageTag;
  std::string LanguageId;
  std::string DllName;

 private:
  void ReadButtonSettings(const std::string& promotionFile, const std::string& section);
};

// A comma list of the promotion file: split at every comma, each part
// trimmed of blanks, empty parts dropped.
std::vector<std::string> SplitPromotionList(const std::string& text);

// A "ButtonPosition" or "ButtonSize" value: exactly two parts, each a whole
// number from 0 to kMaxButtonCoordinate. Anything else (one part, three,
// a part that is no number or is negative) gives 0 and 0.
struct ButtonPair {
  int first = 0, second = 0;
};
ButtonPair ParseButtonPair(const std::string& text);

// The page number a section name stands for ("Page7", in any case, is 7),
// or 0 when the name is not "Page" followed by a decimal number without
// leading zeros.
int PageNumberOfSection(const std::string& sectionName);

// The product folder of an install path below the home-tab folder.
std::string ProductFolderOf(const std::string& homeTabFolder, const std::string& installPath);

}  // namespace pikko
