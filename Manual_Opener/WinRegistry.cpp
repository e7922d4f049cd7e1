#include "Manual_Opener/WinRegistry.h"

#include <algorithm>
#include <vector>

#include "platform/Assert.h"

namespace pikko {
namespace {

constexpr char kUnit[] = "WinRegistry";

// A value larger than this is no text the menu reads; the registry itself
// advises against values of this size.
constexpr unsigned kMaxValueBytes = 1024 * 1024;

bool IsStringType(unsigned type) {
  return type == reg::TypeString || type == reg::TypeExpandString || type == reg::TypeMultiString;
}

}  // namespace

RegSubKeyBase::RegSubKeyBase(reg::Key key) : key_(key) {
  unsigned longest = 0;
  if (ClassesRegistry().QueryInfo(key_, nullptr, &longest, nullptr, nullptr) != reg::Success)
    return;
  size_ = static_cast<std::size_t>(longest) + 1;
  buffer_ = std::make_unique<char[]>(size_);
}

bool RegSubKeyBase::NameAt(int index, std::string& name) const {
  if (buffer_ == nullptr || index < 0) {
    name.clear();
    return false;
  }
  unsigned length = static_cast<unsigned>(size_);
  if (ClassesRegistry().EnumKey(key_, static_cast<unsigned>(index), buffer_.get(), &length) !=
          reg::Success ||
      length >= size_) {
    name.clear();
    return false;
  }
  name.assign(buffer_.get(), length);
  return true;
}

unsigned RegSubKeyBase::Count() const {
  unsigned count = 0;
  if (ClassesRegistry().QueryInfo(key_, &count, nullptr, nullptr, nullptr) != reg::Success)
    return 0;
  return count;
}

RegValueBase::RegValueBase(reg::Key key) : key_(key) {
  unsigned longest = 0;
  if (ClassesRegistry().QueryInfo(key_, nullptr, nullptr, nullptr, &longest) != reg::Success)
    return;
  size_ = static_cast<std::size_t>(longest) + 1;
  buffer_ = std::make_unique<char[]>(size_);
}

RegReader::~RegReader() { Close(); }

bool RegReader::Open(reg::Key root, const std::string& path) {
  Check(!IsOpen(), "!IsOpen()", kUnit);
  reg::Key key = nullptr;
  if (ClassesRegistry().OpenKey(root, path, AccessRights(), &key) != reg::Success) return false;
  Attach(key);
  ownsHandle_ = true;
  return true;
}

void RegReader::Attach(reg::Key key) {
  Check(!IsOpen(), "!IsOpen()", kUnit);
  key_ = key;
  valueNames_ = std::make_unique<RegValueBase>(key);
  subKeys_ = std::make_unique<RegSubKeyBase>(key);
}

void RegReader::Close() {
  if (ownsHandle_) {
    ClassesRegistry().CloseKey(key_);
    ownsHandle_ = false;
  }
  key_ = nullptr;
  subKeys_.reset();
  valueNames_.reset();
}

bool RegReader::ReadString(const std::string& name, std::string& out) const {
  if (!IsOpen()) return false;
  unsigned type = 0, size = 0;
  if (ClassesRegistry().QueryValue(key_, name, &type, nullptr, &size) != reg::Success ||
      !IsStringType(type) || size > kMaxValueBytes)
    return false;
  // One byte more than reported, always zero: a value stored without its
  // terminating zero still ends inside the buffer.
  std::vector<unsigned char> buffer(static_cast<std::size_t>(size) + 1, 0);
  unsigned got = size;
  if (ClassesRegistry().QueryValue(key_, name, &type, buffer.data(), &got) != reg::Success ||
      !IsStringType(type) || got > size)
    return false;
  // Up to the first zero: the whole text, or the first string of a list.
  const char* text = reinterpret_cast<const char*>(buffer.data());
  out.assign(text, static_cast<std::size_t>(std::find(text, text + got, '\0') - text));
  return true;
}

bool RegEnumKeyBase::IsDone() const {
  Check(m_base != nullptr, "m_base != NULL", kUnit);
  return m_index == -1;
}

void RegEnumKeyBase::Advance() {
  Check(m_base != nullptr, "m_base != NULL", kUnit);
  ++m_index;
  if (!m_base->NameAt(m_index, m_name)) m_index = -1;
}

RegKeyIterator RegKeyIterator::Begin(const RegSubKeyBase* base) {
  RegKeyIterator it(base);
  // Without a key there is nothing to read: the range is empty.
  if (base != nullptr) it.Advance();
  return it;
}

RegKeyIterator& RegKeyIterator::operator++() {
  Check(!IsDone(), "!IsDone()", kUnit);
  Advance();
  return *this;
}

RegKeyIterator RegKeyIterator::operator++(int) {
  RegKeyIterator before = *this;
  ++*this;
  return before;
}

bool RegKeyIterator::operator==(const RegKeyIterator& other) const {
  Check(m_base == other.m_base, "m_base == other.m_base", kUnit);
  return m_index == other.m_index;
}

}  // namespace pikko
