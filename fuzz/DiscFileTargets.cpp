// The disc's configuration files read over the recording fakes: the menu
// file, "ExceptionModel.ini", "BIN\ManualSetting.ini", "HomeTab\HomeTab.ini"
// and "VendorAD\VendorAD.ini". A multi-file input holds the file under test
// first and the files it leads to after it (FuzzInput.h); the last byte of
// the input picks the answers of the fakes.
#include <optional>
#include <string>

#include "Manual_Opener/Manualini.h"
#include "actions/ExceptionModel.h"
#include "actions/VendorAds.h"
#include "app/MenuConfig.h"
#include "env/Text.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTargets.h"
#include "platform/IniReader.h"
#include "platform/fakes/FakePorts.h"
#include "promotion/Hometabpromotion.h"
#include "promotion/fakes/FakeHomeTabView.h"

namespace pikko::fuzz {
namespace {

constexpr char kProgramFolder[] = "D:\\AUTORUN\\";
constexpr char kMenuFile[] = "D:\\AUTORUN\\zkcd_dbg.ini";
constexpr char kSettingsFile[] = "D:\\BIN\\ManualSetting.ini";
constexpr char kPlatformFile[] = "C:\\WINDOWS\\Zkcd_tmp.ini";
constexpr char kHomeFolder[] = "D:\\AUTORUN\\HomeTab";
constexpr char kTempFolder[] = "C:\\TEMP\\";
const OsVersionInfo kWindows8{6, 2, 9200, 2, 1, 0};
// Far more INI reads than any of these files of at most 12 KiB needs: a
// reader that asks without end throws here instead of running into
// libFuzzer's timeout (and fails the replay in the host tests).
constexpr int kIniReadLimit = 200000;

std::uint8_t Switches(const std::uint8_t* data, std::size_t size) {
  return size == 0 ? 0 : data[size - 1];
}

std::string Part(const std::vector<std::string>& parts, std::size_t i) {
  return i < parts.size() ? parts[i] : std::string();
}

// Nothing the menu does with a disc's files writes outside the temporary folder.
void ExpectWritesInTemp(const fakes::FakeFileSystem& files) {
  // One file of the folder itself: no further folder, and no name the
  // system reads as the folder or its parent (only dots and blanks).
  for (const std::string& path : files.written) {
    std::string name =
        StartsWithText(path, kTempFolder) ? path.substr(std::string(kTempFolder).size()) : path;
    if (!name.empty() && name[0] == '\\') name.erase(0, 1);  // the batch file's doubled separator
    Expect(StartsWithText(path, kTempFolder) && name.find_first_of("\\/:") == std::string::npos &&
               name.find_first_not_of(". ") != std::string::npos,
           "files are written to the temporary folder only");
  }
}

void CheckMenuModel(const MenuModel& model, const std::string& openedManuals) {
  Expect(model.TabCount >= 1 && model.TabCount <= kMaxTabs, "a loaded menu has 1 to 6 tabs");
  Expect(model.Tabs.size() == static_cast<std::size_t>(model.TabCount), "one tab per place");
  Expect(model.ItemNumber >= 1, "a loaded menu has items to look at");
  Expect(openedManuals == "D:\\|D:\\BIN\\ManualSetting.ini",
         "the manuals open once, from the disc");
  for (const MenuTab& tab : model.Tabs) {
    Expect(!tab.Caption.empty(), "every tab has a caption");
    Expect(tab.FullkitItem == -1 || (tab.FullkitItem >= 1 && tab.FullkitItem <= model.ItemNumber),
           "a batch-install item is one of the items");
    int previous = 0;
    for (const SetupItem& item : tab.Items) {
      Expect(item.Number > previous && item.Number <= model.ItemNumber,
             "a tab's items ascend within the item count");
      previous = item.Number;
      Expect(item.Description.find("@@") == std::string::npos, "descriptions have their breaks");
    }
  }
}

}  // namespace

void FuzzMenuConfig(const std::uint8_t* data, std::size_t size) {
  // The menu file, then "ExceptionModel.ini" and "BIN\ManualSetting.ini".
  const std::vector<std::string> parts = SplitFiles(AsText(data, size));
  fakes::FakeSystem sys;
  sys.files.iniReadLimit = kIniReadLimit;
  sys.files.AddFile(kMenuFile, parts[0]);
  if (parts.size() > 1)
    sys.files.AddFile(std::string(kProgramFolder) + "ExceptionModel.ini", parts[1]);
  if (parts.size() > 2) sys.files.AddFile(kSettingsFile, parts[2]);

  std::optional<ManualIni> manuals;
  std::string opened;
  MenuConfigSeams seams;
  seams.isExceptionModel = [](const std::string& product, const std::string& maker) {
    return IsExceptionModel(kProgramFolder, product, maker);
  };
  seams.openManuals = [&](const std::string& disc, const std::string& settings) {
    opened += (opened.empty() ? "" : ";") + disc + "|" + settings;
    manuals.emplace(disc, settings);
  };
  seams.hasManual = [&](const std::string& key) { return manuals && manuals->HasManual(key); };
  seams.measureTabCaption = [](const std::string& caption) {
    return static_cast<int>(caption.size()) * 7;
  };

  MenuModel model;
  MenuColours colours;
  const bool loaded =
      LoadMenuConfiguration(kMenuFile, kProgramFolder, nullptr, seams, model, colours);
  for (const fakes::ShownMessage& m : sys.messages.shown)
    Expect(m.caption == kMenuMessageCaption, "the loader's messages speak for the menu");
  if (loaded) {
    CheckMenuModel(model, opened);
  } else {
    Expect(!sys.messages.shown.empty(), "a menu that does not load says why");
    const unsigned icon = sys.messages.shown.back().style & 0xF0;
    Expect(icon == mb::IconError || icon == mb::IconInformation, "the last word is not a warning");
  }
}

void FuzzExceptionModel(const std::uint8_t* data, std::size_t size) {
  const std::string text = AsText(data, size);
  fakes::FakeSystem sys;
  sys.files.iniReadLimit = kIniReadLimit;
  const std::string file = std::string(kProgramFolder) + "ExceptionModel.ini";
  Expect(!IsExceptionModel(kProgramFolder, "Board", "Maker"), "without the file no model is one");
  sys.files.AddFile(file, text);
  const IniDocument doc = IniDocument::Parse(text);
  const std::vector<std::string> makers = doc.SectionNames();
  for (std::size_t i = 0; i < makers.size() && i < 8; ++i) {
    const std::string& maker = makers[i];
    // A model text is one line: a product with a line break is never listed.
    Expect(!IsExceptionModel(kProgramFolder, "no\nmodel", maker), "an unlisted model is none");
    if (StrToIntDef(doc.ReadString(maker, "Num", ""), 0) < 1) continue;
    const std::string first = doc.ReadString(maker, "Model1", "");
    if (!first.empty())
      Expect(IsExceptionModel(kProgramFolder, first, maker), "the first listed model is one");
  }
}

void FuzzManualSetting(const std::uint8_t* data, std::size_t size) {
  // "BIN\ManualSetting.ini", then the Windows folder's "Zkcd_tmp.ini".
  const std::vector<std::string> parts = SplitFiles(AsText(data, size));
  const std::uint8_t switches = Switches(data, size);
  fakes::FakeSystem sys;
  sys.files.iniReadLimit = kIniReadLimit;
  sys.files.AddFile(kSettingsFile, parts[0]);
  if (parts.size() > 1) sys.files.AddFile(kPlatformFile, parts[1]);
  if (switches & 1) sys.version.version = kWindows8;
  if (switches & 2) {
    sys.classes.AddKey(".pdf\\OpenWithList\\AcroRd32.exe");
    sys.classes.SetString("Applications\\AcroRd32.exe\\Shell\\Open\\command", "",
                          "\"C:\\Reader\\AcroRd32.exe\" \"%1\"");
  }
  sys.shellEx.executeResult = (switches & 4) != 0;
  sys.processes.createResult = (switches & 8) != 0;
  sys.files.failWrites = (switches & 16) != 0;

  const IniDocument doc = IniDocument::Parse(parts[0]);
  std::vector<std::string> keys = doc.KeyNames("ManualFolder");
  if (keys.size() > 12) keys.resize(12);
  // Half of the manuals the file names are on the disc.
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::string folder = doc.ReadString("ManualFolder", keys[i], "");
    const std::vector<std::string> languages = doc.KeyNames(folder);
    for (std::size_t j = 0; j < languages.size() && j < 3; ++j) {
      if ((i + j) % 2 == 0)
        sys.files.AddFile("D:\\manual\\" + folder + "\\" + doc.ReadString(folder, languages[j], ""),
                          "manual");
    }
  }

