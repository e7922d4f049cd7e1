// The elements of the menu window as a screen reader sees them, read from
// the window at the moment of asking: which are there, their parents,
// names, roles, states and places. The COM objects (AccessibleTree_win.cpp)
// only hand these on.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pikko {

class TZkAutorunForm;

namespace accessible {

// The element ids; 0 is the window's client itself (CHILDID_SELF).
enum class Kind { Client, TabList, ItemList, Description, Tab, Row, Button, Chrome, None };
Kind KindOf(long id);
// The index within its kind: the tab, the row, the button's slot, 0
// minimise and 1 close.
int IndexOf(long id);

// The children of a container (the client, the tab list or the item list),
// in reading order; only what is on show.
std::vector<long> Children(const TZkAutorunForm& form, long container);
// The container an element belongs to.
long ParentOf(long id);
bool Exists(const TZkAutorunForm& form, long id);

std::string Name(const TZkAutorunForm& form, long id);
std::string Description(const TZkAutorunForm& form, long id);
std::string DefaultAction(const TZkAutorunForm& form, long id);
long Role(long id);
long State(const TZkAutorunForm& form, long id);
// Screen coordinates.
RECT Location(const TZkAutorunForm& form, long id);
// The innermost element at a screen point; 0 for the client itself, -1
// outside the window.
long ElementAt(const TZkAutorunForm& form, POINT screen);
// The element with the keyboard focus; -1 when the window has none.
long FocusedElement(const TZkAutorunForm& form);
// The selected child of a container; -1 when none.
long SelectedChild(const TZkAutorunForm& form, long container);

}  // namespace accessible
}  // namespace pikko
