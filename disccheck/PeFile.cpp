#include "disccheck/PeFile.h"

#include <algorithm>

namespace pikko::disccheck {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view b) : b_(b) {}
  bool Has(std::size_t at, std::size_t n) const { return at <= b_.size() && n <= b_.size() - at; }
  std::uint32_t U16(std::size_t at) const {
    if (!Has(at, 2)) return 0;
    return static_cast<std::uint8_t>(b_[at]) | static_cast<std::uint8_t>(b_[at + 1]) << 8;
  }
  std::uint32_t U32(std::size_t at) const {
    if (!Has(at, 4)) return 0;
    return U16(at) | U16(at + 2) << 16;
  }
  std::uint64_t U64(std::size_t at) const {
    return U32(at) | static_cast<std::uint64_t>(U32(at + 4)) << 32;
  }

 private:
  std::string_view b_;
};

// Bounds on what a sound file holds, so that a damaged one cannot make the
// reader loop for long.
constexpr std::size_t kMostEntries = 65536;

}  // namespace

std::optional<PeFile> PeFile::Parse(std::string_view bytes) {
  PeFile pe;
  pe.copy_ = std::string(bytes);
  const Reader r(pe.copy_);
  if (!r.Has(0, 64) || pe.copy_.compare(0, 2, "MZ") != 0) return std::nullopt;
  const std::size_t header = r.U32(0x3C);
  if (!r.Has(header, 24) || pe.copy_.compare(header, 4, std::string("PE\0\0", 4)) != 0)
    return std::nullopt;
  pe.machine_ = static_cast<std::uint16_t>(r.U16(header + 4));
  const std::size_t sectionCount = r.U16(header + 6);
  const std::size_t optionalSize = r.U16(header + 20);
  pe.characteristics_ = static_cast<std::uint16_t>(r.U16(header + 22));
  const std::size_t optional = header + 24;
  if (!r.Has(optional, optionalSize) || optionalSize < 96) return std::nullopt;
  const std::uint32_t magic = r.U16(optional);
  if (magic != 0x10B && magic != 0x20B) return std::nullopt;
  pe.pe32Plus_ = magic == 0x20B;
  pe.subsystemMajor_ = r.U16(optional + 48);
  pe.subsystemMinor_ = r.U16(optional + 50);
  const std::size_t dirCountAt = optional + (pe.pe32Plus_ ? 108 : 92);
  const std::size_t dirs = dirCountAt + 4;
  const std::size_t dirCount = std::min<std::size_t>(r.U32(dirCountAt), 16);
  if (dirs + dirCount * 8 > optional + optionalSize) return std::nullopt;
  const std::size_t sections = optional + optionalSize;
  for (std::size_t i = 0; i < sectionCount && i < 96; ++i) {
    const std::size_t s = sections + i * 40;
    if (!r.Has(s, 40)) return std::nullopt;
    pe.sections_.push_back({r.U32(s + 12), r.U32(s + 8), r.U32(s + 20), r.U32(s + 16)});
  }
  auto dir = [&](std::size_t i) { return i < dirCount ? r.U32(dirs + i * 8) : 0u; };
  if (dir(0)) pe.ReadExports(dir(0));
  if (dir(1)) pe.ReadImports(dir(1), false);
  if (dir(2)) pe.ReadResources(dir(2));
  if (dir(13)) pe.ReadImports(dir(13), true);
  return pe;
}

std::optional<std::size_t> PeFile::Offset(std::uint32_t rva) const {
  for (const Section& s : sections_) {
    const std::uint32_t extent = std::max(s.size, s.rawSize);
    if (rva >= s.va && rva - s.va < extent) {
      const std::uint64_t at = static_cast<std::uint64_t>(s.raw) + (rva - s.va);
      if (rva - s.va >= s.rawSize || at >= copy_.size()) return std::nullopt;
      return static_cast<std::size_t>(at);
    }
  }
  return std::nullopt;
}

std::string PeFile::StringAt(std::uint32_t rva) const {
  const auto at = Offset(rva);
  if (!at) return {};
  const std::size_t end = copy_.find('\0', *at);
  return std::string(copy_.substr(*at, (end == std::string::npos ? copy_.size() : end) - *at));
}

