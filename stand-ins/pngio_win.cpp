// The PNG library of the demo disc, "pngio.dll". It decodes through the
// system's imaging codecs: every colour type and bit depth they read (grey,
// palette, 16-bit, grey with alpha, RGB, RGBA, interlaced) comes out as
// 8-bit rows, RGB (colour type 2) or, when the picture has alpha (an alpha
// channel or a transparency chunk), RGBA (colour type 6). The file's bytes
// are pulled through the caller's read function until it gives 0; the
// chunk structure and every chunk's CRC are checked before the codec sees
// them, so a truncated or damaged file is refused. The record's two words
// the menu does not read hold the bit depth of the rows (8) and the bytes
// in one row.
//
// COM: every call that needs the codecs initialises COM on its thread for
// itself when the caller has not, and undoes only that.
#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <vector>

#include "Graphics/PngReader.h"
#include "platform/ScopedWin.h"

namespace pikko::standin {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A disc's pictures are a few kilobytes; a stream beyond this is not one.
constexpr std::size_t kMaxFileBytes = std::size_t{32} << 20;
constexpr std::uint32_t kReadChunk = 64 * 1024;
constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Be32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// Every byte the read function gives, up to its 0; false for a stream
// beyond the limit or a function that claims more than it was asked for.
bool PullAll(PngReadFunction read, void* userData, Bytes& bytes) {
  for (;;) {
    const std::size_t at = bytes.size();
    bytes.resize(at + kReadChunk);
    const std::uint32_t n = read(userData, bytes.data() + at, kReadChunk);
    if (n > kReadChunk) return false;
    bytes.resize(at + n);
    if (n == 0) return true;
    if (bytes.size() > kMaxFileBytes) return false;
  }
}

// Checks the file's structure: signature, IHDR first, every chunk whole
// with its CRC, IEND at the end. Tells whether the picture has alpha.
bool CheckStructure(const Bytes& file, bool& hasAlpha) {
  if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) return false;
  std::size_t at = 8;
  bool first = true;
  std::uint8_t colourType = 0;
  bool transparency = false;
  for (;;) {
    if (file.size() - at < 12) return false;
    const std::uint32_t length = Be32(&file[at]);
    if (length > file.size() - at - 12) return false;
    const std::uint8_t* type = &file[at + 4];
    if (Be32(&file[at + 8 + length]) != Crc32(type, 4 + std::size_t{length})) return false;
    const bool isHeader = std::memcmp(type, "IHDR", 4) == 0;
    if (first != isHeader) return false;
    if (isHeader) {
      if (length != 13) return false;
      colourType = file[at + 8 + 9];
    }
    if (std::memcmp(type, "tRNS", 4) == 0) transparency = true;
    at += 12 + std::size_t{length};
    first = false;
    if (std::memcmp(type, "IEND", 4) == 0) break;
  }
  hasAlpha = colourType == 4 || colourType == 6 || transparency;
  return true;
}

// COM for one call: initialised here unless the thread already is, and
// uninitialised only when this call's initialisation succeeded (S_FALSE, a
// thread already in the same model, counts one more and is undone too). A
// thread in the other model can use the codecs as it is.
class CallCom {
 public:
  CallCom() : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~CallCom() {
    if (SUCCEEDED(hr_)) ::CoUninitialize();
  }
  CallCom(const CallCom&) = delete;
  CallCom& operator=(const CallCom&) = delete;
  bool Usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }
  // The thread had COM before this call, and keeps it after.
  bool CallerHasCom() const { return hr_ == S_FALSE || hr_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT hr_;
};

// The factory of the imaging codecs; COM must be initialised. A thread that
// keeps COM across its calls (the menu's, which decodes some thirty pictures
// at start) keeps one factory: making it costs more than decoding a picture.
// The kept factory is never released: at unload the apartment that made it
// may be gone.
bool Factory(win::ComPtr<IWICImagingFactory>& factory, const CallCom& com) {
  static IWICImagingFactory* kept = nullptr;
  static DWORD keptFor = 0;
  const DWORD thread = ::GetCurrentThreadId();
  if (com.CallerHasCom() && kept != nullptr && keptFor == thread) {
    kept->AddRef();
    *factory.Put() = kept;
    return true;
  }
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Put()))))
    return false;
  if (com.CallerHasCom() && kept == nullptr) {
    factory->AddRef();
    kept = factory.Get();
    keptFor = thread;
  }
  return true;
}

