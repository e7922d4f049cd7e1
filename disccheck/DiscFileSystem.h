// The disc as the menu sees it, over a real folder: the disc's root is the
// drive "D:\", the program folder is "D:\<name>\", names compare without
// regard to case (as on the disc), and "." and ".." steps resolve as the
// system resolves them. A few files outside the disc (the Windows folder's
// "Zkcd_tmp.ini") are held in memory, and a folder of the Windows folder can
// stand for a folder of the disc (the report template the menu copies there).
#pragma once

#include <filesystem>
#include <map>
#include <unordered_map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Ports.h"

namespace pikko::disccheck {

class DiscFileSystem final : public FileSystemPort {
 public:
  // root: the real folder that is the disc's root.
  explicit DiscFileSystem(std::filesystem::path root);

  static constexpr const char* kDrive = "D:";

  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;

  // The real path of a path of the disc, when it exists.
  std::optional<std::filesystem::path> Resolve(const std::string& path) const;
  // The file's bytes; nothing when it does not exist.
  std::optional<std::string> Contents(const std::string& path) const;
  // True when the path names a file held in memory (never cached by readers).
  bool IsVirtual(const std::string& path) const;

  void SetVirtualFile(const std::string& path, std::string contents);
  void RemoveVirtualFile(const std::string& path);
  // Paths below `folder` are looked up below `onto` (a folder of the disc).
  void Mount(const std::string& folder, const std::string& onto);

  // Relative paths ("ARunDmi.dll", ".\ZkDmiHtm") are taken from here.
  void SetCurrentFolder(const std::string& folder) { current_ = folder; }
  const std::string& CurrentFolder() const { return current_; }

  // The path a user reads in a diagnostic: the real file below the root
  // when it exists, else the root joined with the path as the menu wrote it.
  std::string Display(const std::string& path) const;
  // "AUTORUN\Drivers\x.exe" for "D:\AUTORUN\Drivers\x.exe"; the path itself
  // when it is not on the disc.
  std::string DiscRelative(const std::string& path) const;
  const std::filesystem::path& Root() const { return root_; }

  // The path's components after "." and ".." steps, drive first ("D:"),
  // with mounts applied; relative paths start at the current folder.
  std::vector<std::string> Components(const std::string& path) const;

 private:
  std::string Key(const std::string& path) const;  // lower case, normalised
  std::optional<std::filesystem::path> Walk(const std::vector<std::string>& parts) const;

  std::filesystem::path root_;
  std::string current_;
  std::map<std::string, std::string> virtualFiles_;  // by Key
  std::vector<std::pair<std::string, std::string>> mounts_;
  mutable std::map<std::string, std::vector<std::filesystem::path>> listings_;
  // The disc does not change while it is checked, and the loaders ask for
  // the same few paths thousands of times: keys, real paths and the kind of
  // each file are looked up once. Mounts clear the memo.
  struct Looked {
    std::string key, relative;  // relative: empty when not on the disc
    bool onDisc = false;
    std::optional<std::filesystem::path> real;
    bool file = false, folder = false;
  };
  const Looked& LookUp(const std::string& path) const;
  mutable std::unordered_map<std::string, Looked> looked_;  // by current folder + path
};

}  // namespace pikko::disccheck
