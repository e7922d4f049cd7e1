#include "disccheck/DiscFileSystem.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "env/Text.h"

namespace pikko::disccheck {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Split(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  return parts;
}

bool HasDrive(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

// The system drops trailing dots and blanks of a name.
std::string SystemName(std::string name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ') && name != "." &&
         name != "..")
    name.pop_back();
  return name;
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) out += '\\';
    out += parts[i];
  }
  if (parts.size() == 1) out += '\\';
  return out;
}

}  // namespace

DiscFileSystem::DiscFileSystem(fs::path root) : root_(std::move(root)) {}

std::vector<std::string> DiscFileSystem::Components(const std::string& rawPath) const {
  std::string path = rawPath;
  if (!HasDrive(path)) {
    std::string base = current_;
    if (!base.empty() && base.back() != '\\') base += '\\';
    path = base + path;
  }
  for (const auto& [folder, onto] : mounts_) {
    if (path.size() >= folder.size() && SameText(path.substr(0, folder.size()), folder) &&
        (path.size() == folder.size() || path[folder.size()] == '\\'))
      path = onto + path.substr(folder.size());
  }
  const std::vector<std::string> raw = Split(path);
  std::vector<std::string> parts;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const std::string part = i == 0 ? raw[i] : SystemName(raw[i]);
    if (i > 0 && (part.empty() || part == ".")) continue;
    if (part == "..") {
      if (parts.size() > 1) parts.pop_back();  // at the root, ".." stays at the root
      continue;
    }
    parts.push_back(part);
  }
  return parts;
}

const DiscFileSystem::Looked& DiscFileSystem::LookUp(const std::string& path) const {
  std::string memo = HasDrive(path) ? path : current_ + '\n' + path;
  auto it = looked_.find(memo);
  if (it != looked_.end()) return it->second;
  const std::vector<std::string> parts = Components(path);
  Looked l;
  l.key = LowerCase(Join(parts));
  l.onDisc = !parts.empty() && SameText(parts[0], kDrive);
  for (std::size_t i = 1; l.onDisc && i < parts.size(); ++i)
    l.relative += (i > 1 ? "\\" : "") + parts[i];
  l.real = Walk(parts);
  std::error_code ec;
  l.file = l.real && fs::is_regular_file(*l.real, ec);
  l.folder = l.real && fs::is_directory(*l.real, ec);
  return looked_.emplace(std::move(memo), std::move(l)).first->second;
}

std::string DiscFileSystem::Key(const std::string& path) const { return LookUp(path).key; }

std::optional<fs::path> DiscFileSystem::Walk(const std::vector<std::string>& parts) const {
  if (parts.empty() || !SameText(parts[0], kDrive)) return std::nullopt;
  fs::path at = root_;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    auto listing = listings_.find(at.string());
    if (listing == listings_.end()) {
      std::vector<fs::path> names;
      std::error_code ec;
      for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename());
      listing = listings_.emplace(at.string(), std::move(names)).first;
    }
    // An exact name first, then one that differs only in case.
    const auto& names = listing->second;
    auto found = std::find_if(names.begin(), names.end(),
                              [&](const fs::path& n) { return n.string() == parts[i]; });
    if (found == names.end())
      found = std::find_if(names.begin(), names.end(),
                           [&](const fs::path& n) { return SameText(n.string(), parts[i]); });
    if (found == names.end()) return std::nullopt;
    at /= *found;
  }
  return at;
}

std::optional<fs::path> DiscFileSystem::Resolve(const std::string& path) const {
  return LookUp(path).real;
}

bool DiscFileSystem::IsVirtual(const std::string& path) const {
  return virtualFiles_.count(Key(path)) != 0;
}

bool DiscFileSystem::FileExists(const std::string& path) {
  if (IsVirtual(path)) return true;
  return LookUp(path).file;
}

bool DiscFileSystem::DirectoryExists(const std::string& path) { return LookUp(path).folder; }

std::optional<std::string> DiscFileSystem::Contents(const std::string& path) const {
  const Looked& l = LookUp(path);
  const auto v = virtualFiles_.find(l.key);
  if (v != virtualFiles_.end()) return v->second;
  if (!l.file) return std::nullopt;
  std::ifstream in(*l.real, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void DiscFileSystem::SetVirtualFile(const std::string& path, std::string contents) {
  virtualFiles_[Key(path)] = std::move(contents);
}

void DiscFileSystem::RemoveVirtualFile(const std::string& path) { virtualFiles_.erase(Key(path)); }

void DiscFileSystem::Mount(const std::string& folder, const std::string& onto) {
  mounts_.emplace_back(folder, onto);
  looked_.clear();
}

std::string DiscFileSystem::DiscRelative(const std::string& path) const {
  const Looked& l = LookUp(path);
  return l.onDisc ? l.relative : path;
}

std::string DiscFileSystem::Display(const std::string& path) const {
  const std::vector<std::string> parts = Components(path);
  if (parts.empty() || !SameText(parts[0], kDrive)) return path;
  if (const auto real = LookUp(path).real) return real->string();
  fs::path shown = root_;
  for (std::size_t i = 1; i < parts.size(); ++i) shown /= parts[i];
  return shown.string();
}

}  // namespace pikko::disccheck
