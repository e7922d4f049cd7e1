// The PNG library of the demo disc, "pngio.dll". It decodes by itself
// (zlib inflates the image data): every colour type and bit depth of the
// format (grey, palette, 16-bit, grey with alpha, RGB, RGBA, interlaced)
// comes out as 8-bit rows, RGB (colour type 2) or, when the picture has
// alpha (an alpha channel or a transparency chunk), RGBA (colour type 6).
// The file's bytes are pulled through the caller's read function until it
// gives 0; the chunk structure and every chunk's CRC are checked first, so
// a truncated or damaged file is refused. The record's two words the menu
// does not read hold the bit depth of the rows (8) and the bytes in one row.
// Decoding needs no COM and no system codec: the menu decodes some thirty
// pictures before its window first shows, and the codecs' start costs more
// than all of them.
//
// Writing goes through the system's imaging codecs. COM: a write
// initialises COM on its thread for itself when the caller has not, and
// undoes only that.
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

#include <zlib.h>

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

bool SizeAllowed(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxPngSide && height <= kMaxPngSide &&
         width * height <= kMaxPngPixels;
}

// What the chunks say of the picture.
struct Picture {
  std::uint32_t width = 0, height = 0;
  std::uint8_t depth = 0, colourType = 0, interlace = 0;
  Bytes palette;                // red, green, blue per entry
  Bytes paletteAlpha;           // tRNS of a palette picture
  std::uint16_t key[3] = {};    // tRNS of grey (key[0]) and RGB pictures
  bool hasKey = false;
  bool hasAlpha = false;
  Bytes data;                   // the IDAT chunks, joined
};

bool ValidHeader(const Picture& p) {
  switch (p.colourType) {
    case 0:
      return p.depth == 1 || p.depth == 2 || p.depth == 4 || p.depth == 8 || p.depth == 16;
    case 3:
      return p.depth == 1 || p.depth == 2 || p.depth == 4 || p.depth == 8;
    case 2:
    case 4:
    case 6:
      return p.depth == 8 || p.depth == 16;
    default:
      return false;
  }
}

// Checks the file's structure (signature, IHDR first, every chunk whole with
// its CRC, IEND at the end) and gathers what decoding needs.
bool Parse(const Bytes& file, Picture& picture) {
  if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) return false;
  std::size_t at = 8;
  bool first = true;
  bool transparency = false;
  for (;;) {
    if (file.size() - at < 12) return false;
    const std::uint32_t length = Be32(&file[at]);
    if (length > file.size() - at - 12) return false;
    const std::uint8_t* type = &file[at + 4];
    const std::uint8_t* body = &file[at + 8];
    if (Be32(&file[at + 8 + length]) != Crc32(type, 4 + std::size_t{length})) return false;
    const bool isHeader = std::memcmp(type, "IHDR", 4) == 0;
    if (first != isHeader) return false;
    if (isHeader) {
      if (length != 13) return false;
      picture.width = Be32(body);
      picture.height = Be32(body + 4);
      picture.depth = body[8];
      picture.colourType = body[9];
      picture.interlace = body[12];
      // Compression and filter method 0 are the only ones there are.
      if (body[10] != 0 || body[11] != 0 || picture.interlace > 1 || !ValidHeader(picture) ||
          !SizeAllowed(picture.width, picture.height))
        return false;
    } else if (std::memcmp(type, "PLTE", 4) == 0) {
      if (length % 3 != 0 || length == 0 || length > 3 * 256) return false;
      picture.palette.assign(body, body + length);
    } else if (std::memcmp(type, "tRNS", 4) == 0) {
      transparency = true;
      if (picture.colourType == 3) {
        picture.paletteAlpha.assign(body, body + std::min<std::uint32_t>(length, 256));
      } else if (picture.colourType == 0 && length >= 2) {
        picture.key[0] = static_cast<std::uint16_t>(body[0] << 8 | body[1]);
        picture.hasKey = true;
      } else if (picture.colourType == 2 && length >= 6) {
        for (int c = 0; c < 3; ++c)
          picture.key[c] = static_cast<std::uint16_t>(body[2 * c] << 8 | body[2 * c + 1]);
        picture.hasKey = true;
      }
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      picture.data.insert(picture.data.end(), body, body + length);
    }
    at += 12 + std::size_t{length};
    first = false;
    if (std::memcmp(type, "IEND", 4) == 0) break;
  }
  if (picture.colourType == 3 && picture.palette.empty()) return false;
  if (picture.data.empty()) return false;
  picture.hasAlpha = picture.colourType == 4 || picture.colourType == 6 || transparency;
  return true;
}

