// The menu window's life: the start-up steps in their established order, the
// waiting start, the menu configuration applied to the controls, the pinned
// size and closing.
#include "app/Autorun3_win.h"

#include "app/StartupTrace_win.h"

#include <stdexcept>

#include "Manual_Opener/Manualini.h"
#include "actions/ExceptionModel.h"
#include "actions/VendorAds.h"
#include "browser/WebBrowser_win.h"
#include "env/Text.h"
#include "env/Translation.h"
#include "platform/IniSnapshot.h"
#include "platform/Ports.h"
#include "platform/ScopedWin.h"
#include "promotion/HomeTabPanelView_win.h"
#include "promotion/Hometabpromotion.h"
#include "promotion/PromotionPage.h"
#include "toolkit/Application_win.h"
#include "toolkit/Display_win.h"

namespace pikko {
namespace {

constexpr const char* kCaption = kMenuMessageCaption;
constexpr int kWindowWidth = 660;
constexpr int kWindowHeight = 512;

int DesktopColourDepth() {
  win::ScopedGetDc dc(nullptr);
  return ::GetDeviceCaps(dc.Get(), BITSPIXEL) * ::GetDeviceCaps(dc.Get(), PLANES);
}

}  // namespace

TZkAutorunForm::TZkAutorunForm(const StartOptions& options)
    : Form("ZkAutorunForm"), options_(options), commandLine_(options.argumentText) {
  OnClose = [this] { FormClose(); };
  OnWindowPosChanging = [this](WINDOWPOS& pos) { WMWindowPosChanging(pos); };
  // The one manual opener of the process, made while the menu file loads.
  OpenManual = [this](const std::string& key, const std::string& question) {
    if (const ManualIni* manuals = ManualIni::Existing()) manuals->OpenManual(key, question, Handle());
  };
}

TZkAutorunForm::~TZkAutorunForm() {
  SetLive(false);
  // The process-wide promotion forgets this window's view before it goes:
  // its timer, buttons and browser, while the promotion panel still lives.
  HomeTab::Instance().Detach();
  PromotionView.reset();
  // The browsers go before the panels that hold their windows.
  wbContact.reset();
  wbAD.reset();
  wbItemAD.reset();
  wbADUp.reset();
  // The window and its child windows go while every control still lives.
  DestroyHandle();
}

std::unique_ptr<TZkAutorunForm> TZkAutorunForm::Create(const StartOptions& options) {
  std::unique_ptr<TZkAutorunForm> form(new TZkAutorunForm(options));
  form->SetBounds(0, 0, kWindowWidth, kWindowHeight);
  if (!form->CreateHandle(nullptr)) return nullptr;
  StartupMark("main window");
  Application::Instance().SetMainWindow(form->Handle());
  try {
    if (form->Construct()) {
      form->SetLive(true);
      form->Show();
      form->Update();
      StartupMark("first paint");
      // Before any input is taken: a button pointed at or pressed has its
      // picture for it.
      form->ComposeQueuedPictures(false);
      form->CreateBrowsers();
      StartupMark("browsers");
      // Keys reach the menu from the start, without a click on it first.
      ::SetForegroundWindow(form->Handle());
    }
  } catch (const std::exception& e) {
    // A skin file that cannot be loaded: the window is not shown and the
    // program ends after the error is shown.
    Application::Instance().ShowException(e.what());
    Application::Instance().Terminate();
  }
  return form;
}

bool TZkAutorunForm::Construct() {
  // 1. The controls of the form; the application takes the form's caption.
  BuildFromLayout();
  StartupMark("controls made");
  LoadResourcePictures();
  StartupMark("controls built");
  Application::Instance().SetTitle(Caption());
  DebugMode = commandLine_.DebugMode();

  // 2. Folders and board type.
  ProgramFolder = ExtractFilePath(Folders().ProgramFileName());
  SkinFolder = ProgramFolder;
  BoardType = commandLine_.GetOptionValue("-M_");
  if (BoardType.empty()) BoardType = "MB";

  // 3. Presentation state and the row controls.
  SelectedTab = HoverTab = HoverRow = HoverChrome = -1;
  CurrentPage = 0;
  BuildRows();
  BuildKeyboardSupport();

  // 4. The normal look's colours.
  ItemColorUp = ItemColorMove = ItemColorDown = 0xF1F3D7;
  TabColorUp = 0x867D70;
  TabColorDown = 0xF7F9F9;
  GlowColor = 0x533B0D;

  // 5. Gaming mode from the board, or forced by a marker file.
  GamingMode = ProbeDeviceStatus() == 2 || Files().FileExists(ProgramFolder + "ForceGaming");
  if (GamingMode) ApplyGamingLook();

  // 6.-9. Tab pictures, width, the skin for the display, the title bar.
  LoadTabImages();
  SetWidth(kWindowWidth);
  ColourDepth = options_.colourDepth ? options_.colourDepth() : DesktopColourDepth();
  // The skinned controls draw in the depth the skin was chosen for.
  SetDisplayColourDepth(ColourDepth);
  if (!ChooseSkin()) return false;
  StartupMark("skin chosen");
  lblTitleBar->SetLeft(imgLogo->Left() + imgLogo->Width() + 5);
  imgMinimize->SetPicture(imgMiniUp);
  imgClose->SetPicture(imgCloseUp);

  // 10.-12. Translations, resting tab pictures, the rows' look.
  LoadTranslationLibrary();
  for (Image* tab : TabImages) tab->SetPicture(imgTitleUp);
  SetRowColour(ItemColorUp);
  SetRowGlow(GlowColor);
  for (int r = 0; r < kRowsPerPage; ++r) {
    // The manual pictures are part of every disc, also in the gaming look: a
    // missing one ends the start. One the PNG library refuses leaves that
    // state of the manual buttons blank.
    for (const auto& [file, state] : {std::pair<const char*, int>{"BtnImages\\manual_n.png", 0},
                                      {"BtnImages\\manual_d.png", 1},
                                      {"BtnImages\\manual_o.png", 2}})
      QueueButtonPicture(file, *ManualButtons[r], state, true);
  }

  StartupMark("translations and manual pictures");
  // 13. The window takes the shape of its background, which drags it.
  ShapeWindow();
  StartupMark("window shaped");

  // 14.-15. Texts in the user's language; the browser panels lie where the
  // layout puts them.
  LocaliseTexts();
  StartupMark("texts");

  // 16.-17. The waiting start polls the companion program's answer.
  if (commandLine_.Waiting()) {
    lblWaiting->Show();
    lblWaiting_2->Show();
    tmrPooling.SetInterval(10);
    tmrPooling.OnTimer = [this] { tmrPoolingTimer(); };
    tmrPooling.SetEnabled(true);
    return true;
  }

  // 18. Otherwise the menu now.
  if (!LoadMenuConfiguration()) return false;
  StartupMark("menu configuration");
  if (GamingMode) {
    sExplain->SetFontColour(0x8D8D8D);
    lblTitleBar->SetLeft(54);
  }
  FinishStartup();
  StartupMark("start finished");
  return true;
}

void TZkAutorunForm::LocaliseTexts() {
  if (SameText(LanguageFolderName(), "Japanese")) {
    constexpr int kShiftJis = 128;
    std::vector<Label*> labels = {sExplain, lblTitleBar, lblWaiting, lblWaiting_2, lblFullkitError};
    labels.insert(labels.end(), ItemRows.begin(), ItemRows.end());
    labels.insert(labels.end(), TabCaptions.begin(), TabCaptions.end());
    for (Label* l : labels) {
      l->GetFont().SetCharset(kShiftJis);
      l->Invalidate();
    }
  }
  for (Label* l : {lblWaiting, lblWaiting_2, lblTitleBar}) l->SetCaption(Translate(l->Caption()));
  zkbADInstall->SetCaption(Translate("Install Now"));
  imgMinimize->SetHint(Translate("Minimize the window"));
  imgClose->SetHint(Translate("Close this application"));
}

void TZkAutorunForm::CreateBrowsers() {
  // Once: the browser library is heavy to load, so the panels get their
  // browsers right after the window's first paint, before the user can
  // reach them (input waits in the queue until this returns). The tooltips
  // of the title bar's images come now too: only a resting pointer shows
  // them.
  if (browsersMade_) return;
  browsersMade_ = true;
  AddHintTool(*imgMinimize);
  AddHintTool(*imgClose);
  if (PromotionView) PromotionView->MakeHeldBrowser();
  // The browsers' panels get their windows now, hidden, and keep their
  // places among the others.
  for (Panel* panel : {plBrowser, plAD, plADUp, plItemAD})
    if (!panel->EnsureHandle()) ThrowCannotCreate(*panel);
  wbContact = WebBrowser::Create(plBrowser->Handle(), 24, 32, 650, 450);
  wbAD = WebBrowser::Create(plAD->Handle(), -2, -75, 660, 450);
  wbADUp = WebBrowser::Create(plADUp->Handle(), -2, -2, 660, 450);
  wbItemAD = WebBrowser::Create(plItemAD->Handle(), -2, -2, 660, 450);
  // "Install Now" lies over the advertisement page, not under it.
  ::SetWindowPos(zkbADInstall->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const std::string contact =
      SkinFolder + (ColourDepth > 4 ? "contact\\contact_256_n00.htm" : "contact\\contact_16_n00.htm");
  if (wbContact && Files().FileExists(contact)) wbContact->Navigate(contact);
  // A tab chosen before the browsers were there shows its pages now.
  const int t = SelectedTab;
  if (t >= 0 && t < Model.TabCount && static_cast<int>(AdPages.size()) > t && plAD->Visible()) {
    if (wbAD) wbAD->Navigate(AdPages[static_cast<std::size_t>(t)]);
    if (wbADUp) wbADUp->Navigate(AdPages[static_cast<std::size_t>(t)]);
  }
  if (plBrowser->Visible() && wbContact) wbContact->SetBounds(-1, -1, 650, 450);
}

bool TZkAutorunForm::LoadMenuConfiguration() {
  MenuColours colours{ItemColorUp, ItemColorMove, ItemColorDown, TabColorUp, TabColorDown, {}, {}};
  MenuConfigSeams seams;
  seams.isExceptionModel = [this](const std::string& product, const std::string& maker) {
    return IsExceptionModel(ProgramFolder, product, maker);
  };
  seams.openManuals = [](const std::string& disc, const std::string& settings) {
    ManualIni::Instance(disc, settings);
  };
  seams.hasManual = [](const std::string& key) {
    const ManualIni* manuals = ManualIni::Existing();
    return manuals && manuals->HasManual(key);
  };
  seams.measureTabCaption = [this](const std::string& caption) {
    return MeasureText(TabCaptions[0]->GetFont(), caption);
  };
  const std::string path = MenuConfigPath(DebugMode, ProgramFolder);
  // The file is read once for the whole load, not once for every key.
  ScopedIniSnapshot snapshot(path);
  if (!pikko::LoadMenuConfiguration(path, ProgramFolder,
                                    Handle(), seams, Model, colours)) {
    Application::Instance().Terminate();
    return false;
  }
  ItemColorUp = colours.ItemColorUp;
  ItemColorMove = colours.ItemColorMove;
  ItemColorDown = colours.ItemColorDown;
  TabColorUp = colours.TabColorUp;
  TabColorDown = colours.TabColorDown;
  if (colours.Description) sExplain->SetFontColour(*colours.Description);
  if (colours.WindowCaption) lblTitleBar->SetFontColour(*colours.WindowCaption);

  // The tab bar: one place for each tab, two-line captions where needed.
  const int tabs = std::min<int>(Model.TabCount, kMaxTabs);
  for (int t = 0; t < tabs; ++t) {
    Label* caption = TabCaptions[t];
    caption->Show();
    if (Model.TabCaptionWraps[t]) {
      caption->SetWordWrap(true);
      caption->SetBounds(caption->Left(), 30, caption->Width(), 30);
    }
    caption->SetCaption(Model.Tabs[t].Caption);
    TabImages[t]->Show();
  }
  // Present side buttons close the gaps of absent ones.
  for (int j = 0; j < 5; ++j) {
    if (Model.ButtonShown[j]) SideButtons[j]->SetLeft(SideButtons[j]->Left() - Model.ButtonShift[j]);
  }
  SetRowColour(ItemColorUp);
  for (Label* c : TabCaptions) c->SetFontColour(TabColorUp);

  // Fonts of the rows and the description.
  std::vector<Label*> fonted(ItemRows.begin(), ItemRows.end());
  fonted.push_back(sExplain);
  for (Label* l : fonted) {
    if (!Model.FontName.empty()) l->GetFont().SetName(Model.FontName);
    if (Model.FontSize != -1) l->GetFont().SetPointSize(Model.FontSize);
    l->Invalidate();
  }

  // Titles: window, title bar and application.
  SetCaption(Model.CdTitle);
  lblTitleBar->SetCaption(Caption());
  Application::Instance().SetTitle(lblTitleBar->Caption());
  sExplain->SetCaption(Model.CdDescription);
  zkbFullkit->SetVisible(Model.SupportFullkit);

  plBrowser->Hide();
  ShowSideButtons(true);
  zkbPrevious->Hide();
  zkbNext->Hide();

  // Vendor advertisement tabs come with their own INI file.
  if (!LoadVendorAds()) return false;

  plPromotion->SetBounds(8, 61, plPromotion->Width(), plPromotion->Height());
  HomeTab& home = HomeTab::Instance();
  // The promotion borrows the view of this window; a second load lets go
  // of the old view first.
  home.Detach();
  PromotionView = std::make_unique<HomeTabPanelView>(home, *plPromotion);
  if (!browsersMade_) PromotionView->HoldBrowser();
  // The promotion's panel window is made only for a disc that has one.
  const std::string homeFolder = ProgramFolder + "HomeTab";
  if (Files().FileExists(homeFolder + "\\" + kPromotionFileName) && !plPromotion->EnsureHandle())
    ThrowCannotCreate(*plPromotion);
  home.Init(plPromotion->Handle(), homeFolder, PromotionView.get());
  const int first = home.IsHomeTabWithin(Model.TabCount) ? home.HomeTabNumber() - 1 : 0;
  if (first >= 0 && first < tabs) imgTitle0Click(*TabImages[first]);
  return true;
}

void TZkAutorunForm::FinishStartup() {
  LoadButtonSkins();
  Image1->SetEnabled(true);
  for (int j = 0; j < 5; ++j) {
    SideButtons[j]->SetEnabled(true);
    SideButtons[j]->SetVisible(Model.ButtonShown[j]);
  }
  lblWaiting->Hide();
  lblWaiting_2->Hide();
  if (HomeTab::Instance().IsHomeTabWithin(Model.TabCount)) HomeTab::Instance().Show();
  // The pictures of what the first paint shows; the rest come right after it.
  ComposeQueuedPictures(true);
}

void TZkAutorunForm::tmrPoolingTimer() {
  tmrPooling.SetEnabled(false);
  int result = 0;
  switch (Registry().ReadCurrentUserInteger("Software\\ZEKA\\Autorun", "Result", result)) {
    case RegistryPort::Status::NoKey:
      Messages().Show(nullptr, "Can't open Registry key.", kCaption, mb::IconError);
      Application::Instance().Terminate();
      return;
    case RegistryPort::Status::NoValue:
      // The timer stays off: the companion program broke its promise.
      throw std::runtime_error("Invalid data type for 'Result'");
    case RegistryPort::Status::Ok:
      break;
  }
  if (result == 0) {
    tmrPooling.SetEnabled(true);
  } else if (result == 1) {
    Application::Instance().Terminate();
  } else if (result == 2) {
    if (!LoadMenuConfiguration()) return;
    FinishStartup();
    Show();
    ComposeQueuedPictures(false);
  }
  // Any other value: polling has stopped and the window keeps waiting.
}

void TZkAutorunForm::WMWindowPosChanging(WINDOWPOS& pos) {
  if (pos.flags & SWP_NOSIZE) return;
  if (pos.cx != kWindowWidth || pos.cy != kWindowHeight) {
    pos.cx = kWindowWidth;
    pos.cy = kWindowHeight;
    Invalidate();
  }
}

void TZkAutorunForm::FormClose() { Application::Instance().Terminate(); }

int TZkAutorunForm::ContactTab() const {
  return HomeTab::Instance().IsHomeTabWithin(Model.TabCount) ? Model.TabCount - 2
                                                             : Model.TabCount - 1;
}

}  // namespace pikko
