#include "Manual_Opener/Manualini.h"

#include <optional>
#include <string_view>

#include "Manual_Opener/OpenWith.h"
#include "env/Miscfunctions.h"
#include "env/PlatformTags.h"
#include "env/Text.h"

namespace pikko {
namespace {

constexpr char kFolderSection[] = "ManualFolder";
constexpr char kReaderSection[] = "Reader";
constexpr char kFallbackLanguage[] = "English";
constexpr char kReaderInstaller[] = "ZekaSetup.exe";
constexpr char kBatchFileName[] = "OpenManualBat.bat";

std::optional<ManualIni>& Slot() {
  // Made on first use and kept until the process ends.
  static std::optional<ManualIni> opener;
  return opener;
}

bool FitsPathRoom(const std::string& path) { return path.size() < kManualPathRoom; }

// The code page of the disc's names and the system's paths.
unsigned CodePage() { return Version().AnsiCodePage(); }

}  // namespace

ManualIni::ManualIni(std::string rootFolder, std::string settingsFile)
    : rootFolder_(std::move(rootFolder)), settingsFile_(std::move(settingsFile)) {
  // Every path is built as root + "\...", so the root loses its backslash
  // (D:\ is held as D:): one, and never the last byte of a double-byte
  // character that ends a folder's name.
  rootFolder_ = WithoutTrailingBackslash(std::move(rootFolder_), CodePage());
}

ManualIni& ManualIni::Instance(const std::string& rootFolder, const std::string& settingsFile) {
  std::optional<ManualIni>& opener = Slot();
  if (!opener) opener.emplace(rootFolder, settingsFile);
  return *opener;
}

ManualIni* ManualIni::Existing() {
  std::optional<ManualIni>& opener = Slot();
  return opener ? &*opener : nullptr;
}

void ManualIni::ResetForTests() { Slot().reset(); }

std::string ManualIni::UserLanguage() {
  const std::string value =
      Ini().ReadString(WindowsFile("Zkcd_tmp.ini"), "PlatForm", "Specified OS", "");
  const std::size_t comma = value.find(',');
  if (comma == std::string::npos) return {};
  return Trim(std::string_view(value).substr(comma + 1));
}

bool ManualIni::HasManual(const std::string& manualKey) const {
  if (settingsFile_.empty() || manualKey.empty()) return false;
  return !Ini().ReadString(settingsFile_, kFolderSection, manualKey, "").empty();
}

std::string ManualIni::ManualFileName(const std::string& folder,
                                      const std::string& language) const {
  // An empty section or key name reads nothing from the settings file.
  if (folder.empty()) return {};
  std::string name =
      language.empty() ? std::string() : Ini().ReadString(settingsFile_, folder, language, "");
  if (name.empty()) name = Ini().ReadString(settingsFile_, folder, kFallbackLanguage, "");
  return name;
}

void ManualIni::OpenManual(const std::string& manualKey, const std::string& prompt,
                           WindowHandle owner) const {
  if (settingsFile_.empty()) return;
  const std::string folder = manualKey.empty()
                                 ? std::string()
                                 : Ini().ReadString(settingsFile_, kFolderSection, manualKey, "");
  const std::string name = ManualFileName(folder, UserLanguage());
  std::string path = rootFolder_ + "\\manual\\" + folder + "\\" + name;
  // Without the file the user at least sees the disc's manuals.
  if (!Files().FileExists(path)) path = rootFolder_ + "\\Manual";
  if (OpenFile(path) == 0) return;

  const int answer = Messages().Show(owner, prompt, "", mb::IconQuestion | mb::YesNo);
  if (answer == mb::IdYes) {
    StartReaderInstaller(path);
  } else if (answer == mb::IdNo && IsWindows8OrLater()) {
    OpenThroughBatchFile(manualKey, path);
  }
}

int ManualIni::OpenFile(const std::string& path) const {
  const std::string ext = LowerCase(ManualExtension(path));
  if (ext == ".pdf" && IsWindows8OrLater())
    return OpenWithHandler(path, ".pdf", {"acrord32.exe", "acrobat.exe"});
  if (ext == ".html") return OpenWithHandler(path, "*", {"iexplore.exe"});
  ShellExecuteRequest request;
  request.mask = kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
  request.verb = "open";
  request.file = path;
  request.directory = ExtractFilePath(path, CodePage());
  request.show = 1;
  return ShellEx().ExecuteEx(request) ? 0 : 1;
}

void ManualIni::StartReaderInstaller(const std::string& manualPath) const {
  // The key keeps the extension's letters as written; the settings file's
  // names compare without regard to case.
  const std::string ext = ManualExtension(manualPath);
  const std::string reader =
      ext.empty() ? std::string() : Ini().ReadString(settingsFile_, kReaderSection, ext, "");
  const std::string readerFolder = rootFolder_ + "\\" + reader;
  ProcessStart start;
  // Quoted: a disc folder with a blank must not start some other program.
  start.commandLine = "\"" + readerFolder + "\\" + kReaderInstaller + "\"";
  start.workingFolder = readerFolder.substr(0, LastBackslash(readerFolder, CodePage()) + 1);
  start.creationFlags = kCreateNoWindow;
  Processes().Create(start);  // a failed start is not reported
}

namespace {

// A name the system takes as one file of the folder it is put in: not only
// dots and blanks ("..", "... " name the parent or the folder itself, as the
// system drops a name's trailing dots and blanks), no trailing dot or blank,
// and none of the characters a file name cannot hold.
constexpr std::size_t npos = std::string_view::npos;

bool PlainFileName(const std::string& name, unsigned codePage) {
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  if (name.find_first_not_of(". ") == std::string::npos) return false;
  // ("|" is left to the system: it is a trail byte of double-byte names.)
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (IsLeadByte(codePage, c) && i + 1 < name.size())
      ++i;  // a trail byte may be a backslash
    else if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"/\\?*").find(c) != npos)
      return false;
  }
  return true;
}

