// The manual opener: which items have a manual, and opening an item's manual
// in the user's language with a program that can show it. The disc's
// "BIN\ManualSetting.ini" names each item's manual folder (section
// "ManualFolder", keyed by the item's Path value), the file of each language
// in that folder (one section per folder, "English" the fallback), and the
// folder of a reader's installer per file type (section "Reader").
#pragma once

#include <string>

#include "platform/Ports.h"

namespace pikko {

// The room of the temporary folder, the batch file's path and the manual's
// copy, with their terminating zero: longer paths are refused.
constexpr std::size_t kManualPathRoom = 340;

class ManualIni {
 public:
  // The one opener of the process, made on the first call from its
  // arguments; later calls return it unchanged and ignore theirs.
  static ManualIni& Instance(const std::string& rootFolder, const std::string& settingsFile);
  // The opener made by Instance, or null before the first call.
  static ManualIni* Existing();
  // For tests only: forgets the opener, as if Instance had never run.
  static void ResetForTests();

  // True when "ManualFolder" names a folder for the key.
  bool HasManual(const std::string& manualKey) const;
  // Opens the manual of the key; asks prompt (Yes/No, owned by owner) when
  // no program could open it, and then starts the reader's installer or,
  // on Windows 8 and later, opens the file through a batch file.
  void OpenManual(const std::string& manualKey, const std::string& prompt,
                  WindowHandle owner = nullptr) const;
  // 0 when a program was started for the file, 1 when not.
  int OpenFile(const std::string& path) const;

  const std::string& RootFolder() const { return rootFolder_; }  // without one trailing backslash
  const std::string& SettingsFile() const { return settingsFile_; }

  // The user's language: the text after the first comma of "Specified OS"
  // in the Windows folder's "Zkcd_tmp.ini", trimmed; empty without a comma.
  static std::string UserLanguage();

  ManualIni(std::string rootFolder, std::string settingsFile);

 private:
  std::string ManualFileName(const std::string& folder, const std::string& language) const;
  void StartReaderInstaller(const std::string& manualPath) const;
  void OpenThroughBatchFile(const std::string& manualKey, const std::string& manualPath) const;

  std::string rootFolder_;
  std::string settingsFile_;
};

// The extension of a path's file name from its last dot, with the dot and
// its letters as written; empty when the name has none.
std::string ManualExtension(const std::string& path);

// What the batch file holds to open the copy: a start of its path in
// quotes, with every "%" doubled so that the command interpreter takes it
// literally. The path is given as the interpreter reads it (in the OEM
// code page).
std::string BatchFileLine(const std::string& copyPath);

}  // namespace pikko
