#include "Component/ZkButton_win.h"

#include "toolkit/Form_win.h"

namespace pikko {

ZkButton::ZkButton(std::string name) : ZkCustomControl(std::move(name), false, 4), appearance_(*this, 0) {}

bool ZkButton::LoadBitmap(const std::string& folder, const std::string& raised,
                          const std::string& sunken, const std::string& focused,
                          const std::string& disabled) {
  return appearance_.Load(folder, raised, sunken, focused, disabled);
}

void ZkButton::Click() {
  for (WindowedControl* p = Parent(); p; p = p->Parent()) {
    if (auto* form = dynamic_cast<Form*>(p)) {
      form->SetModalResult(ModalResult);
      break;
    }
  }
  ZkCustomControl::Click();
}

void ZkButton::KeyPress(char key, bool repeated) {
  ZkCustomControl::KeyPress(key, repeated);
  // One press, one click: a held Space starts nothing again.
  if (key == ' ' && !repeated) Click();
}

}  // namespace pikko