bool SizeAllowed(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxPngSide && height <= kMaxPngSide &&
         width * height <= kMaxPngPixels;
}

// One block: the row pointers, then the rows. Released with std::free.
bool AllocateRows(PngImageRecord& record, std::uint32_t width, std::uint32_t height,
                  std::uint32_t colourType) {
  if (!SizeAllowed(width, height)) return false;
  const std::size_t rowBytes = std::size_t{width} * (colourType == kPngColourTypeRgba ? 4 : 3);
  const std::size_t pointers = std::size_t{height} * sizeof(std::uint8_t*);
  void* block = std::calloc(1, pointers + rowBytes * height);
  if (block == nullptr) return false;
  auto** rows = static_cast<std::uint8_t**>(block);
  std::uint8_t* pixels = static_cast<std::uint8_t*>(block) + pointers;
  for (std::uint32_t y = 0; y < height; ++y) rows[y] = pixels + rowBytes * y;
  record.width = width;
  record.height = height;
  record.libraryField8 = 8;
  record.colourType = colourType;
  record.libraryField16 = static_cast<std::uint32_t>(rowBytes);
  record.rows = rows;
  return true;
}

void ReleaseRows(PngImageRecord& record) {
  std::free(record.rows);
  record = PngImageRecord{};
}

bool Decode(const Bytes& file, bool hasAlpha, PngImageRecord& record) {
  const CallCom com;
  if (!com.Usable()) return false;
  win::ComPtr<IWICImagingFactory> factory;
  if (!Factory(factory, com)) return false;
  win::ComPtr<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.Put())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(file.data()),
                                          static_cast<DWORD>(file.size()))))
    return false;
  win::ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.Put())) ||
      FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)))
    return false;
  win::ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.Put()))) return false;
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || !SizeAllowed(width, height)) return false;
  win::ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return false;
  const UINT stride = width * 4;
  Bytes pixels(std::size_t{stride} * height);
  if (FAILED(
          converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data())))
    return false;
  if (!AllocateRows(record, width, height, hasAlpha ? kPngColourTypeRgba : kPngColourTypeRgb))
    return false;
  const int out = hasAlpha ? 4 : 3;
  for (UINT y = 0; y < height; ++y) {
    const std::uint8_t* s = &pixels[std::size_t{stride} * y];
    std::uint8_t* d = record.rows[y];
    for (UINT x = 0; x < width; ++x, s += 4, d += out) {
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
      if (hasAlpha) d[3] = s[3];
    }
  }
  return true;
}

// The record's rows as one top-down block of blue, green, red (and alpha)
// pixels; false for a record that is not whole.
bool RecordPixels(const PngImageRecord& record, Bytes& pixels, UINT& stride) {
  if (!SizeAllowed(record.width, record.height) || record.rows == nullptr) return false;
  const bool rgba = record.colourType == kPngColourTypeRgba;
  const int in = rgba ? 4 : 3;
  stride = (record.width * in + 3) & ~3u;
  pixels.assign(std::size_t{stride} * record.height, 0);
  for (std::uint32_t y = 0; y < record.height; ++y) {
    const std::uint8_t* s = record.rows[y];
    if (s == nullptr) return false;
    std::uint8_t* d = &pixels[std::size_t{stride} * y];
    for (std::uint32_t x = 0; x < record.width; ++x, s += in, d += in) {
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
      if (rgba) d[3] = s[3];
    }
  }
  return true;
}

