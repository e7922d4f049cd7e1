#include "demo/DemoDisc.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "demo/ButtonArt.h"
#include "demo/DemoManuals.h"
#include "demo/DemoMasterList.h"
#include "demo/DemoPromotion.h"
#include "demo/Png.h"

namespace pikko::demo {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBackground256 = "pikko256.bmp";
constexpr const char* kBackground16 = "pikko16.bmp";
constexpr const char* kLogo256 = "logo256.bmp";
constexpr const char* kLogo16 = "logo16.bmp";
constexpr const char* kTabDown = "MainTab\\tab01_down.bmp";
constexpr const char* kTabRest16 = "MainTab\\tab01_n.bmp";
constexpr const char* kTabOver = "MainTab\\tab01_up.bmp";

using EncodedSkins = std::map<std::string, std::string>;

EncodedSkins EncodeSkins(Look look) {
  const SkinArt art = PaintSkinArt(look);
  EncodedSkins files;
  files[kBackground256] = EncodeBmp24(art.background256);
  files[kBackground16] = EncodeBmp4(art.background16);
  files[kLogo256] = EncodeBmp24(art.logo256);
  files[kLogo16] = EncodeBmp4(art.logo16);
  // The selected and hovered tab pictures serve both colour modes.
  files[kTabDown] = EncodeBmp24(art.tabDown);
  files[kTabOver] = EncodeBmp24(art.tabOver);
  files[kTabRest16] = EncodeBmp4(art.tabRest16);
  return files;
}

// Painting takes a moment; tests lay out many discs, so each look is
// painted and encoded once.
const EncodedSkins& SkinsOf(Look look) {
  if (look == Look::Gaming) {
    static const EncodedSkins gaming = EncodeSkins(Look::Gaming);
    return gaming;
  }
  static const EncodedSkins normal = EncodeSkins(Look::Normal);
  return normal;
}

bool IsSixteenColourFile(const std::string& name) {
  return name == kBackground16 || name == kLogo16 || name == kTabRest16;
}

WriteOutcome WriteOne(const std::string& folder, const std::string& relative,
                      const std::string& bytes) {
  const std::string path = JoinPath(folder, relative);
  if (!WriteFileBytes(path, bytes)) return {path};
  return {};
}

WriteOutcome WriteSkinFiles(const std::string& folder, Look look, const TestDiscOptions& options) {
  for (const std::string& name : SkinFileNames()) {
    if (!options.background256 && name == kBackground256) continue;
    if (!options.sixteenColourSkins && IsSixteenColourFile(name)) continue;
    if (WriteOutcome out = WriteOne(folder, name, SkinFileBytes(look, name)); !out) return out;
  }
  return {};
}

using EncodedPictures = std::map<std::string, std::string>;

EncodedPictures EncodePictures(Look look) {
  EncodedPictures files;
  auto add = [&](const ButtonSpec& button) {
    for (ButtonState state : kButtonStates)
      files[ButtonFileName(button, state)] = EncodePng(PaintButton(look, button, state));
  };
  for (const ButtonSpec& button : SkinButtons()) add(button);
  add(ManualButton());
  return files;
}

const EncodedPictures& PicturesOf(Look look) {
  if (look == Look::Gaming) {
    static const EncodedPictures gaming = EncodePictures(Look::Gaming);
    return gaming;
  }
  static const EncodedPictures normal = EncodePictures(Look::Normal);
  return normal;
}

}  // namespace

std::vector<std::string> ButtonPictureNames(bool withManual) {
  std::vector<std::string> names;
  for (const ButtonSpec& button : SkinButtons())
    for (ButtonState state : kButtonStates) names.push_back(ButtonFileName(button, state));
  if (withManual)
    for (ButtonState state : kButtonStates) names.push_back(ButtonFileName(ManualButton(), state));
  return names;
}

const std::string& ButtonPictureBytes(Look look, const std::string& name) {
  static const std::string none;
  const EncodedPictures& pictures = PicturesOf(look);
  const auto it = pictures.find(name);
  return it == pictures.end() ? none : it->second;
}

WriteOutcome WriteButtonPictures(const std::string& folder, Look look, bool withManual) {
  for (const std::string& name : ButtonPictureNames(withManual))
    if (WriteOutcome out = WriteOne(folder, name, ButtonPictureBytes(look, name)); !out) return out;
  return {};
}

std::string JoinPath(const std::string& folder, const std::string& relative) {
  std::string portable = relative;
  std::replace(portable.begin(), portable.end(), '\\', '/');
  return (fs::path(folder) / fs::path(portable)).make_preferred().string();
}

const std::vector<std::string>& SkinFileNames() {
  static const std::vector<std::string> names = {kBackground256, kBackground16, kLogo256, kLogo16,
                                                 kTabDown,       kTabRest16,    kTabOver};
  return names;
}

const std::string& SkinFileBytes(Look look, const std::string& name) {
  static const std::string none;
  const EncodedSkins& skins = SkinsOf(look);
  const auto it = skins.find(name);
  return it == skins.end() ? none : it->second;
}

WriteOutcome WriteSkins(const std::string& folder, Look look) {
  return WriteSkinFiles(folder, look, TestDiscOptions{});
}

WriteOutcome WriteContactPages(const std::string& folder, Look look) {
  if (WriteOutcome out = WriteOne(folder, kContactPage256, ContactPage(look, false)); !out)
    return out;
  return WriteOne(folder, kContactPage16, ContactPage(look, true));
}

