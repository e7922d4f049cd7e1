// Names to the position of their first occurrence, compared without regard
// to ASCII case as the platform's profile functions compare section and key
// names. One flat table probed in place: a menu file may hold hundreds of
// thousands of keys, and a table of nodes spends its time in cache misses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/AsciiCase.h"

namespace pikko {

class NameIndex {
 public:
  // Indexes count names, nameAt(i) giving the i-th; of equal names the
  // first wins.
  template <class NameAt>
  void Build(std::size_t count, NameAt nameAt) {
    std::size_t room = 8;
    while (room < 2 * count) room *= 2;
    slots_.assign(room, Slot{});
    mask_ = room - 1;
    for (std::size_t i = 0; i < count; ++i) {
      const std::string_view name = nameAt(i);
      const std::uint64_t hash = Hash(name);
      std::size_t at = static_cast<std::size_t>(hash) & mask_;
      bool seen = false;
      while (slots_[at].position != 0) {
        const Slot& s = slots_[at];
        if (s.hash == hash && SameText(nameAt(s.position - 1), name)) {
          seen = true;
          break;
        }
        at = (at + 1) & mask_;
      }
      if (!seen) slots_[at] = Slot{hash, i + 1};
    }
  }

  template <class NameAt>
  std::optional<std::size_t> Find(std::string_view name, NameAt nameAt) const {
    if (slots_.empty()) return std::nullopt;
    const std::uint64_t hash = Hash(name);
    for (std::size_t at = static_cast<std::size_t>(hash) & mask_; slots_[at].position != 0;
         at = (at + 1) & mask_) {
      const Slot& s = slots_[at];
      if (s.hash == hash && SameText(nameAt(s.position - 1), name)) return s.position - 1;
    }
    return std::nullopt;
  }

 private:
  static std::uint64_t Hash(std::string_view name) {
    std::uint64_t h = 1469598103934665603ull;
    for (char c : name) h = (h ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
    return h ^ (h >> 29);
  }
  struct Slot {
    std::uint64_t hash = 0;
    std::size_t position = 0;  // index + 1; 0 marks a free slot
  };
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

}  // namespace pikko