  const ManualIni opener("D:\\", kSettingsFile);
  Expect(!opener.HasManual(""), "an empty key names no manual");
  keys.push_back("");
  keys.push_back("\x01no such key");
  for (std::size_t i = 0; i < keys.size(); ++i) {
    sys.messages.answers.push_back(((switches >> 5) + i) % 2 == 0 ? mb::IdYes : mb::IdNo);
    opener.HasManual(keys[i]);
    opener.OpenManual(keys[i], "Install a reader?");
  }
  ExpectWritesInTemp(sys.files);
  for (const ProcessStart& start : sys.processes.created) {
    // The reader's installer is started by its quoted path; an open-with
    // command line must fit its room.
    const bool installer = StartsWithText(start.commandLine, "\"D:\\") &&
                           EndsWithText(start.commandLine, "\\ZekaSetup.exe\"");
    Expect(installer || (!start.commandLine.empty() && start.commandLine.size() < 520),
           "a started command line fits its room");
    Expect(start.creationFlags == kCreateNoWindow, "programs start without a window");
  }
  for (const ShellExecuteRequest& r : sys.shellEx.requests)
    Expect(StartsWithText(r.file, "D:\\"), "only the disc's manuals are opened");
  for (const std::string& path : sys.files.written) {
    // A manual may be of any type, a batch file too; the menu's own batch
    // file, however it is spelt, holds only its line.
    if (!SameText(ExtractFileName(path), "OpenManualBat.bat")) continue;
    const std::optional<std::string> line = sys.files.Contents(path);
    Expect(line && StartsWithText(*line, "start \"\" \""), "the batch file only opens the copy");
  }
  Expect(sys.classes.OpenHandles() == 0, "every registry key is closed");
}

