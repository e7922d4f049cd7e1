// Where the menu's libraries may come from. A disc menu is started from any
// folder (an Explorer window, a download folder, a share): a library of the
// disc loaded by bare name ("zkwmiacpi.dll", "ARunDmi.dll") must never be
// picked up from that current folder, only from the program's own folder or
// the system folder.
#pragma once

namespace pikko {

enum class LibrarySearch {
  ProgramAndSystemFolders,  // the current folder and PATH are never searched
  CurrentFolderRemoved,     // older systems: only the current folder is removed
  Unchanged,                // neither call worked; the search is as before
};

// Restricts the library search of the whole process; call once at entry,
// before any library is loaded by name.
LibrarySearch RestrictLibrarySearch() noexcept;

}  // namespace pikko
