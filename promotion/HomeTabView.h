// What the home-tab promotion asks of the window: the controls on the
// promotion panel and the application. The portable HomeTab decides what
// happens; a view built by the window over its panel does it, and forwards
// the events of its controls back to the HomeTab that drives it:
//
//   install button click, pointer enter, pointer leave
//       -> HomeTab::InstallClick, InstallMouseEnter, InstallMouseLeave
//   next and previous button clicks -> HomeTab::NextClick, PreviousClick
//   rotation timer tick             -> HomeTab::RotationTimerTick
//
// The window owns its view; the HomeTab borrows it from Init until Detach
// (or the next Init). The controls the view creates belong to the panel.
#pragma once

#include <string>

#include "toolkit/Pixels.h"

namespace pikko {

// The install button as it is created: a text button with a caption in a
// font of its own.
struct InstallButtonStyle {
  std::string caption;
  std::string fontName;
  int fontSize = 0;  // points
  TColor fontColour = 0;
};

// The install button for one page: its bounds within the panel, the hand
// cursor, and its raised, sunken and focused pictures (full paths). The
// disabled picture is never set.
struct InstallButtonLook {
  int left = 0, top = 0, width = 0, height = 0;
  std::string raised, sunken, focused;
};

// A page button: its place within the panel and its four pictures.
struct PageButtonLook {
  int left = 0, top = 0;
  std::string raised, sunken, focused, disabled;
};

class HomeTabView {
 public:
  virtual ~HomeTabView() = default;

  // The promotion's browser, a child of the panel at 0,0, 200 pixels wider
  // and higher than the panel (the panel clips it), made visible.
  virtual void CreateBrowser() = 0;
  // Shows a page (a full path; the browser takes at most 260 characters).
  virtual void Navigate(const std::string& page) = 0;
  virtual void SetPanelVisible(bool visible) = 0;

  // Creates the install button on the panel, visible.
  virtual void CreateInstallButton(const InstallButtonStyle& style) = 0;
  // Places the install button, gives it its pictures and shows it. A picture
  // that cannot be read leaves the button without it.
  virtual void ShowInstallButton(const InstallButtonLook& look) = 0;
  virtual void HideInstallButton() = 0;

  // Creates the next and previous buttons on the panel, visible.
  virtual void CreatePageButtons(const PageButtonLook& next, const PageButtonLook& previous) = 0;
  virtual void EnablePageButtons(bool previous, bool next) = 0;

  // The rotation timer: created stopped; a start begins the full interval anew.
  virtual void CreateRotationTimer(int intervalMs) = 0;
  virtual void StartRotationTimer() = 0;
  virtual void StopRotationTimer() = 0;

  // Minimises the whole application (after a product installer started).
  virtual void MinimiseApplication() = 0;
};

}  // namespace pikko
