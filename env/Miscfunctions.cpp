#include "env/Miscfunctions.h"

#include "platform/Ports.h"

namespace pikko {

std::string WindowsFolder() {
  std::string folder = Folders().WindowsDirectory(255);
  // A Windows folder at the root of a drive (C:\) loses its backslash, so
  // that callers can append "\" + name.
  if (folder.size() == 3) folder.erase(2, 1);
  return folder;
}

std::string WindowsFolderSlash() {
  std::string folder = Folders().WindowsDirectory(260);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string WindowsFile(std::string_view name) { return WindowsFolderSlash() + std::string(name); }

std::string CopyFrom(std::string_view text, int from) {
  if (from <= 0 || static_cast<std::size_t>(from) > text.size()) return {};
  return std::string(text.substr(static_cast<std::size_t>(from) - 1));
}

std::string NormalizePath(std::string path) {
  // Current-folder steps: "\.\" becomes "\".
  for (std::size_t p; (p = path.find("\\.\\")) != std::string::npos;) path.erase(p, 2);

  // One trailing "\.".
  if (path.size() >= 2 && path.compare(path.size() - 2, 2, "\\.") == 0) path.erase(path.size() - 2);

  // Parent steps: "\name\.." goes; a parent step with no folder before it
  // leaves nothing sensible, so the result is empty. The match is textual:
  // "\..." is a parent step followed by a dot.
  for (std::size_t p; (p = path.find("\\..")) != std::string::npos;) {
    if (p == 0) return {};
    const std::size_t q = path.rfind('\\', p - 1);
    if (q == std::string::npos) return {};
    path.erase(q, p + 3 - q);
  }
  return path;
}

}  // namespace pikko
