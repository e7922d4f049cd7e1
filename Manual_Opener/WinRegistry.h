// A small read-only registry library: open a key below a root, read a string
// value, and walk the names of a key's subkeys with an input iterator. The
// open-with lists (OpenWith.h) are built from these classes. Keys are reached
// through the classes-registry port; contract breaches stop the program
// through a check that names the expression and the unit "WinRegistry".
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>

#include "platform/Ports.h"

namespace pikko {

// The names of a key's subkeys, read into a buffer sized for the longest.
class RegSubKeyBase {
 public:
  explicit RegSubKeyBase(reg::Key key);
  RegSubKeyBase(const RegSubKeyBase&) = delete;
  RegSubKeyBase& operator=(const RegSubKeyBase&) = delete;

  // The name of the subkey at index; on failure (past the end, or a name
  // longer than the buffer) name is emptied and false returned.
  bool NameAt(int index, std::string& name) const;
  // The number of subkeys as the key reports it; 0 when it cannot say.
  unsigned Count() const;
  std::size_t BufferSize() const { return size_; }

 private:
  reg::Key key_;  // not owned
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0;
};

// The holder of a key's value names, sized for the longest. Nothing reads
// values through it; it belongs to the reader as its companion.
class RegValueBase {
 public:
  explicit RegValueBase(reg::Key key);
  RegValueBase(const RegValueBase&) = delete;
  RegValueBase& operator=(const RegValueBase&) = delete;
  std::size_t BufferSize() const { return size_; }

 private:
  reg::Key key_;  // not owned
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0;
};

class RegReader {
 public:
  RegReader() = default;
  virtual ~RegReader();
  RegReader(const RegReader&) = delete;
  RegReader& operator=(const RegReader&) = delete;

  // The access rights keys are opened with: KEY_READ.
  virtual unsigned AccessRights() const { return reg::KeyRead; }

  // Opens path below root; requires !IsOpen().
  bool Open(reg::Key root, const std::string& path);
  // Works on a key the caller keeps; requires !IsOpen().
  void Attach(reg::Key key);
  void Close();
  bool IsOpen() const { return subKeys_ != nullptr; }

  // A string value (plain, expandable as stored, or the first string of a
  // multi-string); the empty name is the key's default value. out changes
  // only when the value was read.
  bool ReadString(const std::string& name, std::string& out) const;

  const RegSubKeyBase* SubKeys() const { return subKeys_.get(); }

 private:
  reg::Key key_ = nullptr;
  bool ownsHandle_ = false;
  std::unique_ptr<RegSubKeyBase> subKeys_;
  std::unique_ptr<RegValueBase> valueNames_;
};

// One position in the enumeration of a key's subkeys; index -1 is done.
class RegEnumKeyBase {
 public:
  explicit RegEnumKeyBase(const RegSubKeyBase* base = nullptr, int index = -1)
      : m_base(base), m_index(index) {}

  bool IsDone() const;
  // Moves to the next subkey; a failed read makes the position done.
  void Advance();
  const std::string& Name() const { return m_name; }
  int Index() const { return m_index; }

 protected:
  const RegSubKeyBase* m_base;  // not owned
  int m_index;
  std::string m_name;
};

// The empty base that gives the iterator its input-iterator shape.
struct RegInputIteratorBase {
  using iterator_category = std::input_iterator_tag;
  using value_type = std::string;
  using difference_type = std::ptrdiff_t;
  using pointer = const std::string*;
  using reference = const std::string&;
};

class RegKeyIterator : public RegInputIteratorBase, public RegEnumKeyBase {
 public:
  RegKeyIterator() = default;
  // begin: starts before the first subkey and advances to it.
  static RegKeyIterator Begin(const RegSubKeyBase* base);
  static RegKeyIterator End(const RegSubKeyBase* base) { return RegKeyIterator(base); }

  const std::string& operator*() const { return m_name; }
  const std::string* operator->() const { return &m_name; }
  RegKeyIterator& operator++();
  RegKeyIterator operator++(int);
  // Only iterators of one key compare; every finished one equals end().
  bool operator==(const RegKeyIterator& other) const;
  bool operator!=(const RegKeyIterator& other) const { return !(*this == other); }

 private:
  explicit RegKeyIterator(const RegSubKeyBase* base) : RegEnumKeyBase(base, -1) {}
};

// The subkeys of an open key as a range.
class RegKeySet {
 public:
  explicit RegKeySet(const RegReader& reader) : m_base(reader.SubKeys()) {}
  virtual ~RegKeySet() = default;
  RegKeySet(const RegKeySet&) = default;
  RegKeySet& operator=(const RegKeySet&) = default;

  RegKeyIterator begin() const { return RegKeyIterator::Begin(m_base); }
  RegKeyIterator end() const { return RegKeyIterator::End(m_base); }
  unsigned size() const { return m_base ? m_base->Count() : 0; }
  bool empty() const { return size() == 0; }

 private:
  const RegSubKeyBase* m_base;  // not owned
};

}  // namespace pikko