int Channels(std::uint8_t colourType) {
  switch (colourType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

// One interlacing pass (or the whole picture): its first pixel and steps.
struct Pass {
  std::uint32_t x0, y0, dx, dy;
};
constexpr Pass kWhole[] = {{0, 0, 1, 1}};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

std::uint32_t PassSize(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
  return size > start ? (size - start + step - 1) / step : 0;
}

std::size_t RowBytes(const Picture& p, std::uint32_t width) {
  return (std::size_t{width} * Channels(p.colourType) * p.depth + 7) / 8;
}

// The filtered rows of every pass, inflated; false when the data is damaged
// or ends before the picture does.
bool Inflate(const Picture& p, const Pass* passes, int count, Bytes& raw) {
  std::size_t total = 0;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t w = PassSize(p.width, passes[i].x0, passes[i].dx);
    const std::uint32_t h = PassSize(p.height, passes[i].y0, passes[i].dy);
    if (w != 0) total += std::size_t{h} * (1 + RowBytes(p, w));
  }
  raw.resize(total);
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(p.data.data());
  z.avail_in = static_cast<uInt>(p.data.size());
  z.next_out = raw.data();
  z.avail_out = static_cast<uInt>(raw.size());
  int result = Z_OK;
  while (z.avail_out != 0 && result == Z_OK) result = inflate(&z, Z_NO_FLUSH);
  inflateEnd(&z);
  // Data past the picture's last row is left unread, as a reader may.
  return z.avail_out == 0 && (result == Z_OK || result == Z_STREAM_END);
}

std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Undoes one row's filter in place, given the row above (unfiltered, or
// nullptr for a pass's first row).
bool Unfilter(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* above, std::size_t n,
              std::size_t bpp) {
  for (std::size_t i = 0; i < n; ++i) {
    const int a = i >= bpp ? row[i - bpp] : 0;
    const int b = above ? above[i] : 0;
    const int c = above && i >= bpp ? above[i - bpp] : 0;
    switch (filter) {
      case 0:
        return true;
      case 1:
        row[i] = static_cast<std::uint8_t>(row[i] + a);
        break;
      case 2:
        row[i] = static_cast<std::uint8_t>(row[i] + b);
        break;
      case 3:
        row[i] = static_cast<std::uint8_t>(row[i] + (a + b) / 2);
        break;
      case 4:
        row[i] = static_cast<std::uint8_t>(row[i] + Paeth(a, b, c));
        break;
      default:
        return false;
    }
  }
  return true;
}

// Sample c of pixel x of an unfiltered row, at the picture's bit depth.
std::uint16_t SampleAt(const Picture& p, const std::uint8_t* row, std::uint32_t x, int c) {
  const std::size_t index = std::size_t{x} * Channels(p.colourType) + c;
  if (p.depth == 16) return static_cast<std::uint16_t>(row[2 * index] << 8 | row[2 * index + 1]);
  if (p.depth == 8) return row[index];
  const std::size_t bit = index * p.depth;
  const int shift = 8 - p.depth - static_cast<int>(bit % 8);
  return static_cast<std::uint16_t>((row[bit / 8] >> shift) & ((1 << p.depth) - 1));
}

std::uint8_t To8(const Picture& p, std::uint16_t v) {
  if (p.depth == 16) return static_cast<std::uint8_t>(v >> 8);
  if (p.depth == 8) return static_cast<std::uint8_t>(v);
  return static_cast<std::uint8_t>(v * 255 / ((1 << p.depth) - 1));
}

// Pixel x of an unfiltered row into out (red, green, blue, and alpha when
// the picture has alpha).
void PutPixel(const Picture& p, const std::uint8_t* row, std::uint32_t x, std::uint8_t* out) {
  std::uint8_t rgba[4] = {0, 0, 0, 255};
  switch (p.colourType) {
    case 0: {
      const std::uint16_t v = SampleAt(p, row, x, 0);
      rgba[0] = rgba[1] = rgba[2] = To8(p, v);
      if (p.hasKey && v == p.key[0]) rgba[3] = 0;
      break;
    }
    case 2: {
      std::uint16_t v[3];
      for (int c = 0; c < 3; ++c) rgba[c] = To8(p, v[c] = SampleAt(p, row, x, c));
      if (p.hasKey && v[0] == p.key[0] && v[1] == p.key[1] && v[2] == p.key[2]) rgba[3] = 0;
      break;
    }
    case 3: {
      // An index beyond the palette is black, as other readers make it.
      const std::size_t i = SampleAt(p, row, x, 0);
      if (3 * i + 2 < p.palette.size())
        for (int c = 0; c < 3; ++c) rgba[c] = p.palette[3 * i + c];
      if (i < p.paletteAlpha.size()) rgba[3] = p.paletteAlpha[i];
      break;
    }
    case 4:
      rgba[0] = rgba[1] = rgba[2] = To8(p, SampleAt(p, row, x, 0));
      rgba[3] = To8(p, SampleAt(p, row, x, 1));
      break;
    default:
      for (int c = 0; c < 4; ++c) rgba[c] = To8(p, SampleAt(p, row, x, c));
      break;
  }
  std::memcpy(out, rgba, p.hasAlpha ? 4 : 3);
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

bool Decode(const Picture& p, PngImageRecord& record) {
  const Pass* passes = p.interlace ? kAdam7 : kWhole;
  const int count = p.interlace ? 7 : 1;
  Bytes raw;
  if (!Inflate(p, passes, count, raw)) return false;
  if (!AllocateRows(record, p.width, p.height, p.hasAlpha ? kPngColourTypeRgba : kPngColourTypeRgb))
    return false;
  const int out = p.hasAlpha ? 4 : 3;
  const std::size_t bpp = std::max<std::size_t>(1, static_cast<std::size_t>(Channels(p.colourType)) * p.depth / 8);
  std::uint8_t* at = raw.data();
  for (int i = 0; i < count; ++i) {
    const Pass& pass = passes[i];
    const std::uint32_t w = PassSize(p.width, pass.x0, pass.dx);
    const std::uint32_t h = PassSize(p.height, pass.y0, pass.dy);
    if (w == 0) continue;
    const std::size_t n = RowBytes(p, w);
    const std::uint8_t* above = nullptr;
    for (std::uint32_t j = 0; j < h; ++j, at += 1 + n) {
      std::uint8_t* row = at + 1;
      if (!Unfilter(at[0], row, above, n, bpp)) return false;
      std::uint8_t* target = record.rows[pass.y0 + j * pass.dy];
      for (std::uint32_t k = 0; k < w; ++k) PutPixel(p, row, k, target + out * (pass.x0 + k * pass.dx));
      above = row;
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
    Picture picture;
    if (!PullAll(read, userData, file) || !Parse(file, picture)) return 0;
    file = Bytes{};
    pikko::PngImageRecord decoded{};
    if (!Decode(picture, decoded)) {
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