bool Encode(const PngImageRecord& record, PngWriteFunction write, void* userData) {
  Bytes pixels;
  UINT stride = 0;
  if (!RecordPixels(record, pixels, stride)) return false;
  const CallCom com;
  if (!com.Usable()) return false;
  win::ComPtr<IWICImagingFactory> factory;
  if (!Factory(factory, com)) return false;
  win::ComPtr<IStream> stream;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()))) return false;
  win::ComPtr<IWICBitmapEncoder> encoder;
  if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put())) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)))
    return false;
  win::ComPtr<IWICBitmapFrameEncode> frame;
  win::ComPtr<IPropertyBag2> options;
  if (FAILED(encoder->CreateNewFrame(frame.Put(), options.Put())) ||
      FAILED(frame->Initialize(options.Get())) ||
      FAILED(frame->SetSize(record.width, record.height)))
    return false;
  const bool rgba = record.colourType == kPngColourTypeRgba;
  const WICPixelFormatGUID wanted =
      rgba ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
  WICPixelFormatGUID format = wanted;
  // The encoder may only offer another format: then the rows do not fit.
  if (FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, wanted)) return false;
  if (FAILED(frame->WritePixels(record.height, stride, static_cast<UINT>(pixels.size()),
                                pixels.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit()))
    return false;
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > kMaxFileBytes)
    return false;
  Bytes file(static_cast<std::size_t>(stat.cbSize.QuadPart));
  ULONG got = 0;
  const LARGE_INTEGER start{};
  if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
      FAILED(stream->Read(file.data(), static_cast<ULONG>(file.size()), &got)) ||
      got != file.size())
    return false;
  for (std::size_t at = 0; at < file.size();) {
    const auto count =
        static_cast<std::uint32_t>(std::min<std::size_t>(file.size() - at, kReadChunk));
    if (write(userData, file.data() + at, count) != count) return false;
    at += count;
  }
  return true;
}

}  // namespace
}  // namespace pikko::standin

extern "C" __declspec(dllexport) int PIKKO_STDCALL
    ReadPngEx(pikko::PngImageRecord* record, pikko::PngReadFunction read, void* userData) noexcept {
  using namespace pikko::standin;
  if (record == nullptr) return 0;
  *record = pikko::PngImageRecord{};
  if (read == nullptr) return 0;
  try {
    Bytes file;
    bool hasAlpha = false;
    if (!PullAll(read, userData, file) || !CheckStructure(file, hasAlpha)) return 0;
    pikko::PngImageRecord decoded{};
    if (!Decode(file, hasAlpha, decoded)) {
      ReleaseRows(decoded);
      return 0;
    }
    *record = decoded;
    return 1;
  } catch (...) {
    return 0;
  }
}

extern "C" __declspec(dllexport) void PIKKO_STDCALL
    FreePngData(pikko::PngImageRecord* record) noexcept {
  if (record != nullptr) pikko::standin::ReleaseRows(*record);
}

extern "C" __declspec(dllexport) int PIKKO_STDCALL
    AllocatePngData(pikko::PngImageRecord* record) noexcept {
  if (record == nullptr) return 0;
  const pikko::PngImageRecord wanted = *record;
  *record = pikko::PngImageRecord{};
  return pikko::standin::AllocateRows(*record, wanted.width, wanted.height, wanted.colourType) ? 1
                                                                                               : 0;
}

extern "C" __declspec(dllexport) int PIKKO_STDCALL
    WritePngEx(const pikko::PngImageRecord* record, pikko::PngWriteFunction write,
               void* userData) noexcept {
  if (record == nullptr || write == nullptr) return 0;
  try {
    return pikko::standin::Encode(*record, write, userData) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

// The exports keep the binary interface the menu calls.
static_assert(std::is_convertible_v<decltype(&ReadPngEx), pikko::ReadPngExProc>);
static_assert(std::is_convertible_v<decltype(&WritePngEx), pikko::WritePngExProc>);
static_assert(std::is_convertible_v<decltype(&FreePngData), pikko::FreePngDataProc>);
static_assert(std::is_convertible_v<decltype(&AllocatePngData), pikko::AllocatePngDataProc>);