void FuzzHomeTab(const std::uint8_t* data, std::size_t size) {
  // "HomeTab.ini", then the products' "ZekaSetup.ini", then "Zkcd_tmp.ini".
  const std::vector<std::string> parts = SplitFiles(AsText(data, size));
  fakes::FakeSystem sys;
  sys.files.iniReadLimit = kIniReadLimit;
  const std::string file = std::string(kHomeFolder) + "\\HomeTab.ini";
  sys.files.AddFile(file, parts[0]);
  if (parts.size() > 2) sys.files.AddFile(kPlatformFile, parts[2]);
  const IniDocument doc = IniDocument::Parse(parts[0]);
  const std::vector<std::string> sections = doc.SectionNames();
  for (std::size_t i = 0; i < sections.size() && i < 16; ++i) {
    const std::string product =
        ProductFolderOf(kHomeFolder, doc.ReadString(sections[i], "InstallPath ", ""));
    if (parts.size() > 1) sys.files.AddFile(product + "ZekaSetup.ini", parts[1]);
  }

  // Each page on its own, as the promotion reads them.
  for (std::size_t i = 0; i < sections.size() && i < 16; ++i) {
    const int n = PageNumberOfSection(sections[i]);
    if (n < 1) continue;
    PromotionPage page;
    if (page.Load(file, "Pages\\", n, kHomeFolder) && page.HasInstallButton) {
      Expect(page.ButtonImages.size() >= 3, "an install button has its three pictures");
      Expect(page.ButtonLeft >= 0 && page.ButtonTop >= 0 && page.ButtonWidth >= 0 &&
                 page.ButtonHeight >= 0 && page.ButtonLeft <= kMaxButtonCoordinate &&
                 page.ButtonTop <= kMaxButtonCoordinate &&
                 page.ButtonWidth <= kMaxButtonCoordinate &&
                 page.ButtonHeight <= kMaxButtonCoordinate,
             "button places and sizes are whole pixels within range");
    }
  }

  testing::FakeHomeTabView view;
  HomeTab home;
  const bool initialised = home.Init(reinterpret_cast<WindowHandle>(0x10), kHomeFolder, &view);
  Expect(initialised == home.Initialised(), "Init answers what it did");
  Expect(!initialised || !home.Pages().empty(), "a set-up promotion has pages");
  Expect(home.HasTimer() == (home.TimerIntervalMs() > 0), "a timer has an interval");
  auto check = [&] {
    if (!home.Initialised()) return;
    Expect(home.CurrentPage() >= 0 &&
               static_cast<std::size_t>(home.CurrentPage()) < home.Pages().size(),
           "the current page is one of the pages");
    Expect(!home.TimerRunning() || home.HasTimer(), "only a timer runs");
  };
  void (HomeTab::*const events[])() = {&HomeTab::NextClick,         &HomeTab::RotationTimerTick,
                                       &HomeTab::PreviousClick,     &HomeTab::InstallMouseEnter,
                                       &HomeTab::InstallClick,      &HomeTab::InstallMouseLeave,
                                       &HomeTab::RotationTimerTick, &HomeTab::NextClick};
  home.Show();
  check();
  for (int round = 0; round < 2; ++round) {
    for (auto event : events) {
      (home.*event)();
      check();
    }
  }
  home.Hide();
  home.RotationTimerTick();
  Expect(!home.Shown(), "a hidden promotion stays hidden");
  for (const fakes::ShellCall& call : sys.shell.calls)
    Expect(EndsWithText(call.file, "ZekaSetup.exe"),
           "the install button starts a product installer");
  home.Detach();
  ExpectWritesInTemp(sys.files);
}

