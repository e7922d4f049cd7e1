// A push button with four state bitmaps (raised, sunken, focused,
// disabled) that clicks. Space clicks it when it has the focus, once however
// long it is held; Enter shows it pressed while held but does not click. A
// double click is one click.
#pragma once

#include <string>

#include "Component/ZkAppearance_win.h"

namespace pikko {

class ZkButton : public ZkCustomControl {
 public:
  explicit ZkButton(std::string name);

  ZkFourStateAppearance& Appearance() { return appearance_; }
  // Copies the given appearance's bitmaps into the button's own.
  void SetAppearance(const ZkFourStateAppearance& a) { a.AssignTo(appearance_); }
  int ModalResult = 0;

  // Loads the state bitmaps from BMP files in folder; an empty name leaves
  // its state unchanged. Throws when a named file cannot be read.
  bool LoadBitmap(const std::string& folder, const std::string& raised, const std::string& sunken,
                  const std::string& focused, const std::string& disabled);

  void ShowSunken() override { ShowBitmap(1); }
  void ShowFocused() override { ShowBitmap(2); }
  void ShowDisabled() override { ShowBitmap(3); }
  // Hands the modal result to the button's form, then fires OnClick.
  void Click() override;

 protected:
  void KeyPress(char key, bool repeated) override;

 private:
  ZkFourStateAppearance appearance_;
};

}  // namespace pikko
