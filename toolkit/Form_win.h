// The top-level window of the program.
#pragma once

#include <functional>
#include <string>

#include "toolkit/WindowedControl_win.h"

namespace pikko {

class Form : public WindowedControl {
 public:
  explicit Form(std::string name) : WindowedControl(std::move(name)) { SetVisible(false); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  // Places the window in the middle of the desktop's work area.
  void CentreOnDesktop();
  void Close();
  // Shows the control's hint in a tooltip while the pointer rests on it.
  void AddHintTool(const Control& control);
  HWND HintWindow() const { return tooltip_; }

  // A form shown with ShowModal stays until its modal result is set (a
  // button's ModalResult, for instance) and then returns it.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  int ShowModal();

  std::function<void()> OnClose;
  // Called with the window's new position and size before they take effect;
  // the handler may change them.
  std::function<void(WINDOWPOS& pos)> OnWindowPosChanging;
  // False while the form is built or torn down: no size rules apply then.
  bool Live() const { return live_; }
  void SetLive(bool v) { live_ = v; }

 protected:
  DWORD Style() const override { return WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | WS_MINIMIZEBOX; }
  const char* ClassName() const override { return "TZkAutorunForm"; }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void BoundsChanged(const RECT& old) override;

 private:
  std::string caption_;
  HWND tooltip_ = nullptr;  // destroyed with the form, its owner
  bool live_ = false;
  bool inSync_ = false;
  int modalResult_ = 0;
};

}  // namespace pikko
