// The small rules of the skinned controls that need no window: where an
// appearance finds its files, which state a check box shows in place of a
// missing bitmap and where a click takes it, and how a bar's indicator
// moves.
#pragma once

#include <string>

namespace pikko {

// The folder of an appearance's files with its separator: a backslash is
// added unless the folder ends in one or in a colon (a bare drive).
std::string AppearanceFolder(const std::string& folder);

// Check box states: unchecked 0, checked 1, grayed 2; twelve looks, four a
// state (raised, sunken, focused, disabled).
enum class CheckState { Unchecked = 0, Checked = 1, Grayed = 2 };
// The look that stands in for a look whose bitmap is missing: the raised
// look of the same group, and for a missing raised look, look 0.
int CheckBoxSubstitute(int index);
// The look index of a look (0..3) in the group of a check state.
int CheckBoxLookIndex(CheckState state, int look);
// The state a click gives.
CheckState NextCheckState(CheckState state, bool allowGrayed);

// Bar positions. The indicator's left (or top) for a scroll position:
// origin minus half the indicator's size, plus the position.
int IndicatorStart(int origin, int indicatorSize, int scrollPos);
// The position a drag by delta pixels gives: clamped to Length, then to 0.
int DraggedPosition(int scrollPos, int delta, int length);

}  // namespace pikko