WriteOutcome WriteDemoDisc(const std::string& autorunFolder) {
  const std::string gaming = JoinPath(autorunFolder, "GAMING");
  if (WriteOutcome out = WriteOne(autorunFolder, "zkcd_dbg.ini", DemoMenuIni()); !out) return out;
  if (WriteOutcome out = WriteSkins(autorunFolder, Look::Normal); !out) return out;
  if (WriteOutcome out = WriteSkins(gaming, Look::Gaming); !out) return out;
  if (WriteOutcome out = WriteButtonPictures(autorunFolder, Look::Normal, true); !out) return out;
  if (WriteOutcome out = WriteButtonPictures(gaming, Look::Gaming, false); !out) return out;
  if (WriteOutcome out = WriteContactPages(autorunFolder, Look::Normal); !out) return out;
  if (WriteOutcome out = WriteContactPages(gaming, Look::Gaming); !out) return out;
  if (WriteOutcome out = WriteDiscFiles(autorunFolder, PromotionFiles()); !out) return out;
  if (WriteOutcome out = WriteDiscFiles(autorunFolder, VendorAdFiles()); !out) return out;
  // The support text lies in the disc's root, beside the AUTORUN folder.
  std::error_code ec;
  fs::path autorun = fs::absolute(fs::path(autorunFolder), ec).lexically_normal();
  if (ec) return {autorunFolder};
  if (!autorun.has_filename()) autorun = autorun.parent_path();  // a trailing separator
  if (WriteOutcome out = WriteOne(autorun.parent_path().string(), "TECHSUPP.TXT", SupportText());
      !out)
    return out;
  // The manuals below the disc's root, the report template and the help file.
  if (WriteOutcome out = WriteManuals(autorun.parent_path().string()); !out) return out;
  // The start through the companion program: its master list, and the
  // disc root's autorun entry.
  if (WriteOutcome out = WriteOne(autorunFolder, "BIN\\MasterList.ini", DemoMasterListIni()); !out)
    return out;
  if (WriteOutcome out = WriteOne(autorun.parent_path().string(), "autorun.inf", AutorunInf()); !out)
    return out;
  return WriteSideButtonFiles(autorunFolder);
}

WriteOutcome WriteFileList(const std::string& discFolder) {
  std::error_code ec;
  std::vector<std::string> files;
  const fs::path root(discFolder);
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    std::string relative = it->path().lexically_relative(root).generic_string();
    if (relative == "FILELIST.TXT") continue;
    std::replace(relative.begin(), relative.end(), '/', '\\');
    files.push_back(relative);
  }
  if (ec) return {discFolder};
  std::sort(files.begin(), files.end());
  std::string text;
  for (const std::string& f : files) text += f + "\r\n";
  return WriteOne(discFolder, "FILELIST.TXT", text);
}

WriteOutcome WriteTestDisc(const std::string& folder, const std::string& menuIni,
                           const TestDiscOptions& options) {
  if (WriteOutcome out = WriteOne(folder, "zkcd_dbg.ini", menuIni); !out) return out;
  if (WriteOutcome out = WriteSkinFiles(folder, Look::Normal, options); !out) return out;
  const std::string gaming = JoinPath(folder, "GAMING");
  if (options.gamingFolder) {
    if (WriteOutcome out = WriteSkinFiles(gaming, Look::Gaming, options); !out) return out;
  }
  if (options.buttonPictures) {
    if (WriteOutcome out = WriteButtonPictures(folder, Look::Normal, true); !out) return out;
    if (options.gamingFolder) {
      if (WriteOutcome out = WriteButtonPictures(gaming, Look::Gaming, false); !out) return out;
    }
  }
  if (options.forceGaming) {
    if (WriteOutcome out = WriteOne(folder, "ForceGaming", ""); !out) return out;
  }
  if (options.contactPages) {
    if (WriteOutcome out = WriteContactPages(folder, Look::Normal); !out) return out;
    if (options.gamingFolder) {
      if (WriteOutcome out = WriteContactPages(gaming, Look::Gaming); !out) return out;
    }
  }
  if (options.promotion) {
    if (WriteOutcome out = WriteDiscFiles(folder, PromotionFiles()); !out) return out;
  }
  if (options.vendorAds) {
    if (WriteOutcome out = WriteDiscFiles(folder, VendorAdFiles()); !out) return out;
  }
  if (options.manuals) {
    if (WriteOutcome out = WriteManuals(DiscRootOf(folder)); !out) return out;
  }
  if (options.sideButtonFiles) {
    if (WriteOutcome out = WriteSideButtonFiles(folder); !out) return out;
    if (WriteOutcome out = WriteOne(DiscRootOf(folder), "TECHSUPP.TXT", SupportText()); !out)
      return out;
  }
  return {};
}

}  // namespace pikko::demo

namespace pikko::demo {

// The setup program that each demo item names, relative to the AUTORUN
// folder: its Path, a backslash and the program part of its Run.
std::string ItemProgram(const DemoItem& item) {
  const std::string program = item.run.substr(0, item.run.find(' '));
  return item.path + "\\" + program;
}

WriteOutcome PlaceSetupStubs(const std::string& autorunFolder, const std::string& stubBytes) {
  std::vector<std::string> programs = {"ZEKAFullkit\\Fullkit.exe"};
  for (const DemoItem& item : DemoItems()) {
    const std::string program = ItemProgram(item);
    if (program.size() > 4 && program.compare(program.size() - 4, 4, ".exe") == 0)
      programs.push_back(program);
  }
  for (const std::string& installer : PromotionInstallers()) programs.push_back(installer);
  for (const std::string& program : programs) {
    if (WriteOutcome out = WriteOne(autorunFolder, program, stubBytes); !out) return out;
  }
  // The reader installer the manual opener offers.
  return PlaceReaderInstaller(DiscRootOf(autorunFolder), stubBytes);
}

}  // namespace pikko::demo