void FuzzVendorAd(const std::uint8_t* data, std::size_t size) {
  // "VendorAD\VendorAD.ini", then the menu's language on a line of its own.
  const std::vector<std::string> parts = SplitFiles(AsText(data, size));
  const std::uint8_t switches = Switches(data, size);
  fakes::FakeSystem sys;
  sys.files.iniReadLimit = kIniReadLimit;
  const std::string folder = std::string(kProgramFolder) + "VendorAD\\";
  sys.files.AddFile(folder + "VendorAD.ini", parts[0]);
  const std::string language = parts.size() > 1 ? Part(parts, 1) : std::string("English");

  int hidden = 0;
  VendorAdSeams seams;
  seams.hideDescription = [&] { ++hidden; };
  // Now and then one of the pictures cannot be read.
  seams.loadInstallPicture = [&](InstallPicture state, const std::string&) {
    return (switches & 7) != 1 + static_cast<int>(state);
  };
  const VendorAds ads = LoadVendorAds(kProgramFolder, language, nullptr, seams);
  Expect(ads.VendorAdMode && hidden == 1, "the file switches the menu to advertisements once");
  if (!ads.Ok()) {
    Expect(ads.AdPages.empty() && StartsWithText(ads.FailedPicture, folder),
           "a missing picture stops the load");
    return;
  }
  const std::size_t keys = IniDocument::Parse(parts[0]).KeyNames("AD_TABS").size();
  Expect(ads.AdPages.size() <= keys, "at most one page per tab key");
  for (const std::string& page : ads.AdPages)
    Expect(StartsWithText(page, folder) && page.size() > folder.size(),
           "pages lie in the advertisement folder");
  for (const fakes::ShownMessage& m : sys.messages.shown)
    Expect(m.caption == kVendorAdCaption && (m.style & 0xF0) == mb::IconWarning,
           "the file's faults are warnings");
}

}  // namespace pikko::fuzz
