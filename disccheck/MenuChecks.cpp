// The menu file through the menu's loader, and every click the menu can
// answer replayed over the recording ports: the items, the batch-install
// buttons, the manual buttons and the side buttons.
#include <algorithm>

#include "Manual_Opener/Manualini.h"
#include "actions/ExceptionModel.h"
#include "actions/LaunchPlanner.h"
#include "actions/SideButtons.h"
#include "actions/VendorAds.h"
#include "disccheck/Checker.h"
#include "disccheck/FileChecks.h"
#include "disccheck/HomeTabChecks.h"
#include "env/Text.h"
#include "platform/IniReader.h"

namespace pikko::disccheck {
namespace {

constexpr char kItems[] = "SETUP_ITEM";
constexpr int kRowWidth = 300;
constexpr int kUnfoldedRowLines = 2;
constexpr int kPanelWidth = 253, kPanelHeight = 313;

int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

struct MenuRun {
  Checker& c;
  const std::string& path;
  MenuModel model;
  FontFace rowFont = RowFont(), descriptionFont = DescriptionFont();
  ManualIni manuals{"", ""};
  IniDocument document;

  SourceLine Line(const std::string& section, const std::string& key) const {
    return c.ini_.LineOf(path, section, key);
  }
  SourceLine ItemLine(int n, const char* key) const { return Line(kItems, ItemKey(n, key)); }

  void CheckDescription(const SourceLine& where, const std::string& what, const std::string& text) {
    if (!c.options_.measurer) return;
    const auto height = c.options_.measurer->WrappedHeight(descriptionFont, text, kPanelWidth);
    if (height && *height > kPanelHeight)
      c.At(where, Severity::Warning,
           what + " is " + std::to_string(*height) + " pixels tall in the description panel, which "
           "shows " + std::to_string(kPanelHeight) + ": its end is cut");
  }

  void CheckTitle(int n, const std::string& title) {
    if (!c.options_.measurer) return;
    const auto width = c.options_.measurer->Width(rowFont, title);
    if (!width || *width <= kRowWidth) return;
    const auto one = c.options_.measurer->WrappedHeight(rowFont, "x", kRowWidth);
    const auto all = c.options_.measurer->WrappedHeight(rowFont, title, kRowWidth);
    const SourceLine at = ItemLine(n, "Title");
    if (one && all && *all > kUnfoldedRowLines * *one) {
      c.At(at, Severity::Warning,
           "the title " + Quoted(title) + " is " + std::to_string(*width) +
               " pixels wide: the row cuts it, and even unfolded on two lines it does not fit");
    } else {
      c.At(at, Severity::Note,
           "the title " + Quoted(title) + " is " + std::to_string(*width) +
               " pixels wide: the row shows 280 of them and \". . .\", and unfolds to two lines "
               "under the pointer");
    }
  }

  void ReplayItemClick(const SetupItem& item) {
    const int n = item.Number;
    c.messages_.shown.clear();
    c.starts_.attempts.clear();
    bool refused = false;
    const ProgramCommand own =
        BuildItemCommand(c.programFolder_, Ini().ReadString(path, kItems, ItemKey(n, "Run"), ""),
                         Ini().ReadString(path, kItems, ItemKey(n, "Path"), ""));
    const DependencyDecision d = ApplyDependency(
        n, Ini().ReadString(path, kItems, ItemKey(n, "Dependency"), ""),
        Ini().ReadString(path, kItems, ItemKey(n, "Tab"), ""), c.programFolder_, own,
        Files().FileExists(c.programFolder_ + kBatchInstaller));
    if (d.refused) {
      refused = true;
      Messages().Show(nullptr, d.refusal, kMenuMessageCaption, mb::IconWarning);
    } else {
      const std::intptr_t r = Shell().Execute(nullptr, "open", d.command.program,
                                              d.command.parameters,
                                              WorkingFolderOf(d.command.program), 1);
      if (r <= 32)
        Messages().Show(nullptr,
                        d.preparedFailure.empty() ? StartFailureText(r, d.command)
                                                  : d.preparedFailure,
                        kMenuMessageCaption, mb::IconError);
    }
    // The line that made the start go wrong: the dependency, or the program.
    const SourceLine at = ItemLine(n, refused ? "Dependency" : "Run");
    for (ShownBox& box : c.messages_.shown) box.source = at;
    c.ReportMessages("a click on " + Quoted(item.Title), at);
    c.starts_.attempts.clear();
  }

