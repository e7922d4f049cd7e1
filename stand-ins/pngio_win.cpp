// The PNG library of the demo disc, "pngio.dll". It decodes by itself
// (PngDecoder.cpp; zlib inflates the image data): every colour type and bit
// depth of the format comes out as 8-bit rows, RGB (colour type 2) or, when
// the picture has alpha, RGBA (colour type 6). The file's bytes are pulled
// through the caller's read function until it gives 0, then decoded whole.
// The record's two words the menu does not read hold the bit depth of the
// rows (8) and the bytes in one row. Decoding needs no COM and no system
// codec: the menu decodes some thirty pictures before its window first
// shows, and the codecs' start costs more than all of them.
//
// Writing goes through the system's imaging codecs. COM: a write
// initialises COM on its thread for itself when the caller has not, and
// undoes only that.
#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "Graphics/PngReader.h"
#include "platform/ScopedWin.h"
#include "stand-ins/PngDecoder.h"

namespace pikko::standin {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A disc's pictures are a few kilobytes; a stream beyond this is not one.
constexpr std::size_t kMaxFileBytes = std::size_t{32} << 20;
constexpr std::uint32_t kReadChunk = 64 * 1024;

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
// keeps COM across its calls keeps one factory: making it costs more than
// writing a picture.
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

// The record's rows as one top-down block of blue, green, red (and alpha)
// pixels; false for a record that is not whole.
bool RecordPixels(const PngImageRecord& record, Bytes& pixels, UINT& stride) {
  if (!PngSizeAllowed(record.width, record.height) || record.rows == nullptr) return false;
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
    if (!PullAll(read, userData, file)) return 0;
    pikko::PngImageRecord decoded{};
    if (!DecodePngFile(file.data(), file.size(), decoded)) return 0;
    *record = decoded;
    return 1;
  } catch (...) {
    return 0;
  }
}

extern "C" __declspec(dllexport) void PIKKO_STDCALL
    FreePngData(pikko::PngImageRecord* record) noexcept {
  if (record != nullptr) pikko::standin::ReleasePngRows(*record);
}

extern "C" __declspec(dllexport) int PIKKO_STDCALL
    AllocatePngData(pikko::PngImageRecord* record) noexcept {
  if (record == nullptr) return 0;
  const pikko::PngImageRecord wanted = *record;
  *record = pikko::PngImageRecord{};
  return pikko::standin::AllocatePngRows(*record, wanted.width, wanted.height, wanted.colourType)
             ? 1
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
