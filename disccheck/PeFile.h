// A reader of Windows executables and libraries (PE32 and PE32+) for the
// few things the checks need: the machine, the system version the file
// asks for, the functions it imports, the names it exports and its
// resources. It never reads past the bytes it is given: a damaged file
// gives nothing, or what could be read soundly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pikko::disccheck {

struct PeImport {
  std::string library;                // as the file names it
  std::vector<std::string> functions;  // by name; "#12" for an import by ordinal
  bool delayed = false;
};

class PeFile {
 public:
  static std::optional<PeFile> Parse(std::string_view bytes);

  static constexpr std::uint16_t kI386 = 0x14C;
  static constexpr std::uint16_t kAmd64 = 0x8664;

  std::uint16_t Machine() const { return machine_; }
  bool Is64Bit() const { return pe32Plus_; }
  bool IsDll() const { return (characteristics_ & 0x2000) != 0; }
  unsigned SubsystemMajor() const { return subsystemMajor_; }
  unsigned SubsystemMinor() const { return subsystemMinor_; }
  const std::vector<PeImport>& Imports() const { return imports_; }
  const std::vector<std::string>& ExportNames() const { return exports_; }
  bool Exports(std::string_view name) const;
  // The data of the first resource of a type and id (any language).
  std::optional<std::string> Resource(std::uint32_t type, std::uint32_t id) const;
  // Whether any resource of the type exists.
  bool HasResourceType(std::uint32_t type) const;
  // How many resources of the type and id there are (all languages).
  int ResourceCount(std::uint32_t type, std::uint32_t id) const;

  static constexpr std::uint32_t kIconGroup = 14;
  static constexpr std::uint32_t kVersion = 16;
  static constexpr std::uint32_t kManifest = 24;

 private:
  struct Section {
    std::uint32_t va, size, raw, rawSize;
  };
  struct ResourceEntry {
    std::uint32_t type, id, rva, size;
  };
  std::optional<std::size_t> Offset(std::uint32_t rva) const;
  std::string StringAt(std::uint32_t rva) const;
  void ReadImports(std::uint32_t rva, bool delayed);
  void ReadExports(std::uint32_t rva);
  void ReadResources(std::uint32_t rva);

  std::string copy_;
  std::uint16_t machine_ = 0, characteristics_ = 0;
  bool pe32Plus_ = false;
  unsigned subsystemMajor_ = 0, subsystemMinor_ = 0;
  std::vector<Section> sections_;
  std::vector<PeImport> imports_;
  std::vector<std::string> exports_;
  std::vector<ResourceEntry> resources_;
};

}  // namespace pikko::disccheck