  void ReplayFullkit(int tab, int n) {
    c.messages_.shown.clear();
    c.starts_.attempts.clear();
    const ProgramCommand command =
        BuildItemCommand(c.programFolder_, Ini().ReadString(path, kItems, ItemKey(n, "Run"), ""),
                         Ini().ReadString(path, kItems, ItemKey(n, "Path"), ""));
    const std::intptr_t r = Shell().Execute(nullptr, "open", command.program, command.parameters,
                                            WorkingFolderOf(command.program), 1);
    if (r <= 32)
      Messages().Show(nullptr, StartFailureText(r, command), kMenuMessageCaption, mb::IconError);
    const SourceLine at = ItemLine(n, "Run");
    for (ShownBox& box : c.messages_.shown) box.source = at;
    c.ReportMessages("the batch-install button of tab " + std::to_string(tab), at);
    c.starts_.attempts.clear();
    const std::string hover =
        ExpandLineBreaks(Ini().ReadString(path, kItems, ItemKey(n, "Description"), "ZEKA Fullkit"));
    CheckDescription(ItemLine(n, "Description"), "the description of batch-install item " +
                                                     std::to_string(n), hover);
  }

  void ReplayManual(const SetupItem& item) {
    const std::string what = "the manual button of " + Quoted(item.Title);
    for (const std::string& language : c.KnownLanguages()) {
      c.SetSpecifiedOs("WNT_6.1P_64", language);
      c.starts_.documentsOpen = true;
      c.messages_.answer = mb::IdNo;
      c.messages_.shown.clear();
      c.starts_.attempts.clear();
      manuals.OpenManual(item.ManualPath, "?");
      const std::string folder = manuals.RootFolder() + "\\Manual";
      for (const OpenAttempt& a : c.starts_.attempts) {
        if (SameText(a.path, folder)) {
          c.At(a.source, Severity::Warning,
               what + ": no manual file for " + language +
                   " is on the disc, so the menu opens the Manual folder instead");
        }
      }
      c.ReportFailedOpens(what, ItemLine(item.Number, "Path"));
      c.ReportMessages(what, ItemLine(item.Number, "Path"));
    }
    // Nothing can open the file: the menu offers the reader's installer.
    c.starts_.documentsOpen = false;
    c.messages_.answer = mb::IdYes;
    c.starts_.attempts.clear();
    manuals.OpenManual(item.ManualPath, "?");
    // HTML manuals go to the browser, which every Windows has: the reader
    // is offered only for documents the shell could not open.
    bool html = true;
    for (const OpenAttempt& a : c.starts_.attempts) {
      const std::string ext = LowerCase(ManualExtension(a.path));
      if (a.what == "document") html = ext == ".htm" || ext == ".html";
    }
    for (const OpenAttempt& a : c.starts_.attempts) {
      if (a.what == "program" && !a.found && !html)
        c.At(a.source, Severity::Warning,
             what + ": the reader installer the menu offers when no program opens the manual, " +
                 c.files_.DiscRelative(a.path) + ", is not on the disc");
    }
    c.starts_.attempts.clear();
    c.messages_.shown.clear();
    c.starts_.documentsOpen = true;
    c.messages_.answer = mb::IdOk;
  }

  void ReplaySideButtons() {
    using Click = void (*)(const sidebuttons::Context&);
    const Click clicks[] = {sidebuttons::zkbMBClick, sidebuttons::zkbCDClick,
                            sidebuttons::zkbSupportClick, sidebuttons::zkbFileClick,
                            sidebuttons::zkbPCHelpClick};
    const char* names[] = {"system report", "disc folder", "support text", "file list", "help"};
    for (int j = 0; j < kSideButtons; ++j) {
      if (!model.ButtonShown[static_cast<std::size_t>(j)]) continue;
      const SourceLine at = Line("BUTTONS", "Button" + std::to_string(j));
      const std::string what = std::string("the ") + names[j] + " button";
      c.messages_.shown.clear();
      c.starts_.attempts.clear();
      clicks[j](sidebuttons::Context{c.programFolder_, nullptr, "MB"});
      for (ShownBox& box : c.messages_.shown) box.source = at;
      c.ReportMessages(what, at);
      for (OpenAttempt& a : c.starts_.attempts) a.source = at;
      c.ReportFailedOpens(what, at);
      c.files_.SetCurrentFolder(c.programFolder_);
      CheckDescription(at, "the text of the " + std::string(names[j]) + " button",
                       model.ButtonTexts[static_cast<std::size_t>(j)]);
    }
  }

