// A reader of the firmware's SMBIOS table in the raw form the system's
// firmware-table call ('RSMB') returns: an 8-byte header (calling method,
// major and minor version, DMI revision, table length) and then the
// structures, each a formatted area followed by its strings and ended by
// two zero bytes. The reader never looks past the data it is given: a
// table that is cut short, a structure whose length is impossible and a
// string reference past the string set are read as far as they are sound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pikko {

// A string of a structure: nothing when the structure is too short to
// hold the reference; the empty text when it refers to no string (0, or
// past the strings the structure carries) or the firmware left it blank.
using SmbiosString = std::optional<std::string>;

struct SmbiosBios {  // type 0
  SmbiosString vendor, version, releaseDate;
  std::optional<std::uint64_t> romSizeKb;
  std::optional<std::string> biosRelease;  // "major.minor" when the firmware gives it
};

struct SmbiosSystem {  // type 1
  SmbiosString manufacturer, productName, version, serialNumber, skuNumber, family;
  std::optional<std::string> uuid;  // nothing when absent, all zero or all 0xFF
};

struct SmbiosBoard {  // type 2
  SmbiosString manufacturer, product, version, serialNumber, assetTag;
};

struct SmbiosProcessor {  // type 4
  SmbiosString socket, manufacturer, version;
  std::optional<unsigned> maxSpeedMhz, currentSpeedMhz, coreCount, threadCount;
  std::optional<bool> populated;
};

struct SmbiosMemoryDevice {  // type 17
  SmbiosString deviceLocator, bankLocator, manufacturer, serialNumber, partNumber;
  std::optional<bool> installed;          // false for an empty slot
  std::optional<std::uint64_t> sizeKb;    // of an installed module, when known
  std::optional<unsigned> speedMts;       // 0 and unknown give nothing
  std::optional<std::string> memoryType;  // DDR4, DDR5 ... or "type 0xNN"
  std::optional<std::string> formFactor;  // DIMM, SODIMM ... or "form factor 0xNN"
};

struct SmbiosTable {
  unsigned majorVersion = 0, minorVersion = 0;
  std::vector<SmbiosBios> bios;
  std::vector<SmbiosSystem> systems;
  std::vector<SmbiosBoard> boards;
  std::vector<SmbiosProcessor> processors;
  std::vector<SmbiosMemoryDevice> memoryDevices;
  std::size_t structures = 0;  // structures read, of every type
  // The data ended, or a structure was impossible, before the end-of-table
  // structure or the table's own length was reached.
  bool truncated = false;
};

// Nothing when the data cannot even hold the 8-byte header.
std::optional<SmbiosTable> ParseRawSmbios(const std::uint8_t* data, std::size_t size);
inline std::optional<SmbiosTable> ParseRawSmbios(const std::vector<std::uint8_t>& data) {
  return ParseRawSmbios(data.data(), data.size());
}

}  // namespace pikko
