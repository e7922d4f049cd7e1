#include "Graphics/PngReader.h"

#include <cstdio>
#include <memory>
#include <new>
#include <utility>

#include "platform/Assert.h"
#include "platform/Ports.h"

namespace pikko {
namespace {

constexpr char kUnit[] = "PngReader";

std::unique_ptr<PngManager>& Slot() {
  static std::unique_ptr<PngManager> manager;
  return manager;
}

template <class Proc>
Proc LookUp(void* library, const char* name) {
  return reinterpret_cast<Proc>(Libraries().Symbol(library, name));
}

// The library calls this; nothing may leave it but a count.
std::uint32_t PIKKO_STDCALL ReadThrough(void* userData, void* buffer,
                                        std::uint32_t count) noexcept {
  const auto* source = static_cast<const PngByteSource*>(userData);
  if (source == nullptr || !*source || buffer == nullptr || count == 0) return 0;
  try {
    const std::size_t n = (*source)(static_cast<std::uint8_t*>(buffer), count);
    // A source that claims more than it was asked for is broken: the file
    // ends there.
    return n <= count ? static_cast<std::uint32_t>(n) : 0;
  } catch (...) {
    return 0;
  }
}

}  // namespace

bool ConvertPngRows(const PngImageRecord& record, PixelBuffer& destination, bool want32) {
  const std::uint32_t w = record.width, h = record.height;
  if (w == 0 || h == 0 || w > kMaxPngSide || h > kMaxPngSide ||
      std::uint64_t{w} * h > kMaxPngPixels || record.rows == nullptr)
    return false;
  const bool rgba = record.colourType == kPngColourTypeRgba;
  const int srcBytes = rgba ? 4 : 3;
  PixelBuffer out;
  try {
    out.Reset(static_cast<int>(w), static_cast<int>(h), want32 ? 32 : 24);
  } catch (const std::bad_alloc&) {
    return false;
  }
  const PixelView view = out.View();
  const int dstBytes = view.BytesPerPixel();
  for (int y = 0; y < view.height; ++y) {
    const std::uint8_t* s = record.rows[y];
    if (s == nullptr) return false;
    std::uint8_t* d = view.Row(y);
    for (int x = 0; x < view.width; ++x, s += srcBytes, d += dstBytes) {
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
      if (!want32) continue;
      if (!rgba) {
        d[3] = 255;
      } else {
        d[3] = s[3];
        if (s[3] == 0) d[0] = d[1] = d[2] = 0;
      }
    }
  }
  destination = std::move(out);
  return true;
}

PngManager::PngManager() {
  // The library is taken from the program's own folder only, never through
  // the search path.
  const std::string program = Folders().ProgramFileName();
  const std::size_t cut = program.rfind('\\');
  if (cut != std::string::npos)
    m_hinst = Libraries().Load(program.substr(0, cut + 1) + kPngLibrary);
  Check(m_hinst != nullptr, "m_hinst", kUnit);
  readPngEx_ = LookUp<ReadPngExProc>(m_hinst, "ReadPngEx");
  writePngEx_ = LookUp<WritePngExProc>(m_hinst, "WritePngEx");
  freePngData_ = LookUp<FreePngDataProc>(m_hinst, "FreePngData");
  allocatePngData_ = LookUp<AllocatePngDataProc>(m_hinst, "AllocatePngData");
  Check(readPngEx_ != nullptr && freePngData_ != nullptr, "m_ReadPngEx && m_FreePngData", kUnit);
}

PngManager& PngManager::Instance() {
  std::unique_ptr<PngManager>& manager = Slot();
  if (!manager) manager.reset(new PngManager());
  return *manager;
}

void PngManager::ResetForTests() { Slot().reset(); }

bool PngManager::ReadPng(const PngByteSource& source, PixelBuffer& destination, bool want32) const {
  PngImageRecord record{};
  if (readPngEx_(&record, &ReadThrough, const_cast<PngByteSource*>(&source)) == 0) return false;
  const bool converted = ConvertPngRows(record, destination, want32);
  freePngData_(&record);
  return converted;
}

PngFileResult LoadPngFile(const std::string& path, PixelBuffer& bitmap) {
  // Narrow paths are in the system code page, as the C library takes them.
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
  if (!file) return PngFileResult::CannotOpen;
  const PngByteSource source = [stream = file.get()](std::uint8_t* buffer, std::size_t count) {
    return std::fread(buffer, 1, count, stream);
  };
  const bool read = PngManager::Instance().ReadPng(source, bitmap, true);
  return read ? PngFileResult::Loaded : PngFileResult::Rejected;
}

}  // namespace pikko
