#include "stand-ins/formats/Smbios.h"

#include <cstdio>

#include "env/Text.h"

namespace pikko {
namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kStructureHeader = 4;  // type, length, handle
constexpr std::uint8_t kEndOfTable = 127;

// One structure: its formatted area and its strings, all already inside
// the data.
class Structure {
 public:
  Structure(const std::uint8_t* formatted, std::size_t length, std::vector<std::string> strings)
      : formatted_(formatted), length_(length), strings_(std::move(strings)) {}

  std::optional<std::uint64_t> Field(std::size_t offset, std::size_t width) const {
    if (offset + width > length_) return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = (value << 8) | formatted_[offset + i];
    return value;
  }
  std::optional<unsigned> Byte(std::size_t offset) const { return Narrow(Field(offset, 1)); }
  std::optional<unsigned> Word(std::size_t offset) const { return Narrow(Field(offset, 2)); }
  std::optional<std::uint64_t> DWord(std::size_t offset) const { return Field(offset, 4); }

  SmbiosString String(std::size_t offset) const {
    const std::optional<unsigned> index = Byte(offset);
    if (!index) return std::nullopt;
    if (*index == 0 || *index > strings_.size()) return std::string();
    return Trim(strings_[*index - 1]);
  }
  const std::uint8_t* Bytes(std::size_t offset, std::size_t width) const {
    return offset + width <= length_ ? formatted_ + offset : nullptr;
  }

 private:
  static std::optional<unsigned> Narrow(std::optional<std::uint64_t> v) {
    if (!v) return std::nullopt;
    return static_cast<unsigned>(*v);
  }
  const std::uint8_t* formatted_;
  std::size_t length_;
  std::vector<std::string> strings_;
};

std::optional<unsigned> NonZero(std::optional<unsigned> v) {
  if (!v || *v == 0) return std::nullopt;
  return v;
}

std::string Hex2(unsigned v) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", v & 0xFFu);
  return text;
}

SmbiosBios ReadBios(const Structure& s) {
  SmbiosBios b;
  b.vendor = s.String(0x04);
  b.version = s.String(0x05);
  b.releaseDate = s.String(0x08);
  if (const auto rom = s.Byte(0x09)) {
    if (*rom != 0xFF) {
      b.romSizeKb = (std::uint64_t{*rom} + 1) * 64;
    } else if (const auto ext = s.Word(0x18)) {
      // Bits 15..14 give the unit (0 MB, 1 GB), bits 13..0 the size.
      const unsigned unit = *ext >> 14;
      const std::uint64_t size = *ext & 0x3FFFu;
      if (unit == 0) b.romSizeKb = size * 1024;
      if (unit == 1) b.romSizeKb = size * 1024 * 1024;
    }
  }
  const auto major = s.Byte(0x14), minor = s.Byte(0x15);
  if (major && minor && !(*major == 0xFF && *minor == 0xFF))
    b.biosRelease = std::to_string(*major) + "." + std::to_string(*minor);
  return b;
}

std::optional<std::string> ReadUuid(const Structure& s, unsigned major, unsigned minor) {
  const std::uint8_t* u = s.Bytes(0x08, 16);
  if (u == nullptr) return std::nullopt;
  bool allZero = true, allOnes = true;
  for (int i = 0; i < 16; ++i) {
    allZero = allZero && u[i] == 0x00;
    allOnes = allOnes && u[i] == 0xFF;
  }
  if (allZero || allOnes) return std::nullopt;
  // From version 2.6 on the first three fields are stored little-endian.
  const bool little = major > 2 || (major == 2 && minor >= 6);
  const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  std::string text;
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", u[little ? order[i] : i]);
    text += hex;
  }
  return text;
}

SmbiosSystem ReadSystem(const Structure& s, unsigned major, unsigned minor) {
  SmbiosSystem y;
  y.manufacturer = s.String(0x04);
  y.productName = s.String(0x05);
  y.version = s.String(0x06);
  y.serialNumber = s.String(0x07);
  y.uuid = ReadUuid(s, major, minor);
  y.skuNumber = s.String(0x19);
  y.family = s.String(0x1A);
  return y;
}

SmbiosBoard ReadBoard(const Structure& s) {
  SmbiosBoard b;
  b.manufacturer = s.String(0x04);
  b.product = s.String(0x05);
  b.version = s.String(0x06);
  b.serialNumber = s.String(0x07);
  b.assetTag = s.String(0x08);
  return b;
}

// A count byte; 0xFF sends the reader to the wider field of later versions.
std::optional<unsigned> Count(const Structure& s, std::size_t byteOffset, std::size_t wordOffset) {
  const auto narrow = s.Byte(byteOffset);
  if (narrow && *narrow == 0xFF) return NonZero(s.Word(wordOffset));
  return NonZero(narrow);
}

SmbiosProcessor ReadProcessor(const Structure& s) {
  SmbiosProcessor p;
  p.socket = s.String(0x04);
  p.manufacturer = s.String(0x07);
  p.version = s.String(0x10);
  p.maxSpeedMhz = NonZero(s.Word(0x14));
  p.currentSpeedMhz = NonZero(s.Word(0x16));
  if (const auto status = s.Byte(0x18)) p.populated = (*status & 0x40) != 0;
  p.coreCount = Count(s, 0x23, 0x2A);
  p.threadCount = Count(s, 0x25, 0x2E);
  return p;
}

