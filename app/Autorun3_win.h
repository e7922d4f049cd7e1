// The menu window: its controls, its start-up in the established order, the
// tab bar and item list, the window chrome, and the waiting start.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <stdexcept>
#include <type_traits>
#include <memory>
#include <string>
#include <vector>

#include "actions/LaunchPlanner.h"
#include "app/CommandLine.h"
#include "app/KeyboardNavigation.h"
#include "app/MenuConfig.h"
#include "Component/ZkButtonTx_win.h"
#include "Graphics/CustomWindowMaker_win.h"
#include "Graphics/PngReader.h"
#include "Graphics/ZkLabel_win.h"
#include "toolkit/Bevel_win.h"
#include "toolkit/Form_win.h"
#include "toolkit/Image_win.h"
#include "toolkit/Label_win.h"
#include "toolkit/Panel_win.h"
#include "toolkit/Timer_win.h"

namespace pikko {

class WebBrowser;
class HomeTabPanelView;
class RowFocusMark;
class AccessibleTree;

// What the window needs to know from outside at start.
struct StartOptions {
  std::string argumentText;  // the command line without the program name
  // Bits per pixel of the desktop; the real display's when not set.
  std::function<int()> colourDepth;
};

class TZkAutorunForm : public Form {
 public:
  // Builds the window and runs the start-up steps. Returns nullptr only when
  // the window itself cannot be created; a start-up that ended the
  // application returns the (hidden) form, and Application::Terminated()
  // tells.
  static std::unique_ptr<TZkAutorunForm> Create(const StartOptions& options);
  ~TZkAutorunForm() override;

  // The state the other parts of the menu work with.
  std::string ProgramFolder;
  std::string SkinFolder;
  std::string BoardType = "MB";
  bool DebugMode = false;
  bool GamingMode = false;
  int ColourDepth = 32;
  TColor ItemColorUp = 0, ItemColorMove = 0, ItemColorDown = 0;
  TColor TabColorUp = 0, TabColorDown = 0, GlowColor = 0;
  MenuModel Model;
  int SelectedTab = -1, HoverTab = -1, HoverRow = -1, CurrentPage = 0, HoverChrome = -1;
  bool VendorAdMode = false;
  std::vector<std::string> AdPages;

  // Controls of the form, found by name after the layout is built.
  Image* Image1 = nullptr;
  std::array<Bevel*, kRowsPerPage> RowFrames{};
  Label* sExplain = nullptr;
  Label* lblWaiting = nullptr;
  Label* lblWaiting_2 = nullptr;
  std::array<Image*, kMaxTabs> TabImages{};
  std::array<Label*, kMaxTabs> TabCaptions{};
  Label* lblTitleBar = nullptr;
  Image* imgMinimize = nullptr;
  Image* imgClose = nullptr;
  Image* imgLogo = nullptr;
  Label* lblFullkitError = nullptr;
  Panel* plBrowser = nullptr;
  Panel* plAD = nullptr;
  Panel* plItemAD = nullptr;
  Panel* plADUp = nullptr;
  Panel* plPromotion = nullptr;
  ZkButtonTx* zkbADInstall = nullptr;
  std::array<ZkButtonTx*, 5> SideButtons{};
  ZkButtonTx* zkbFullkit = nullptr;
  ZkButtonTx* zkbPrevious = nullptr;
  ZkButtonTx* zkbNext = nullptr;
  Timer tmrPooling;

  // The rows built at start.
  std::array<ZkOuterGlowLabel*, kRowsPerPage> ItemRows{};
  std::array<ZkOuterGlowLabel*, kRowsPerPage> EllipsisLabels{};
  std::array<ZkButtonTx*, kRowsPerPage> ManualButtons{};

  // Hidden picture holders.
  Bitmap imgMiniUp, imgMiniOver, imgMiniDown, imgCloseUp, imgCloseOver, imgCloseDown;
  Bitmap imgTitleUp, imgTitleDown, imgTitleOver, imgTitleUp16, imgTitleDown16;

