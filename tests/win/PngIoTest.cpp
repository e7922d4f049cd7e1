// The stand-in PNG library through its exports, as the menu calls them:
// every colour type, bit depth and interlacing as 8-bit RGB or RGBA rows,
// truncated, damaged, endless or oversized input refused, COM left as the
// caller had it, and the rows released; writing and allocating rows.
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "Graphics/PngReader.h"
#include "demo/PngSamples.h"
#include "tests/win/WinTestSupport.h"

namespace pikko {
namespace {

using testing::PngKind;

struct Source {
  std::string bytes;
  std::size_t at = 0;
  int calls = 0;
  bool endless = false;
  bool claimsMore = false;
};

std::uint32_t PIKKO_STDCALL ReadSource(void* user, void* buffer, std::uint32_t count) {
  auto* s = static_cast<Source*>(user);
  ++s->calls;
  if (s->endless) {
    std::memset(buffer, 0x41, count);
    return count;
  }
  if (s->claimsMore) return count + 1;
  const std::size_t n = std::min<std::size_t>(count, s->bytes.size() - s->at);
  std::memcpy(buffer, s->bytes.data() + s->at, n);
  s->at += n;
  return static_cast<std::uint32_t>(n);
}

std::uint32_t PIKKO_STDCALL WriteSink(void* user, const void* buffer, std::uint32_t count) {
  auto* out = static_cast<std::string*>(user);
  out->append(static_cast<const char*>(buffer), count);
  return count;
}
std::uint32_t PIKKO_STDCALL WriteNothing(void*, const void*, std::uint32_t) { return 0; }

class PngLibrary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = ::LoadLibraryA(testing::BuildPath("stand-ins-payload/pngio.dll").c_str());
    ASSERT_NE(module_, nullptr);
    read_ = Export<ReadPngExProc>("ReadPngEx");
    write_ = Export<WritePngExProc>("WritePngEx");
    free_ = Export<FreePngDataProc>("FreePngData");
    allocate_ = Export<AllocatePngDataProc>("AllocatePngData");
  }
  static void TearDownTestSuite() { ::FreeLibrary(module_); }
  template <class Proc>
  static Proc Export(const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(module_, name)));
  }

  void SetUp() override {
    ASSERT_NE(read_, nullptr);
    ASSERT_NE(write_, nullptr);
    ASSERT_NE(free_, nullptr);
    ASSERT_NE(allocate_, nullptr);
  }

  // Reads the bytes; a refused file gives 0 and leaves an empty record.
  static int Read(Source& source, PngImageRecord& record) {
    record = PngImageRecord{1, 1, 1, 1, 1, reinterpret_cast<std::uint8_t**>(8)};
    const int result = read_(&record, &ReadSource, &source);
    if (result == 0) {
      EXPECT_EQ(record.rows, nullptr);
      EXPECT_EQ(record.width, 0u);
    }
    return result;
  }

  static void ExpectPixels(const PngKind& kind, const PngImageRecord& record) {
    ASSERT_EQ(record.width, std::uint32_t(kind.width)) << kind.name;
    ASSERT_EQ(record.height, std::uint32_t(kind.height)) << kind.name;
    const bool alpha = testing::HasAlpha(kind);
    ASSERT_EQ(record.colourType, alpha ? kPngColourTypeRgba : kPngColourTypeRgb) << kind.name;
    const int bytes = alpha ? 4 : 3;
    int wrong = 0;
    for (int y = 0; y < kind.height; ++y)
      for (int x = 0; x < kind.width; ++x) {
        const std::uint8_t* p = record.rows[y] + bytes * x;
        const testing::Rgba8 e = testing::Expected(kind, x, y);
        const bool same = p[0] == e.r && p[1] == e.g && p[2] == e.b && (!alpha || p[3] == e.a);
        if (!same && wrong++ < 3) ADD_FAILURE() << kind.name << " pixel " << x << "," << y;
      }
  }

  static HMODULE module_;
  static ReadPngExProc read_;
  static WritePngExProc write_;
  static FreePngDataProc free_;
  static AllocatePngDataProc allocate_;
};
HMODULE PngLibrary::module_ = nullptr;
ReadPngExProc PngLibrary::read_ = nullptr;
WritePngExProc PngLibrary::write_ = nullptr;
FreePngDataProc PngLibrary::free_ = nullptr;
AllocatePngDataProc PngLibrary::allocate_ = nullptr;

TEST_F(PngLibrary, EveryKindComesOutAs8BitRgbOrRgbaRows) {
  for (const PngKind& kind : testing::AllPngKinds()) {
    Source source{testing::EncodeKind(kind)};
    PngImageRecord record{};
    ASSERT_NE(Read(source, record), 0) << kind.name;
    EXPECT_EQ(source.at, source.bytes.size()) << kind.name;
    ExpectPixels(kind, record);
    free_(&record);
    EXPECT_EQ(record.rows, nullptr);
  }
}