  void CheckVendorAds(std::vector<std::string>& adPages) {
    const std::string file = c.Program(kVendorAdFile);
    for (const std::string& language : c.KnownLanguages()) {
      VendorAdSeams seams;
      seams.loadInstallPicture = [&](InstallPicture, const std::string& picture) {
        return c.starts_.Open("picture", picture) && IsReadableBitmap(c.files_, picture);
      };
      c.messages_.shown.clear();
      c.starts_.attempts.clear();
      const VendorAds ads = LoadVendorAds(c.programFolder_, language, nullptr, seams);
      c.ReportMessages("the vendor advertisements", {file, 0});
      c.starts_.attempts.clear();
      if (!ads.Ok()) {
        c.AtFile(ads.FailedPicture, Severity::Error,
                 "the \"Install Now\" picture of the vendor advertisements cannot be loaded: the "
                 "menu ends while it loads its configuration");
      }
      for (const std::string& page : ads.AdPages) {
        if (c.files_.FileExists(page)) continue;
        const IniLineIndex* index = c.ini_.Index(file);
        const std::string relative = page.substr((c.programFolder_ + "VendorAD\\").size());
        const IniKeyLine* key = index ? index->FindValue(relative) : nullptr;
        c.At({file, key ? key->line : 0}, Severity::Warning,
             "the advertisement page " + c.files_.DiscRelative(page) +
                 " is not on the disc: the tab shows the browser's error page");
      }
      if (SameText(language, model.Language)) adPages = ads.AdPages;
    }
  }