void PeFile::ReadImports(std::uint32_t rva, bool delayed) {
  const Reader r(copy_);
  const std::size_t size = delayed ? 32 : 20;
  for (std::size_t i = 0; i < kMostEntries; ++i) {
    const auto at = Offset(static_cast<std::uint32_t>(rva + i * size));
    if (!at || !r.Has(*at, size)) return;
    const std::uint32_t nameRva = r.U32(*at + (delayed ? 4 : 12));
    std::uint32_t thunks = delayed ? r.U32(*at + 16) : r.U32(*at);
    if (!delayed && thunks == 0) thunks = r.U32(*at + 16);  // no lookup table: the address table
    if (nameRva == 0) return;
    PeImport import{StringAt(nameRva), {}, delayed};
    const std::size_t width = pe32Plus_ ? 8 : 4;
    for (std::size_t k = 0; k < kMostEntries; ++k) {
      const auto t = Offset(static_cast<std::uint32_t>(thunks + k * width));
      if (!t || !r.Has(*t, width)) break;
      const std::uint64_t value = pe32Plus_ ? r.U64(*t) : r.U32(*t);
      if (value == 0) break;
      const bool byOrdinal = pe32Plus_ ? (value >> 63) != 0 : (value >> 31) != 0;
      if (byOrdinal) {
        import.functions.push_back("#" + std::to_string(value & 0xFFFF));
      } else {
        import.functions.push_back(StringAt(static_cast<std::uint32_t>(value + 2)));
      }
    }
    imports_.push_back(std::move(import));
  }
}

void PeFile::ReadExports(std::uint32_t rva) {
  const Reader r(copy_);
  const auto at = Offset(rva);
  if (!at || !r.Has(*at, 40)) return;
  const std::size_t count = std::min<std::size_t>(r.U32(*at + 24), kMostEntries);
  const std::uint32_t names = r.U32(*at + 32);
  for (std::size_t i = 0; i < count; ++i) {
    const auto n = Offset(static_cast<std::uint32_t>(names + i * 4));
    if (!n || !r.Has(*n, 4)) return;
    exports_.push_back(StringAt(r.U32(*n)));
  }
}

bool PeFile::Exports(std::string_view name) const {
  return std::find(exports_.begin(), exports_.end(), name) != exports_.end();
}

void PeFile::ReadResources(std::uint32_t rva) {
  const Reader r(copy_);
  const auto base = Offset(rva);
  if (!base) return;
  // Entries of one directory: (name or id, offset, is a directory).
  auto entries = [&](std::size_t dirOffset) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> out;
    const std::size_t at = *base + dirOffset;
    if (!r.Has(at, 16)) return out;
    const std::size_t count = std::min<std::size_t>(r.U16(at + 12) + r.U16(at + 14), 4096);
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t e = at + 16 + i * 8;
      if (!r.Has(e, 8)) break;
      out.emplace_back(r.U32(e), r.U32(e + 4));
    }
    return out;
  };
  for (const auto& [type, typeDir] : entries(0)) {
    if (!(typeDir & 0x80000000u)) continue;
    for (const auto& [id, idDir] : entries(typeDir & 0x7FFFFFFFu)) {
      if (!(idDir & 0x80000000u)) continue;
      for (const auto& [language, data] : entries(idDir & 0x7FFFFFFFu)) {
        (void)language;
        if (data & 0x80000000u) continue;
        const std::size_t d = *base + data;
        if (!r.Has(d, 16)) continue;
        resources_.push_back({type, id, r.U32(d), r.U32(d + 4)});
      }
    }
  }
}

std::optional<std::string> PeFile::Resource(std::uint32_t type, std::uint32_t id) const {
  for (const ResourceEntry& e : resources_) {
    if (e.type != type || e.id != id) continue;
    const auto at = Offset(e.rva);
    if (!at || e.size > copy_.size() - *at) return std::nullopt;
    return std::string(copy_.substr(*at, e.size));
  }
  return std::nullopt;
}

int PeFile::ResourceCount(std::uint32_t type, std::uint32_t id) const {
  return static_cast<int>(std::count_if(resources_.begin(), resources_.end(), [&](const ResourceEntry& e) {
    return e.type == type && e.id == id;
  }));
}

bool PeFile::HasResourceType(std::uint32_t type) const {
  return std::any_of(resources_.begin(), resources_.end(),
                     [&](const ResourceEntry& e) { return e.type == type; });
}

}  // namespace pikko::disccheck
