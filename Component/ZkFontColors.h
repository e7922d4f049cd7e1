// The per-state text colours of the skinned text controls, and the rule
// that picks the colour of the look on show. A colour of -1 (all bits set)
// is unset: the control's font colour is used, except for the disabled
// look, which then takes the system's grey-text colour.
#pragma once

#include <functional>

#include "toolkit/Pixels.h"

namespace pikko {

constexpr TColor kColourUnset = 0xFFFFFFFFu;
// The system's grey-text colour in the colour encoding of the form: system
// colours carry the top bit and their index.
constexpr TColor kSystemGrayText = 0x80000011u;
constexpr bool IsSystemColour(TColor c) { return c != kColourUnset && (c & 0x80000000u) != 0; }
constexpr int SystemColourIndex(TColor c) { return static_cast<int>(c & 0xFF); }

// Base of the font-colour objects: told when a colour really changes.
class ZkCtrlFontColor {
 public:
  std::function<void()> OnChange;

 protected:
  void Store(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    if (OnChange) OnChange();
  }
  void Changed() {
    if (OnChange) OnChange();
  }
};

class ZkTwoStateFontColor : public ZkCtrlFontColor {
 public:
  TColor Focused() const { return focused_; }
  TColor Disabled() const { return disabled_; }
  void SetFocused(TColor c) { Store(focused_, c); }
  void SetDisabled(TColor c) { Store(disabled_, c); }
  // Copies every colour, then tells the destination once.
  void AssignTo(ZkTwoStateFontColor& dest) const {
    dest.focused_ = focused_;
    dest.disabled_ = disabled_;
    dest.Changed();
  }

 private:
  TColor focused_ = kColourUnset;
  TColor disabled_ = kColourUnset;
};

class ZkThreeStateFontColor : public ZkCtrlFontColor {
 public:
  TColor Sunken() const { return sunken_; }
  TColor Focused() const { return focused_; }
  TColor Disabled() const { return disabled_; }
  void SetSunken(TColor c) { Store(sunken_, c); }
  void SetFocused(TColor c) { Store(focused_, c); }
  void SetDisabled(TColor c) { Store(disabled_, c); }
  void AssignTo(ZkThreeStateFontColor& dest) const {
    dest.sunken_ = sunken_;
    dest.focused_ = focused_;
    dest.disabled_ = disabled_;
    dest.Changed();
  }

 private:
  TColor sunken_ = kColourUnset;
  TColor focused_ = kColourUnset;
  TColor disabled_ = kColourUnset;
};

// The text colour of a push button's requested state (0 raised, 1 sunken,
// 2 focused, 3 disabled), before substitution of a missing bitmap: the
// colour follows the state asked for, not the bitmap shown. The result may
// be a system colour, which the caller turns into its current value.
TColor ButtonTextColour(int state, TColor fontColour, const ZkThreeStateFontColor& colours);
// The same for a tile (0 normal, 1 focused, 2 disabled).
TColor BrickTextColour(int state, TColor fontColour, const ZkTwoStateFontColor& colours);

}  // namespace pikko