  void CheckItemsOnNoTab() {
    std::vector<bool> listed(static_cast<std::size_t>(model.ItemNumber) + 1, false);
    for (const MenuTab& tab : model.Tabs) {
      for (const SetupItem& item : tab.Items) listed[static_cast<std::size_t>(item.Number)] = true;
      if (tab.FullkitItem > 0) listed[static_cast<std::size_t>(tab.FullkitItem)] = true;
    }
    const IniLineIndex* index = c.ini_.Index(path);
    for (int n = 1; n <= model.ItemNumber && n <= 100000; ++n) {
      if (listed[static_cast<std::size_t>(n)]) continue;
      auto value = [&](const char* key) {
        return document.ReadString(kItems, ItemKey(n, key), "");
      };
      if (value("IsZekaFullkit") == "1" || value("HideInAutorun") == "1" ||
          StrToIntDef(value("Demoshield_Item"), 0) != 0)
        continue;
      const int tab = StrToIntDef(value("Tab"), -1);
      if (tab == -2 || tab >= model.TabCount) continue;  // the loader has warned
      const std::string prefix = "(" + std::to_string(n) + ")";
      int line = 0;
      if (const IniSectionLines* s = index ? index->FindSection(kItems) : nullptr) {
        for (const IniKeyLine& k : s->keys)
          if (!k.comment && StartsWithText(k.name, prefix)) {
            line = k.line;
            break;
          }
      }
      if (line == 0) {
        c.At(Line(kItems, "ItemNumber"), Severity::Warning,
             "item " + std::to_string(n) + " has no keys, but ItemNumber counts it");
      } else {
        c.At(ItemLine(n, "Tab").line ? ItemLine(n, "Tab") : SourceLine{path, line},
             Severity::Warning,
             "item " + std::to_string(n) + " is listed on no tab: " + prefix + "Tab is " +
                 (value("Tab").empty() ? std::string("missing") : value("Tab")));
      }
    }
  }
};

void Checker::CheckMenuFile(const std::string& path, bool masterList) {
  anyMenu_ = true;
  MenuRun run{*this, path, {}, RowFont(), DescriptionFont(), ManualIni("", ""),
              IniDocument::Parse(files_.Contents(path).value_or(""))};
  const std::string specified = run.document.ReadString("PLATFORM", "Specified OS", "");
  const std::size_t comma = specified.find(',');
  std::string platform = Trim(specified.substr(0, comma));
  std::string language =
      comma == std::string::npos ? std::string() : Trim(specified.substr(comma + 1));
  if (!VersionForTag(platform, version_)) platform = "WNT_6.1P_64";
  if (language.empty()) language = "English";
  SetSpecifiedOs(platform, language);

  MenuConfigSeams seams;
  seams.isExceptionModel = [&](const std::string& product, const std::string& maker) {
    return IsExceptionModel(programFolder_, product, maker);
  };
  seams.openManuals = [&](const std::string& disc, const std::string& settings) {
    run.manuals = ManualIni(disc, settings);
  };
  seams.hasManual = [&](const std::string& key) { return run.manuals.HasManual(key); };
  seams.measureTabCaption = [&](const std::string& caption) {
    const auto w = options_.measurer ? options_.measurer->Width(TabCaptionFont(), caption)
                                     : std::nullopt;
    return w.value_or(0);
  };
  MenuColours colours;
  bool loaded = false;
  messages_.shown.clear();
  loaded = LoadMenuConfiguration(path, programFolder_, nullptr, seams, run.model, colours);
  ReportMessages("at start", {path, 0});
  if (!loaded) {
    // The menu reads nothing more of a file it gave up on.
    fatalFiles_.insert(LowerCase(files_.DiscRelative(path)));
    return;
  }
  MenuModel& model = run.model;
  languages_.insert(model.Language);

  if (!model.FontName.empty()) run.rowFont.name = run.descriptionFont.name = model.FontName;
  if (model.FontSize != -1)
    run.rowFont.height = run.descriptionFont.height = PointsToPixels(model.FontSize);
  if (options_.measurer && !options_.measurer->Width(run.rowFont, "x")) {
    At(run.Line(kItems, "FontName"), Severity::Note,
       "the font " + run.rowFont.name + " cannot be measured here: titles and descriptions are "
       "not measured (disccheck.exe on Windows measures every font)");
  }

  // Tab captions wrap onto two lines of the 95-pixel label, and no more.
  for (int t = 0; t < model.TabCount && options_.measurer; ++t) {
    const std::string& caption = model.Tabs[static_cast<std::size_t>(t)].Caption;
    const auto one = options_.measurer->WrappedHeight(TabCaptionFont(), "x", kTabCaptionWidth);
    const auto all = options_.measurer->WrappedHeight(TabCaptionFont(), caption, kTabCaptionWidth);
    if (one && all && *all > 2 * *one)
      At(run.Line("TABS_INFO", "TAB" + std::to_string(t)), Severity::Warning,
         "the caption " + Quoted(caption) + " of tab " + std::to_string(t) +
             " does not fit the tab's two lines");
  }

  std::vector<std::string> adPages;
  run.CheckVendorAds(adPages);
  const bool adMode = files_.FileExists(Program(kVendorAdFile));
  const HomeTabFacts home = CheckHomeTab(*this, model, platform, language);

  const bool homeWithin = home.tab >= 1 && home.tab <= model.TabCount;
  const int contactTab = homeWithin ? model.TabCount - 2 : model.TabCount - 1;
  const bool hasContact = !model.NoContact && model.TabCount > 1;

  run.CheckDescription(run.Line(kItems, "CD_Description"), "CD_Description", model.CdDescription);
  run.CheckDescription(run.Line("TABS_INFO", "NoItem"), "NoItem", model.NoItemText);
  for (int t = 0; t < model.TabCount; ++t) {
    const MenuTab& tab = model.Tabs[static_cast<std::size_t>(t)];
    const bool special = (hasContact && t == contactTab) || (homeWithin && t == home.tab - 1) ||
                         t < static_cast<int>(adPages.size());
    if (tab.Items.empty() && !special)
      At(run.Line("TABS_INFO", "TAB" + std::to_string(t)), Severity::Warning,
         "tab " + std::to_string(t) + " " + Quoted(tab.Caption) +
             " lists no item: it shows only the NoItem text");
    for (const SetupItem& item : tab.Items) {
      run.CheckTitle(item.Number, item.Title);
      run.CheckDescription(run.ItemLine(item.Number, "Description"),
                           "the description of " + Quoted(item.Title), item.Description);
      if (adMode && !item.AdPage.empty() && !files_.FileExists(Program(item.AdPage)))
        At(run.ItemLine(item.Number, "AD"), Severity::Warning,
           "the item's advertisement page " + files_.DiscRelative(Program(item.AdPage)) +
               " is not on the disc");
      run.ReplayItemClick(item);
      if (!item.ManualPath.empty()) run.ReplayManual(item);
    }
    if (tab.FullkitItem > 0) run.ReplayFullkit(t, tab.FullkitItem);
  }
  run.ReplaySideButtons();
  run.CheckItemsOnNoTab();
  CheckSkins(model, hasContact);
  (void)masterList;
}

}  // namespace pikko::disccheck
