#include "platform/fakes/FakeManualPorts.h"

#include <algorithm>

#include "platform/AsciiCase.h"

namespace pikko::fakes {

struct FakeClassesRoot::Node {
  std::string name;
  std::vector<std::unique_ptr<Node>> children;  // in the order they were added
  std::vector<std::pair<std::string, std::pair<unsigned, std::string>>> values;

  Node* Child(const std::string& childName) const {
    for (const auto& c : children)
      if (SameText(c->name, childName)) return c.get();
    return nullptr;
  }
};

namespace {

constexpr long kInvalidHandle = 6;  // ERROR_INVALID_HANDLE

}  // namespace

FakeClassesRoot::FakeClassesRoot() : root_(std::make_unique<Node>()) {}
FakeClassesRoot::~FakeClassesRoot() = default;

FakeClassesRoot::Node* FakeClassesRoot::Walk(Node* from, const std::string& path,
                                             bool create) const {
  Node* node = from;
  std::size_t start = 0;
  while (node != nullptr && start < path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const std::string part = path.substr(start, end - start);
    if (part.empty()) return nullptr;  // a doubled or leading separator names no key
    Node* child = node->Child(part);
    if (child == nullptr && create) {
      node->children.push_back(std::make_unique<Node>());
      child = node->children.back().get();
      child->name = part;
    }
    node = child;
    start = end + 1;
  }
  return node;
}

void FakeClassesRoot::AddKey(const std::string& path) { Walk(root_.get(), path, true); }

void FakeClassesRoot::SetValue(const std::string& keyPath, const std::string& name, unsigned type,
                               std::string data) {
  Node* node = Walk(root_.get(), keyPath, true);
  for (auto& v : node->values) {
    if (SameText(v.first, name)) {
      v.second = {type, std::move(data)};
      return;
    }
  }
  node->values.push_back({name, {type, std::move(data)}});
}

void FakeClassesRoot::SetString(const std::string& keyPath, const std::string& name,
                                const std::string& text) {
  SetValue(keyPath, name, reg::TypeString, text + std::string(1, '\0'));
}

FakeClassesRoot::Node* FakeClassesRoot::Find(reg::Key key) const {
  if (key == root_.get()) return root_.get();
  const auto it = open_.find(key);
  return it == open_.end() ? nullptr : it->second;
}

reg::Key FakeClassesRoot::ClassesRoot() { return root_.get(); }

long FakeClassesRoot::OpenKey(reg::Key parent, const std::string& path, unsigned access,
                              reg::Key* out) {
  accessRequested.push_back(access);
  Node* from = Find(parent);
  if (from == nullptr) return kInvalidHandle;
  Node* node = Walk(from, path, false);
  if (node == nullptr) return reg::FileNotFound;
  // Every handle is the address of a token of its own, never reused.
  tokens_.emplace_back();
  const reg::Key handle = &tokens_.back();
  open_[handle] = node;
  *out = handle;
  return reg::Success;
}

long FakeClassesRoot::CloseKey(reg::Key key) {
  if (key == root_.get()) return reg::Success;
  return open_.erase(key) == 1 ? reg::Success : kInvalidHandle;
}

long FakeClassesRoot::QueryInfo(reg::Key key, unsigned* subkeys, unsigned* maxSubkeyName,
                                unsigned* values, unsigned* maxValueName) {
  const Node* node = Find(key);
  if (node == nullptr) return kInvalidHandle;
  if (failQueryInfo) return 5;  // ERROR_ACCESS_DENIED
  unsigned longestKey = 0, longestValue = 0;
  for (const auto& c : node->children)
    longestKey = std::max(longestKey, static_cast<unsigned>(c->name.size()));
  for (const auto& v : node->values)
    longestValue = std::max(longestValue, static_cast<unsigned>(v.first.size()));
  if (subkeys) *subkeys = static_cast<unsigned>(node->children.size());
  if (maxSubkeyName) *maxSubkeyName = longestKey;
  if (values) *values = static_cast<unsigned>(node->values.size());
  if (maxValueName) *maxValueName = longestValue;
  return reg::Success;
}

long FakeClassesRoot::EnumKey(reg::Key key, unsigned index, char* name, unsigned* length) {
  const Node* node = Find(key);
  if (node == nullptr) return kInvalidHandle;
  if (index >= node->children.size()) return reg::NoMoreItems;
  const std::string& found = node->children[index]->name;
  if (name == nullptr || length == nullptr || found.size() + 1 > *length) return reg::MoreData;
  found.copy(name, found.size());
  name[found.size()] = '\0';
  *length = static_cast<unsigned>(found.size());
  return reg::Success;
}

long FakeClassesRoot::QueryValue(reg::Key key, const std::string& name, unsigned* type,
                                 unsigned char* data, unsigned* size) {
  const Node* node = Find(key);
  if (node == nullptr) return kInvalidHandle;
  for (const auto& v : node->values) {
    if (!SameText(v.first, name)) continue;
    const std::string& bytes = v.second.second;
    if (type) *type = v.second.first;
    if (data != nullptr) {
      if (size == nullptr || *size < bytes.size()) {
        if (size) *size = static_cast<unsigned>(bytes.size());
        return reg::MoreData;
      }
      std::copy(bytes.begin(), bytes.end(), data);
    }
    if (size) *size = static_cast<unsigned>(bytes.size());
    return reg::Success;
  }
  return reg::FileNotFound;
}

std::optional<std::string> FakeBatchText::AnsiToOem(const std::string& text, bool& usedDefault) {
  usedDefault = false;
  if (failConversion) return std::nullopt;
  if (sameCodePage) return text;
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const auto entry = oem.find(byte);
    if (byte < 0x80) {
      out += c;
    } else if (entry != oem.end()) {
      out += entry->second;
    } else {
      out += '?';
      usedDefault = true;
    }
  }
  return out;
}

std::string FakeBatchText::ShortPathName(const std::string& path) {
  const auto it = shortPaths.find(path);
  return it != shortPaths.end() && files_.FileExists(path) ? it->second : std::string();
}

}  // namespace pikko::fakes
