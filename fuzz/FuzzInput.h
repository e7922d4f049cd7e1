// Reading a fuzz input: as text split into files, or as a stream of small
// numbers and bytes. Reads past the end give zeros and empty texts, so that
// every input, however short, is a whole case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pikko::fuzz {

// The line that separates the files of a multi-file input.
inline constexpr std::string_view kFileSeparator = "\n=====\n";

// The parts of text between separators; always at least one (maybe empty).
inline std::vector<std::string> SplitFiles(std::string_view text) {
  std::vector<std::string> parts;
  for (;;) {
    const std::size_t at = text.find(kFileSeparator);
    parts.emplace_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + kFileSeparator.size());
  }
}

inline std::string AsText(const std::uint8_t* data, std::size_t size) {
  return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
  // Little-endian. The low part is read first in a statement of its own:
  // within one expression the order of the two reads is the compiler's
  // choice, and g++ and clang would see different numbers in one input.
  std::uint16_t U16() {
    const unsigned low = U8();
    return static_cast<std::uint16_t>(low | (unsigned{U8()} << 8));
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | (std::uint32_t{U16()} << 16);
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  bool Bit() { return (U8() & 1) != 0; }
  // count bytes, zeros past the end.
  std::vector<std::uint8_t> Bytes(std::size_t count) {
    std::vector<std::uint8_t> out(count, 0);
    for (std::size_t i = 0; i < count && at_ < size_; ++i) out[i] = data_[at_++];
    return out;
  }
  std::string Rest() {
    std::string out(reinterpret_cast<const char*>(data_) + at_, size_ - at_);
    at_ = size_;
    return out;
  }
  std::size_t Left() const { return size_ - at_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace pikko::fuzz