// A path as the command interpreter reads it: batch files are read in the
// OEM code page. Nothing when a character has no OEM form there (the line
// would name another file) or the text cannot be converted.
std::optional<std::string> OemPath(const std::string& path) {
  bool usedDefault = false;
  std::optional<std::string> oem = BatchText().AnsiToOem(path, usedDefault);
  if (!oem || usedDefault) return std::nullopt;
  return oem;
}

// The short form of an existing file's path as the interpreter reads it:
// the system makes short names of characters the OEM code page holds.
std::optional<std::string> ShortOemPath(const std::string& path) {
  const std::string shortPath = BatchText().ShortPathName(path);
  if (shortPath.empty()) return std::nullopt;
  return OemPath(shortPath);
}

}  // namespace

void ManualIni::OpenThroughBatchFile(const std::string& manualKey,
                                     const std::string& manualPath) const {
  const std::string temp = Folders().TempDirectory();
  if (temp.empty() || !FitsPathRoom(temp)) return;
  const std::string folder = manualKey.empty()
                                 ? std::string()
                                 : Ini().ReadString(settingsFile_, kFolderSection, manualKey, "");
  const std::string name = ManualFileName(folder, UserLanguage());
  // Without a file name there is nothing to copy and open.
  if (name.empty()) return;
  // The temporary folder ends with a backslash: the batch file's path holds
  // a doubled separator, which the system accepts.
  const std::string batchFile = temp + "\\" + kBatchFileName;
  // The copy lies in the temporary folder itself, under the manual's own
  // file name: folders or a drive in the settings file's name would reach
  // elsewhere, and a copy by the batch file's name would have the batch
  // file start itself over and over.
  const std::string copyName = ExtractFileName(name, CodePage());
  if (!PlainFileName(copyName, CodePage()) || SameText(copyName, kBatchFileName)) return;
  const std::string copyPath = temp + copyName;
  if (!FitsPathRoom(batchFile) || !FitsPathRoom(copyPath)) return;
  // The line names the copy as the interpreter reads it, or by its short
  // form where a character has no OEM form; then the copy comes first, as
  // only an existing file has a short form. A copy left by an earlier run
  // stays; the batch file opens it.
  std::optional<std::string> line = OemPath(copyPath);
  const bool copyFirst = !line;
  if (copyFirst) {
    FileWrites().CopyFileNoOverwrite(manualPath, copyPath);
    line = ShortOemPath(copyPath);
    if (!line) return;
  }
  // A batch file that cannot be written might still hold an earlier run's
  // line: it is not opened then.
  if (!FileWrites().WriteFile(batchFile, BatchFileLine(*line))) return;
  if (!copyFirst) FileWrites().CopyFileNoOverwrite(manualPath, copyPath);
  Shell().Execute(nullptr, "open", batchFile, "", "", 0);
}

std::string ManualExtension(const std::string& path) {
  const std::string name = ExtractFileName(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string BatchFileLine(const std::string& copyPath) {
  // "start" hands the file to the shell's association on every command
  // interpreter; the empty first argument is the window title, so that the
  // quoted path is taken as the file.
  return "start \"\" \"" + ReplaceAll(copyPath, "%", "%%") + "\"";
}

}  // namespace pikko
