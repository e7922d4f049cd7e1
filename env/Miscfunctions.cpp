#include "env/Miscfunctions.h"

#include "env/Text.h"
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

namespace {

// The character boundary after the one at i.
std::size_t NextCharacter(std::string_view path, std::size_t i, unsigned codePage) {
  return IsLeadByte(codePage, path[i]) && i + 1 < path.size() ? i + 2 : i + 1;
}

// The first place where step ("\\.\\", "\\..") starts at a character
// boundary; npos when there is none. The steps' backslash and dots are
// never trail bytes there.
std::size_t FindStep(std::string_view path, std::string_view step, unsigned codePage) {
  for (std::size_t i = 0; i < path.size(); i = NextCharacter(path, i, codePage))
    if (path.compare(i, step.size(), step) == 0) return i;
  return std::string_view::npos;
}

}  // namespace

std::string NormalizePath(std::string path) { return NormalizePath(std::move(path), 0); }

std::string NormalizePath(std::string path, unsigned codePage) {
  // Current-folder steps: "\.\" becomes "\".
  for (std::size_t p; (p = FindStep(path, "\\.\\", codePage)) != std::string::npos;)
    path.erase(p, 2);

  // One trailing "\.".
  if (path.size() >= 2 && path.back() == '.' && LastBackslash(path, codePage) == path.size() - 2)
    path.erase(path.size() - 2);

  // Parent steps: "\name\.." goes; a parent step with no folder before it
  // leaves nothing sensible, so the result is empty. The match is textual:
  // "\..." is a parent step followed by a dot.
  for (std::size_t p; (p = FindStep(path, "\\..", codePage)) != std::string::npos;) {
    if (p == 0) return {};
    const std::size_t q = LastBackslash(std::string_view(path).substr(0, p), codePage);
    if (q == std::string::npos) return {};
    path.erase(q, p + 3 - q);
  }
  return path;
}

std::string WithoutTrailingBackslash(std::string path, unsigned codePage) {
  if (!path.empty() && LastBackslash(path, codePage) == path.size() - 1) path.pop_back();
  return path;
}

}  // namespace pikko