  std::unique_ptr<WebBrowser> wbContact, wbAD, wbItemAD, wbADUp;
  // The promotion panel's controls, driven by the process-wide HomeTab.
  std::unique_ptr<HomeTabPanelView> PromotionView;
  // Shapes the window from Image1 and drags it by it.
  std::unique_ptr<CustomWindowMaker> WindowMaker;

  // Start-up.
  void FinishStartup();
  bool LoadMenuConfiguration();
  void tmrPoolingTimer();
  void WMWindowPosChanging(WINDOWPOS& pos);
  void FormClose();

  // Tab bar and item list.
  void ShowItemPage(int tab, int page);
  // No rows, ellipses, manual or paging buttons; no row hovered.
  void HideItemPage();
  void ExpandRow(int newRow, int oldRow);
  void ShowContactPanel(bool show);
  void ShowSideButtons(bool visible);
  void Label1MouseMove(Control& sender, ShiftState shift, int x, int y);
  void ManualButtonMouseMove(Control& sender, ShiftState shift, int x, int y);
  void Label1MouseDown(Control& sender, MouseButton b, ShiftState shift, int x, int y);
  void Label1MouseUp(Control& sender, MouseButton b, ShiftState shift, int x, int y);
  void Image1MouseMove(Control& sender, ShiftState shift, int x, int y);
  void imgTitle1MouseMove(Control& sender, ShiftState shift, int x, int y);
  void imgTitle0Click(Control& sender);
  void ImgNextClick(Control& sender);
  void ImgPrevClick(Control& sender);

  // Item actions.
  void Label1Click(Control& sender);
  void ItemManualClick(Control& sender);
  void zkbFullkitClick(Control& sender);
  void zkbFullkitMouseMove(Control& sender, ShiftState shift, int x, int y);
  // The vendor advertisement tabs: their pages and the "Install Now"
  // pictures. False when a picture cannot be read (the load then ends as
  // for a broken skin: the error is shown and the program ends).
  bool LoadVendorAds();
  void zkbADInstallClick(Control& sender);
  // The batch-install button of the tab, or the model notice in its place.
  void ShowFullkitOrNotice(int tab);
  // The side buttons: the system report, the disc's folder, the support
  // text, the file list and the help file; hovering describes them.
  void zkbMBClick(Control& sender);
  void zkbCDClick(Control& sender);
  void zkbSupportClick(Control& sender);
  void zkbFileClick(Control& sender);
  void zkbPCHelpClick(Control& sender);
  void zkbMBMouseMove(Control& sender, ShiftState shift, int x, int y);
  // Opens an item's manual with the question to ask when nothing can open it.
  std::function<void(const std::string& manualKey, const std::string& question)> OpenManual;

  // Chrome.
  void imgMinimizeMouseMove(Control& sender, ShiftState shift, int x, int y);
  void imgMinimizeMouseDown(Control& sender, MouseButton b, ShiftState shift, int x, int y);
  void imgMinimizeClick(Control& sender);
  void imgCloseClick(Control& sender);

  // The item shown in row r of the current page, or nullptr.
  const SetupItem* RowItem(int row) const;
  // The selected tab's model, or nullptr while none is selected.
  const MenuTab* SelectedMenuTab() const;
  // The font colour of the ten rows and their ellipsis markers.
  void SetRowColour(TColor colour);
  // The glow colour of the ten rows and their ellipsis markers.
  void SetRowGlow(TColor glow);
  // The hovered row goes back to rest, folded; no row is hovered then.
  void LeaveHoveredRow();