std::string MemoryTypeName(unsigned code) {
  switch (code) {
    case 0x01:
      return "Other";
    case 0x02:
      return "Unknown";
    case 0x03:
      return "DRAM";
    case 0x0F:
      return "SDRAM";
    case 0x12:
      return "DDR";
    case 0x13:
      return "DDR2";
    case 0x14:
      return "DDR2 FB-DIMM";
    case 0x18:
      return "DDR3";
    case 0x1A:
      return "DDR4";
    case 0x1B:
      return "LPDDR";
    case 0x1C:
      return "LPDDR2";
    case 0x1D:
      return "LPDDR3";
    case 0x1E:
      return "LPDDR4";
    case 0x22:
      return "DDR5";
    case 0x23:
      return "LPDDR5";
    default:
      return "type " + Hex2(code);
  }
}

std::string FormFactorName(unsigned code) {
  switch (code) {
    case 0x01:
      return "Other";
    case 0x02:
      return "Unknown";
    case 0x03:
      return "SIMM";
    case 0x09:
      return "DIMM";
    case 0x0C:
      return "SRIMM";
    case 0x0D:
      return "SODIMM";
    case 0x0F:
      return "FB-DIMM";
    case 0x10:
      return "Die";
    default:
      return "form factor " + Hex2(code);
  }
}

SmbiosMemoryDevice ReadMemoryDevice(const Structure& s) {
  SmbiosMemoryDevice m;
  m.deviceLocator = s.String(0x10);
  m.bankLocator = s.String(0x11);
  m.manufacturer = s.String(0x17);
  m.serialNumber = s.String(0x18);
  m.partNumber = s.String(0x1A);
  if (const auto size = s.Word(0x0C)) {
    m.installed = *size != 0;
    if (*size == 0x7FFF) {
      // The extended size, in MB, for modules of 32 GB and more.
      if (const auto ext = s.DWord(0x1C)) m.sizeKb = (*ext & 0x7FFFFFFFu) * 1024u;
    } else if (*size != 0 && *size != 0xFFFF) {
      const std::uint64_t amount = *size & 0x7FFFu;
      m.sizeKb = (*size & 0x8000u) ? amount : amount * 1024u;
    }
  }
  m.speedMts = NonZero(s.Word(0x15));
  if (const auto type = s.Byte(0x12)) m.memoryType = MemoryTypeName(*type);
  if (const auto form = s.Byte(0x0E)) m.formFactor = FormFactorName(*form);
  return m;
}

}  // namespace

std::optional<SmbiosTable> ParseRawSmbios(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < kHeaderSize) return std::nullopt;
  SmbiosTable table;
  table.majorVersion = data[1];
  table.minorVersion = data[2];
  const std::size_t declared = static_cast<std::size_t>(data[4]) | (std::size_t(data[5]) << 8) |
                               (std::size_t(data[6]) << 16) | (std::size_t(data[7]) << 24);
  std::size_t available = size - kHeaderSize;
  if (declared > available) {
    table.truncated = true;
  } else {
    available = declared;
  }
  const std::uint8_t* const begin = data + kHeaderSize;
  const std::size_t end = available;

  std::size_t at = 0;
  while (at < end) {
    if (end - at < kStructureHeader) {
      table.truncated = true;
      break;
    }
    const std::uint8_t type = begin[at];
    const std::size_t length = begin[at + 1];
    if (length < kStructureHeader || length > end - at) {
      table.truncated = true;  // an impossible length, or a formatted area past the end
      break;
    }
    // The strings: each ended by a zero, the set by one more zero (a set
    // without strings is just two zeros). A string running past the end
    // of the data is dropped.
    std::vector<std::string> strings;
    std::size_t p = at + length;
    std::optional<std::size_t> next;
    if (end - p >= 2 && begin[p] == 0 && begin[p + 1] == 0) {
      next = p + 2;
    } else {
      while (p < end) {
        if (begin[p] == 0) {
          next = p + 1;
          break;
        }
        std::size_t q = p;
        while (q < end && begin[q] != 0) ++q;
        if (q >= end) break;
        strings.emplace_back(reinterpret_cast<const char*>(begin + p), q - p);
        p = q + 1;
      }
    }
    const Structure s(begin + at, length, std::move(strings));
    ++table.structures;
    if (type == kEndOfTable) break;
    switch (type) {
      case 0:
        table.bios.push_back(ReadBios(s));
        break;
      case 1:
        table.systems.push_back(ReadSystem(s, table.majorVersion, table.minorVersion));
        break;
      case 2:
        table.boards.push_back(ReadBoard(s));
        break;
      case 4:
        table.processors.push_back(ReadProcessor(s));
        break;
      case 17:
        table.memoryDevices.push_back(ReadMemoryDevice(s));
        break;
      default:
        break;
    }
    if (!next) {
      table.truncated = true;
      break;
    }
    at = *next;
  }
  return table;
}

}  // namespace pikko