TEST_F(PngLibrary, TruncatedDamagedAndForeignInputIsRefused) {
  const PngKind kind{"RGBA", 6, 4, 6, 8};
  const std::string good = testing::EncodeKind(kind);
  std::vector<std::pair<std::string, std::string>> cases = {
      {"empty", ""},
      {"signature only", good.substr(0, 8)},
      {"not a PNG", "BM" + good.substr(2)},
      {"IEND missing", good.substr(0, good.size() - 12)},
      {"last byte missing", good.substr(0, good.size() - 1)},
  };
  for (std::size_t cut : {20u, 33u, 40u, 60u, 90u})
    cases.push_back({"cut at " + std::to_string(cut), good.substr(0, cut)});
  // A flipped bit in the pixels: the chunk's CRC no longer matches.
  std::string flipped = good;
  flipped[60] = static_cast<char>(flipped[60] ^ 0x10);
  cases.push_back({"flipped bit", flipped});
  // Damaged compressed data behind a correct CRC: a stored block's length
  // that its complement contradicts.
  std::string z = testing::StoredZlib(std::string(kind.height * (1 + 4 * kind.width), '\0'));
  z[4] = static_cast<char>(z[4] ^ 0x01);
  std::string header;
  testing::PutBe32(header, 6);
  testing::PutBe32(header, 4);
  header += std::string("\x08\x06\0\0\0", 5);
  const std::string signature("\x89PNG\r\n\x1a\n", 8);
  cases.push_back({"bad deflate", signature + testing::Chunk("IHDR", header) +
                                      testing::Chunk("IDAT", z) + testing::Chunk("IEND", "")});
  // A header far beyond any picture of the disc.
  std::string huge;
  testing::PutBe32(huge, 100000);
  testing::PutBe32(huge, 100000);
  huge += std::string("\x08\x06\0\0\0", 5);
  cases.push_back({"100000 x 100000", signature + testing::Chunk("IHDR", huge) +
                                          testing::Chunk("IDAT", testing::StoredZlib("\0")) +
                                          testing::Chunk("IEND", "")});
  // A header of 8192 x 8192 pixels over 32 bytes of image data.
  cases.push_back({"100 bytes claiming 512 MiB of rows", testing::HugeHeaderPng()});
  for (const auto& [name, bytes] : cases) {
    Source source{bytes};
    PngImageRecord record{};
    EXPECT_EQ(Read(source, record), 0) << name;
  }
}

TEST_F(PngLibrary, BrokenReadFunctionsAreRefusedWithinBounds) {
  Source endless;
  endless.endless = true;
  PngImageRecord record{};
  EXPECT_EQ(Read(endless, record), 0);
  EXPECT_LT(endless.calls, 600);  // some 32 MB, then no more
  Source greedy;
  greedy.claimsMore = true;
  EXPECT_EQ(Read(greedy, record), 0);
  EXPECT_EQ(greedy.calls, 1);
  EXPECT_EQ(read_(&record, nullptr, nullptr), 0);
  EXPECT_EQ(read_(nullptr, &ReadSource, &greedy), 0);
}

// COM as the caller had it: initialised here for the call only when the
// thread was not, and left initialised when it was.
TEST_F(PngLibrary, LeavesComAsTheThreadHadIt) {
  const std::string file = testing::EncodeKind({"RGB", 3, 2, 2, 8});
  auto decodeOn = [&](DWORD model, bool initialise) {
    HRESULT before = S_OK, after = S_OK;
    int result = 0;
    std::thread([&] {
      if (initialise) before = ::CoInitializeEx(nullptr, model);
      Source source{file};
      PngImageRecord record{};
      result = read_(&record, &ReadSource, &source);
      free_(&record);
      after = ::CoInitializeEx(nullptr, initialise ? model : DWORD{COINIT_APARTMENTTHREADED});
      if (SUCCEEDED(after)) ::CoUninitialize();
      if (initialise && SUCCEEDED(before)) ::CoUninitialize();
    }).join();
    EXPECT_EQ(before, S_OK);
    EXPECT_EQ(result, 1) << model << " " << initialise;
    return after;
  };
  EXPECT_EQ(decodeOn(0, false), S_OK);  // uninitialised again: a fresh start
  EXPECT_EQ(decodeOn(COINIT_MULTITHREADED, true), S_FALSE);
  EXPECT_EQ(decodeOn(COINIT_APARTMENTTHREADED, true), S_FALSE);
}

TEST_F(PngLibrary, AllocatedRowsWriteAndReadBack) {
  for (std::uint32_t type : {kPngColourTypeRgb, kPngColourTypeRgba}) {
    PngImageRecord record{5, 3, 0, type, 0, nullptr};
    ASSERT_EQ(allocate_(&record), 1);
    const int bytes = type == kPngColourTypeRgba ? 4 : 3;
    for (int y = 0; y < 3; ++y)
      for (int i = 0; i < 5 * bytes; ++i) {
        EXPECT_EQ(record.rows[y][i], 0);
        record.rows[y][i] = static_cast<std::uint8_t>(y * 50 + i * 7 + 1);
      }
    std::string file;
    ASSERT_EQ(write_(&record, &WriteSink, &file), 1);
    EXPECT_EQ(write_(&record, &WriteNothing, nullptr), 0);  // a sink that takes nothing
    Source source{file};
    PngImageRecord back{};
    ASSERT_EQ(Read(source, back), 1) << type;
    EXPECT_EQ(back.colourType, type);
    ASSERT_EQ(back.width, 5u);
    for (int y = 0; y < 3; ++y)
      EXPECT_EQ(std::string(reinterpret_cast<char*>(back.rows[y]), 5 * bytes),
                std::string(reinterpret_cast<char*>(record.rows[y]), 5 * bytes))
          << type << " row " << y;
    free_(&back);
    free_(&record);
    EXPECT_EQ(record.rows, nullptr);
    free_(&record);  // a released record can be released again
  }
  PngImageRecord huge{kMaxPngSide + 1, 1, 0, 6, 0, nullptr};
  EXPECT_EQ(allocate_(&huge), 0);
  EXPECT_EQ(huge.rows, nullptr);
  PngImageRecord noRows{2, 2, 0, 6, 0, nullptr};
  std::string file;
  EXPECT_EQ(write_(&noRows, &WriteSink, &file), 0);
  EXPECT_EQ(file, "");
}

}  // namespace
}  // namespace pikko
