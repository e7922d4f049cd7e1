// The form resource of the menu window as C++ data: every control with its
// geometry, font, colours, flags and handlers, in z-order (later on top).
#include <stdexcept>

#include "app/Autorun3_win.h"

namespace pikko {
namespace {

enum class Kind { Image, Label, Bevel, Panel, Button };

enum Flags : unsigned {
  Hidden = 1,
  Disabled = 2,
  Transparent = 4,
  WordWrap = 8,
  AutoSize = 16,
  Stretch = 32,
  Centred = 64,
  Hand = 128,
  Bold = 256,
  NoColour = 512,  // panel without a colour of its own: the form's
};

using F = TZkAutorunForm;
using ClickFn = void (F::*)(Control&);
using MoveFn = void (F::*)(Control&, ShiftState, int, int);
using PressFn = void (F::*)(Control&, MouseButton, ShiftState, int, int);

struct Entry {
  Kind kind;
  const char* name;
  const char* parent;  // nullptr: the form
  int left, top, width, height;
  const char* caption;
  int fontHeight;
  TColor fontColour;
  TColor colour;
  unsigned flags;
  int tag;
  ClickFn onClick;
  MoveFn onMouseMove;
  PressFn onMouseDown;
};

constexpr TColor kBlue = 0xFF0000, kNavy = 0x800000, kWhite = 0xFFFFFF, kRed = 0x0000FF;

// clang-format off
const Entry kLayout[] = {
  {Kind::Image, "Image1", nullptr, 0, 0, 641, 451, "", 11, 0, 0, AutoSize | Stretch | Disabled, 0, nullptr, &F::Image1MouseMove, nullptr},
  {Kind::Bevel, "Rect1", nullptr, 26, 117, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Bevel, "Rect2", nullptr, 26, 146, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Bevel, "Rect3", nullptr, 26, 176, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Bevel, "Rect4", nullptr, 26, 206, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Bevel, "Rect5", nullptr, 26, 236, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Bevel, "Rect6", nullptr, 26, 266, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Bevel, "Rect7", nullptr, 26, 296, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Bevel, "Rect8", nullptr, 26, 326, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Bevel, "Rect9", nullptr, 26, 356, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Bevel, "Rect10", nullptr, 26, 386, 300, 25, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Label, "sExplain", nullptr, 368, 118, 253, 313, "", 11, 0x714803, 0, WordWrap | Transparent | Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Label, "lblWaiting", nullptr, 210, 226, 374, 32, "Loading...", 24, kNavy, 0, Bold | Transparent | Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Label, "lblWaiting_2", nullptr, 211, 258, 358, 61, "(This may take a few minutes.)", 16, kNavy, 0, Bold | WordWrap | Transparent | Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Image, "imgTitle0", nullptr, 7, 24, 105, 37, "", 11, 0, 0, AutoSize | Hidden, 0, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Image, "imgTitle1", nullptr, 111, 24, 105, 37, "", 11, 0, 0, AutoSize | Hidden, 1, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Image, "imgTitle2", nullptr, 215, 24, 105, 37, "", 11, 0, 0, AutoSize | Hidden, 2, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Image, "imgTitle3", nullptr, 319, 24, 106, 37, "", 11, 0, 0, AutoSize | Hidden, 3, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Image, "imgTitle4", nullptr, 424, 24, 106, 37, "", 11, 0, 0, AutoSize | Hidden, 4, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Image, "imgTitle5", nullptr, 529, 24, 106, 37, "", 11, 0, 0, AutoSize | Hidden, 5, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Label, "lblTitle0", nullptr, 12, 35, 95, 15, "", 11, kWhite, 0, Centred | Transparent | Hidden, 0, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Label, "lblTitle1", nullptr, 116, 35, 95, 15, "", 11, kWhite, 0, Centred | Transparent | Hidden, 1, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Label, "lblTitle2", nullptr, 220, 35, 95, 15, "", 11, kWhite, 0, Centred | Transparent | Hidden, 2, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Label, "lblTitle3", nullptr, 324, 35, 95, 15, "", 11, kWhite, 0, Centred | Transparent | Hidden, 3, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Label, "lblTitle4", nullptr, 429, 35, 95, 15, "", 11, kWhite, 0, Centred | Transparent | Hidden, 4, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Label, "lblTitle5", nullptr, 534, 35, 95, 15, "", 11, kWhite, 0, Centred | Transparent | Hidden, 5, &F::imgTitle0Click, &F::imgTitle1MouseMove, nullptr},
  {Kind::Label, "lblTitleBar", nullptr, 64, 6, 481, 15, "Motherboard Support CD", 11, 0xD8B397, 0, Transparent, 0, nullptr, nullptr, nullptr},
  {Kind::Image, "imgMinimize", nullptr, 566, 0, 26, 18, "", 11, 0, 0, 0, 0, &F::imgMinimizeClick, &F::imgMinimizeMouseMove, &F::imgMinimizeMouseDown},
  {Kind::Image, "imgClose", nullptr, 591, 0, 43, 18, "", 11, 0, 0, 0, 1, &F::imgCloseClick, &F::imgMinimizeMouseMove, &F::imgMinimizeMouseDown},
  {Kind::Image, "imgLogo", nullptr, 5, 5, 68, 20, "", 11, 0, 0, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Label, "lblFullkitError", nullptr, 32, 72, 321, 49, "", 11, kRed, 0, WordWrap | Transparent | Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Button, "zkbMB", nullptr, 362, 69, 50, 45, "", 11, 0, 0, Hand | Disabled | Hidden, 0, &F::zkbMBClick, &F::zkbMBMouseMove, nullptr},
  {Kind::Button, "zkbCD", nullptr, 417, 69, 50, 45, "", 11, 0, 0, Hand | Disabled | Hidden, 1, &F::zkbCDClick, &F::zkbMBMouseMove, nullptr},
  {Kind::Button, "zkbSupport", nullptr, 472, 69, 50, 45, "", 11, 0, 0, Hand | Disabled | Hidden, 2, &F::zkbSupportClick, &F::zkbMBMouseMove, nullptr},
  {Kind::Button, "zkbFile", nullptr, 527, 69, 50, 45, "", 11, 0, 0, Hand | Disabled | Hidden, 3, &F::zkbFileClick, &F::zkbMBMouseMove, nullptr},
  {Kind::Button, "zkbPCHelp", nullptr, 582, 69, 50, 45, "", 11, 0, 0, Hand | Disabled | Hidden, 4, &F::zkbPCHelpClick, &F::zkbMBMouseMove, nullptr},
  {Kind::Button, "zkbFullkit", nullptr, 104, 64, 105, 49, "", 11, 0, 0, Hand | Hidden, 0, &F::zkbFullkitClick, &F::zkbFullkitMouseMove, nullptr},
  {Kind::Button, "zkbPrevious", nullptr, 72, 417, 113, 25, "", 11, 0, 0, Hand | Hidden, 0, &F::ImgPrevClick, nullptr, nullptr},
  {Kind::Button, "zkbNext", nullptr, 194, 419, 123, 22, "", 11, 0, 0, Hand | Hidden, 0, &F::ImgNextClick, nullptr, nullptr},
  {Kind::Panel, "plBrowser", nullptr, 7, 61, 626, 380, "", 11, 0, kBlue, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Panel, "plAD", nullptr, 7, 115, 625, 322, "", 11, 0, 0, Hidden | NoColour, 0, nullptr, nullptr, nullptr},
  {Kind::Button, "zkbADInstall", "plAD", 294, 250, 108, 27, "Install Now", 11, kBlue, 0xD16525, Bold, 0, &F::zkbADInstallClick, nullptr, nullptr},
  {Kind::Panel, "plItemAD", nullptr, 40, 168, 241, 209, "", 11, 0, 0xFFD568, Hidden, 0, nullptr, nullptr, nullptr},
  {Kind::Panel, "plADUp", nullptr, 7, 62, 625, 53, "", 11, 0, 0, Hidden | NoColour, 0, nullptr, nullptr, nullptr},
  {Kind::Panel, "plPromotion", nullptr, 24, 440, 625, 378, "", 11, 0, kBlue, Hidden, 0, nullptr, nullptr, nullptr},
};
// clang-format on

FontStyle FontOf(const Entry& e) {
  FontStyle f;
  f.height = e.fontHeight;
  f.bold = (e.flags & Bold) != 0;
  f.colour = e.fontColour;
  return f;
}

}  // namespace

Control* TZkAutorunForm::Find(const std::string& name) const {
  const auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

bool TZkAutorunForm::BuildFromLayout() {
  for (const Entry& e : kLayout) {
    const std::string parent = e.parent ? e.parent : "";
    // Every property is set before the control joins the form, so that a
    // window is made once, with its final bounds and state.
    auto place = [&](auto control) {
      Control& c = *control;
      c.SetBounds(e.left, e.top, e.width, e.height);
      c.SetTag(e.tag);
      c.SetHandCursor((e.flags & Hand) != 0);
      c.SetEnabled((e.flags & Disabled) == 0);
      c.SetVisible((e.flags & Hidden) == 0);
      if (e.onClick) c.OnClick = [this, fn = e.onClick](Control& s) { (this->*fn)(s); };
      if (e.onMouseMove)
        c.OnMouseMove = [this, fn = e.onMouseMove](Control& s, ShiftState sh, int x, int y) {
          (this->*fn)(s, sh, x, y);
        };
      if (e.onMouseDown)
        c.OnMouseDown = [this, fn = e.onMouseDown](Control& s, MouseButton b, ShiftState sh, int x,
                                                   int y) { (this->*fn)(s, b, sh, x, y); };
      Add(std::move(control), parent);
    };
    switch (e.kind) {
      case Kind::Image: {
        auto img = std::make_unique<Image>(e.name);
        img->SetAutoSize((e.flags & AutoSize) != 0);
        img->SetStretch((e.flags & Stretch) != 0);
        place(std::move(img));
        break;
      }
      case Kind::Label: {
        auto label = std::make_unique<Label>(e.name);
        label->SetFont(FontOf(e));
        label->SetCaption(e.caption);
        label->SetWordWrap((e.flags & WordWrap) != 0);
        label->SetTransparent((e.flags & Transparent) != 0);
        label->SetAlignment((e.flags & Centred) ? Alignment::Center : Alignment::Left);
        place(std::move(label));
        break;
      }
      case Kind::Button: {
        auto button = std::make_unique<ZkButtonTx>(e.name);
        button->SetFont(FontOf(e));
        button->SetCaption(e.caption);
        // The text buttons show their caption navy while pressed and blue
        // under the pointer.
        button->FontColors().SetSunken(kNavy);
        button->FontColors().SetFocused(kBlue);
        if (e.colour) button->SetTransparentColor(e.colour);
        place(std::move(button));
        break;
      }
      case Kind::Bevel:
        place(std::make_unique<Bevel>(e.name));
        break;
      case Kind::Panel: {
        auto panel = std::make_unique<Panel>(e.name);
        panel->SetColour((e.flags & NoColour) ? Colour() : e.colour);
        place(std::move(panel));
        break;
      }
    }
  }

  auto get = [this](const std::string& name) {
    Control* c = Find(name);
    if (!c) throw std::logic_error("layout: missing " + name);
    return c;
  };
  Image1 = static_cast<Image*>(get("Image1"));
  for (int r = 0; r < kRowsPerPage; ++r) RowFrames[r] = static_cast<Bevel*>(get("Rect" + std::to_string(r + 1)));
  sExplain = static_cast<Label*>(get("sExplain"));
  lblWaiting = static_cast<Label*>(get("lblWaiting"));
  lblWaiting_2 = static_cast<Label*>(get("lblWaiting_2"));
  for (int t = 0; t < kMaxTabs; ++t) {
    TabImages[t] = static_cast<Image*>(get("imgTitle" + std::to_string(t)));
    TabCaptions[t] = static_cast<Label*>(get("lblTitle" + std::to_string(t)));
  }
  lblTitleBar = static_cast<Label*>(get("lblTitleBar"));
  imgMinimize = static_cast<Image*>(get("imgMinimize"));
  imgClose = static_cast<Image*>(get("imgClose"));
  imgLogo = static_cast<Image*>(get("imgLogo"));
  lblFullkitError = static_cast<Label*>(get("lblFullkitError"));
  plBrowser = static_cast<Panel*>(get("plBrowser"));
  plAD = static_cast<Panel*>(get("plAD"));
  plItemAD = static_cast<Panel*>(get("plItemAD"));
  plADUp = static_cast<Panel*>(get("plADUp"));
  plPromotion = static_cast<Panel*>(get("plPromotion"));
  zkbADInstall = static_cast<ZkButtonTx*>(get("zkbADInstall"));
  const char* side[] = {"zkbMB", "zkbCD", "zkbSupport", "zkbFile", "zkbPCHelp"};
  for (int j = 0; j < 5; ++j) SideButtons[j] = static_cast<ZkButtonTx*>(get(side[j]));
  zkbFullkit = static_cast<ZkButtonTx*>(get("zkbFullkit"));
  zkbPrevious = static_cast<ZkButtonTx*>(get("zkbPrevious"));
  zkbNext = static_cast<ZkButtonTx*>(get("zkbNext"));
  return true;
}

}  // namespace pikko
