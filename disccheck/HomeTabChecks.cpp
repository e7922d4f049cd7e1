#include "disccheck/HomeTabChecks.h"

#include <filesystem>
#include <set>

#include "disccheck/Checker.h"
#include "disccheck/FileChecks.h"
#include "env/Text.h"
#include "promotion/Hometabpromotion.h"

namespace pikko::disccheck {
namespace fs = std::filesystem;

namespace {

// The promotion's controls, as far as they name files.
class CheckerHomeTabView final : public HomeTabView {
 public:
  explicit CheckerHomeTabView(RecordingStarts& starts) : starts_(starts) {}
  void CreateBrowser() override {}
  void Navigate(const std::string&) override {}
  void SetPanelVisible(bool) override {}
  void CreateInstallButton(const InstallButtonStyle&) override {}
  void ShowInstallButton(const InstallButtonLook&) override {}
  void HideInstallButton() override {}
  void CreatePageButtons(const PageButtonLook& next, const PageButtonLook& previous) override {
    for (const PageButtonLook* look : {&next, &previous})
      for (const std::string* p : {&look->raised, &look->sunken, &look->focused, &look->disabled})
        starts_.Open("picture", *p);
  }
  void EnablePageButtons(bool, bool) override {}
  void CreateRotationTimer(int) override {}
  void StartRotationTimer() override {}
  void StopRotationTimer() override {}
  void MinimiseApplication() override {}

 private:
  RecordingStarts& starts_;
};

// The language codes the promotion's files name: every four-digit key,
// and for every two-digit key a code that ends in it and has no key of its own.
std::vector<std::uint16_t> LanguageCodes(Checker& c, const std::string& folder) {
  std::set<std::uint16_t> codes = {0x0409};
  std::vector<std::string> inis = {folder + "\\HomeTab.ini"};
  if (const auto real = c.files_.Resolve(folder)) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(*real, ec), end; !ec && it != end; it.increment(ec))
      if (SameText(it->path().filename().string(), "ZekaSetup.ini"))
        inis.push_back(folder + "\\" +
                       ReplaceAll(it->path().lexically_relative(*real).string(), "/", "\\"));
  }
  for (const std::string& ini : inis) {
    const IniLineIndex* index = c.ini_.Index(ini);
    const IniSectionLines* s = index ? index->FindSection("OS_Language_Tag") : nullptr;
    if (!s) continue;
    for (const IniKeyLine& k : s->keys) {
      if (k.comment || (k.name.size() != 4 && k.name.size() != 2)) continue;
      const int value = StrToIntDef("$" + k.name, -1);
      if (value < 0) continue;
      codes.insert(static_cast<std::uint16_t>(k.name.size() == 4 ? value : 0x7F00 | value));
      c.languages_.insert(Trim(k.value.substr(0, k.value.find(';'))));
    }
  }
  return {codes.begin(), codes.end()};
}

}  // namespace

HomeTabFacts CheckHomeTab(Checker& c, const MenuModel& model, const std::string& platform,
                          const std::string& language) {
  const std::string folder = c.Program("HomeTab");
  const std::string file = folder + "\\HomeTab.ini";
  if (!c.files_.FileExists(file)) return {};
  CheckerHomeTabView view(c.starts_);
  const std::vector<std::uint16_t> codes = LanguageCodes(c, folder);
  const IniLineIndex* index = c.ini_.Index(file);
  auto lineOf = [&](const std::string& value) {
    const IniKeyLine* k = index ? index->FindValue(value) : nullptr;
    return SourceLine{file, k ? k->line : 0};
  };

  HomeTabFacts facts;
  auto run = [&](const std::string& tag, const std::string& lang, std::uint16_t code) {
    c.SetSpecifiedOs(tag, lang);
    c.version_.langId = code;
    c.messages_.shown.clear();
    c.starts_.attempts.clear();
    HomeTab home;
    int panel = 0;
    home.Init(&panel, folder, &view);
    for (OpenAttempt& a : c.starts_.attempts) {
      // A probe library the page names but the disc lacks.
      if (a.what == "library") a.source = lineOf(a.path.substr(c.programFolder_.size()));
    }
    c.ReportMessages("the home tab", {file, 0});
    c.ReportFailedOpens("the home tab", {file, 0});
    for (const auto& page : home.Pages()) {
      if (!c.files_.FileExists(page->PagePath))
        c.At(lineOf(ExtractFileName(page->PagePath)), Severity::Warning,
             "the promotion page " + c.files_.DiscRelative(page->PagePath) +
                 " is not on the disc: the home tab shows the browser's error page");
      if (!page->HasInstallButton) continue;
      for (std::size_t i = 0; i < 3 && i < page->ButtonImages.size(); ++i) {
        const std::string picture = folder + "\\" + page->ButtonImages[i];
        if (!IsReadableBitmap(c.files_, picture))
          c.At(lineOf(page->ButtonImages[i]), Severity::Warning,
               "the install button's picture " + c.files_.DiscRelative(picture) +
                   (c.files_.FileExists(picture) ? " is not a readable bitmap"
                                                 : " is not on the disc"));
      }
      const std::string installer = page->ProductFolder(folder) + kProductInstaller;
      if (!c.files_.FileExists(installer))
        c.At(lineOf(page->InstallPath), Severity::Error,
             "the install button starts " + c.files_.DiscRelative(installer) +
                 ", which is not on the disc");
    }
    return home.HomeTabNumber();
  };

  facts.tab = run(platform, language, 0x0409);
  for (const std::string& lang : c.KnownLanguages()) run(platform, lang, 0x0409);
  // The sweep over every system does not depend on the menu file: once a run.
  if (!c.homeTabSwept_)
    for (const std::string& tag : PossiblePlatformTags()) run(tag, "English", 0x0409);
  c.homeTabSwept_ = true;
  for (std::uint16_t code : codes) run(platform, "", code);

  if (facts.tab < 1 || facts.tab > model.TabCount) {
    const SourceLine at = c.ini_.LineOf(file, "Setting", "Tab");
    c.At(at, Severity::Warning,
         facts.tab < 1 ? std::string("HomeTab.ini names no home tab: no promotion is shown")
                       : "the home tab " + std::to_string(facts.tab) + " is beyond the menu's " +
                             std::to_string(model.TabCount) + " tabs: no promotion is shown");
    facts.tab = -1;
  }
  return facts;
}

}  // namespace pikko::disccheck