  // The keyboard and screen readers (MenuKeyboard_win.cpp,
  // AccessibleTree_win.cpp).
  KeyboardNavigation Keyboard;
  RowFocusMark* KeyboardFocusMark = nullptr;
  void BuildKeyboardSupport();
  // Every skinned button of the window in a fixed order, shown or not (null
  // where the promotion has not made its buttons).
  std::vector<ZkButtonTx*> AllButtons() const;
  // The buttons that can take the focus now, in Tab order.
  std::vector<ZkButtonTx*> FocusableButtons() const;
  // What the pointer resting on the button would say in the description.
  std::string ButtonHoverText(const ZkButtonTx& button) const;
  // Rows of the page that show an item and can be reached now.
  int ReachableRows() const;
  MenuNavView NavView() const;
  void RunNavCommands(const NavCommands& commands);
  void UpdateFocusMark();
  // The screen-reader view of the window (made on the first request).
  AccessibleTree& Accessible();

 protected:
  bool PreviewKey(WindowedControl& target, UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  explicit TZkAutorunForm(const StartOptions& options);
  bool BuildFromLayout();
  template <class T>
  T* Add(std::unique_ptr<T> control, const std::string& parent);
  Control* Find(const std::string& name) const;
  bool Construct();  // the start-up steps; false when start-up ended

  void LoadResourcePictures();
  void ApplyGamingLook();
  void LoadTabImages();
  bool ChooseSkin();
  void LocaliseTexts();
  void CreateBrowsers();
  void BuildRows();
  void ShapeWindow();
  void LoadButtonSkins();
  // One state picture of a button: the PNG file (relative to the program
  // folder) blended over the background at left, top, where the button lies.
  // state: 0 raised, 1 sunken, 2 focused. Anything but Loaded leaves the
  // state as it was: CannotOpen for a file that is not there, Rejected for
  // one the PNG library refuses.
  PngFileResult CompositeButtonPicture(const std::string& file, ZkButtonTx& button, int left,
                                       int top, int state);
  // The same, composited later (over the background where the button lies
  // now): before the first paint when the button shows in it with that
  // state, otherwise right after it. A required picture that is not on the
  // disc ends the start now.
  void QueueButtonPicture(const std::string& file, ZkButtonTx& button, int state, bool required);
  // Composites the queued pictures: only those the first paint shows, or all
  // of them (and lets go of the decoded pictures).
  void ComposeQueuedPictures(bool firstPaintOnly);
  [[noreturn]] void ThrowMissingPicture(const std::string& file) const;
  // A picture of the disc decoded once for the whole start (the ten manual
  // buttons share three pictures); null, with the reason in result, when it
  // cannot be read.
  const Bitmap* DecodedPicture(const std::string& file, PngFileResult& result);
  int ContactTab() const;
  int ClickedRow(const Control& sender) const;
  bool RefuseWhileInstallerRuns();
  void StartProgram(const ProgramCommand& command, const std::string& preparedFailure);

  StartOptions options_;
  CommandLine commandLine_;
  std::vector<std::unique_ptr<Control>> owned_;
  std::map<std::string, Control*> byName_;
  bool browsersMade_ = false;
  // Decoded pictures by lower-cased path, let go when the start is finished.
  std::map<std::string, std::unique_ptr<Bitmap>> decodedPictures_;
  struct QueuedPicture {
    std::string file;
    ZkButtonTx* button;
    int left, top, state;
    bool required;
  };
  std::vector<QueuedPicture> queuedPictures_;
  // Last: it lets go of the window's clients while every control still lives.
  std::shared_ptr<AccessibleTree> accessible_;
};

template <class T>
T* TZkAutorunForm::Add(std::unique_ptr<T> control, const std::string& parent) {
  T* raw = control.get();
  WindowedControl* host = this;
  if (!parent.empty()) host = dynamic_cast<WindowedControl*>(Find(parent));
  if (!host) throw std::logic_error("layout: unknown parent " + parent);
  if constexpr (std::is_base_of_v<WindowedControl, T>) {
    host->AddChild(*raw);
    // Made with its final bounds and state: a hidden one when first shown.
    raw->SetCreateWhenShown(true);
    if (!raw->CreateHandle(host)) ThrowCannotCreate(*raw);
  } else {
    host->AddChild(*raw);
  }
  byName_[raw->Name()] = raw;
  owned_.push_back(std::move(control));
  return raw;
}

}  // namespace pikko
