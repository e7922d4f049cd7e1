// PNG pictures through the PNG library, with a fake library whose entry
// points are functions of this test: the row conversion and its alpha
// rules, the library taken from the program's folder once, its absence as
// a broken installation, the bytes pulled through the read function, a
// rejected file or an unusable record leaving the picture as it was, and
// the rows always released.
#include "Graphics/PngReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Assert.h"
#include "platform/fakes/FakePorts.h"
#include "tests/TempFolder.h"

namespace pikko {
namespace {

// What the fake library decodes and what it saw.
struct FakeLibraryState {
  // The file the fake accepts: anything else (a truncated file) is refused.
  std::string file = "PNG:2x2";
  std::uint32_t width = 2, height = 2, colourType = kPngColourTypeRgba;
  std::vector<std::vector<std::uint8_t>> rows;
  bool nullRows = false;
  std::uint32_t askFor = 7;  // bytes asked for at each read
  std::string pulled;
  bool recordWasEmpty = true;
  int reads = 0, frees = 0;
  std::vector<std::uint8_t*> rowPointers;
};
FakeLibraryState g;

int PIKKO_STDCALL FakeReadPngEx(PngImageRecord* record, PngReadFunction read, void* user) {
  ++g.reads;
  g.recordWasEmpty = record->width == 0 && record->height == 0 && record->rows == nullptr;
  g.pulled.clear();
  char buffer[64];
  for (std::uint32_t n; (n = read(user, buffer, g.askFor)) != 0;) g.pulled.append(buffer, n);
  if (g.pulled != g.file) return 0;
  g.rowPointers.clear();
  for (auto& row : g.rows) g.rowPointers.push_back(row.data());
  record->width = g.width;
  record->height = g.height;
  record->colourType = g.colourType;
  record->rows = g.nullRows ? nullptr : g.rowPointers.data();
  return 1;
}
void PIKKO_STDCALL FakeFreePngData(PngImageRecord* record) {
  ++g.frees;
  record->rows = nullptr;
}

template <class F>
void* Export(F f) {
  return reinterpret_cast<void*>(f);
}

class PngReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g = FakeLibraryState{};
    // Two rows of two RGBA pixels, every byte different.
    g.rows = {{10, 20, 30, 255, 40, 50, 60, 0}, {70, 80, 90, 128, 100, 110, 120, 1}};
    PngManager::ResetForTests();
  }
  void TearDown() override { PngManager::ResetForTests(); }

  void AddLibrary(const std::string& path, bool withRead = true) {
    // The two entry points the menu never calls may be missing.
    std::map<std::string, void*> symbols = {{"FreePngData", Export(&FakeFreePngData)}};
    if (withRead) symbols["ReadPngEx"] = Export(&FakeReadPngEx);
    sys.libraries.Add(path, symbols);
  }

  static PngByteSource Over(const std::string& bytes, std::size_t most = 1000) {
    auto at = std::make_shared<std::size_t>(0);
    return [bytes, at, most](std::uint8_t* buffer, std::size_t count) {
      const std::size_t n = std::min({count, most, bytes.size() - *at});
      std::memcpy(buffer, bytes.data() + *at, n);
      *at += n;
      return n;
    };
  }

  fakes::FakeSystem sys;
};

std::vector<std::uint8_t> Bytes(const PixelBuffer& buffer) {
  std::vector<std::uint8_t> out;
  const ConstPixelView v = buffer.View();
  for (int y = 0; y < v.height; ++y)
    out.insert(out.end(), v.Row(y), v.Row(y) + v.width * v.BytesPerPixel());
  return out;
}

TEST(ConvertPngRows, ChannelOrderAndAlphaRules) {
  using V = std::vector<std::uint8_t>;
  struct Case {
    std::uint32_t colourType;
    bool want32;
    V row0, row1;  // two pixels a row
    V expected;    // the buffer's pixel bytes, row by row, without the rows' padding
  };
  const Case cases[] = {
      // RGBA into 32 bits: blue, green, red, alpha; alpha 0 clears the colour.
      {6,
       true,
       {10, 20, 30, 255, 40, 50, 60, 0},
       {70, 80, 90, 128, 100, 110, 120, 1},
       {30, 20, 10, 255, 0, 0, 0, 0, 90, 80, 70, 128, 120, 110, 100, 1}},
      // RGBA into 24 bits: no alpha, and the colour of a clear pixel stays.
      {6,
       false,
       {10, 20, 30, 255, 40, 50, 60, 0},
       {70, 80, 90, 128, 100, 110, 120, 1},
       {30, 20, 10, 60, 50, 40, 90, 80, 70, 120, 110, 100}},
      // RGB (and any other type) into 32 bits: opaque everywhere.
      {2,
       true,
       {1, 2, 3, 4, 5, 6},
       {7, 8, 9, 10, 11, 12},
       {3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255}},
      {3,
       true,
       {1, 2, 3, 4, 5, 6},
       {7, 8, 9, 10, 11, 12},
       {3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255}},
      {2,
       false,
       {1, 2, 3, 4, 5, 6},
       {7, 8, 9, 10, 11, 12},
       {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}},
  };
  for (const Case& c : cases) {
    V r0 = c.row0, r1 = c.row1;
    std::uint8_t* rows[] = {r0.data(), r1.data()};
    const PngImageRecord record{2, 2, 0, c.colourType, 0, rows};
    PixelBuffer out;
    ASSERT_TRUE(ConvertPngRows(record, out, c.want32));
    EXPECT_EQ(out.BitsPerPixel(), c.want32 ? 32 : 24);
    EXPECT_EQ(Bytes(out), c.expected) << "colour type " << c.colourType << " 32: " << c.want32;
  }
}

TEST(ConvertPngRows, UnusableRecordsLeaveTheDestinationAsItWas) {
  std::uint8_t row[12] = {};
  std::uint8_t* rows[] = {row, nullptr};
  const PngImageRecord cases[] = {
      {0, 1, 0, 6, 0, rows},
      {1, 0, 0, 6, 0, rows},
      {1, 1, 0, 6, 0, nullptr},
      {1, 2, 0, 6, 0, rows},  // the second row is missing
      {kMaxPngSide + 1, 1, 0, 6, 0, rows},
      {kMaxPngSide, kMaxPngSide, 0, 6, 0, rows},  // too many pixels: refused before any allocation
  };
  for (const PngImageRecord& record : cases) {
    PixelBuffer out(3, 1, 24);
    out.View().At(0, 0)[0] = 42;
    EXPECT_FALSE(ConvertPngRows(record, out, true)) << record.width << "x" << record.height;
    EXPECT_EQ(out.Width(), 3);
    EXPECT_EQ(out.BitsPerPixel(), 24);
    EXPECT_EQ(out.View().At(0, 0)[0], 42);
  }
}

TEST_F(PngReaderTest, LibraryComesFromTheProgramsFolderOnce) {
  AddLibrary("D:\\AUTORUN\\pngio.dll");
  PngManager& first = PngManager::Instance();
  EXPECT_EQ(&PngManager::Instance(), &first);
  EXPECT_EQ(sys.libraries.loads, std::vector<std::string>{"D:\\AUTORUN\\pngio.dll"});
}

TEST_F(PngReaderTest, MissingLibraryOrEntryPointIsABrokenInstallation) {
  struct Case {
    const char* program;
    const char* library;  // where the fake library lies, if anywhere
    bool withRead;
    const char* expression;
  };
  const Case cases[] = {
      {"D:\\AUTORUN\\Pikko.exe", nullptr, true, "m_hinst"},
      {"D:\\AUTORUN\\Pikko.exe", "C:\\WINDOWS\\pngio.dll", true, "m_hinst"},
      {"Pikko.exe", "pngio.dll", true, "m_hinst"},  // no folder: never the search path
      {"", "pngio.dll", true, "m_hinst"},
      {"D:\\AUTORUN\\Pikko.exe", "D:\\AUTORUN\\pngio.dll", false, "m_ReadPngEx && m_FreePngData"},
  };
  ThrowingAssertions throwing;
  for (const Case& c : cases) {
    PngManager::ResetForTests();
    sys.folders.program = c.program;
    if (c.library != nullptr) AddLibrary(c.library, c.withRead);
    try {
      PngManager::Instance();
      ADD_FAILURE() << c.program << " " << (c.library ? c.library : "");
    } catch (const AssertionFailure& f) {
      EXPECT_EQ(f.expression, c.expression);
      EXPECT_EQ(f.unit, "PngReader");
    }
  }
}

TEST_F(PngReaderTest, BytesArePulledThroughTheReadFunction) {
  AddLibrary("D:\\AUTORUN\\pngio.dll");
  struct Case {
    std::uint32_t askFor;
    std::size_t sourceGives;  // at most this many a call
  };
  for (const Case& c : {Case{7, 1000}, Case{7, 3}, Case{64, 1}, Case{1, 1000}}) {
    g.askFor = c.askFor;
    PixelBuffer out;
    EXPECT_TRUE(PngManager::Instance().ReadPng(Over(g.file, c.sourceGives), out, true));
    EXPECT_EQ(g.pulled, g.file);
  }
  EXPECT_TRUE(g.recordWasEmpty);
  EXPECT_EQ(g.frees, 4);
}

TEST_F(PngReaderTest, BrokenSourcesEndTheFile) {
  AddLibrary("D:\\AUTORUN\\pngio.dll");
  const PngByteSource sources[] = {
      // Claims more than it was asked for: nothing of it is believed.
      [](std::uint8_t*, std::size_t count) { return count + 1; },
      [](std::uint8_t*, std::size_t) -> std::size_t { throw std::runtime_error("disc error"); },
      PngByteSource(),
  };
  for (const PngByteSource& source : sources) {
    PixelBuffer out(1, 1, 32);
    EXPECT_FALSE(PngManager::Instance().ReadPng(source, out, true));
    EXPECT_EQ(g.pulled, "");
    EXPECT_EQ(out.Width(), 1);
  }
}

TEST_F(PngReaderTest, RejectedFileOrUnusableRecordLeavesThePictureAsItWas) {
  AddLibrary("D:\\AUTORUN\\pngio.dll");
  struct Case {
    const char* name;
    std::string bytes;
    bool nullRows;
    int frees;  // a record the library filled is always released
  };
  const Case cases[] = {
      {"truncated", g.file.substr(0, 5), false, 0},
      {"empty", "", false, 0},
      {"no rows", g.file, true, 1},
  };
  for (const Case& c : cases) {
    g.frees = 0;
    g.nullRows = c.nullRows;
    PixelBuffer out(3, 1, 24);
    out.View().At(2, 0)[1] = 99;
    EXPECT_FALSE(PngManager::Instance().ReadPng(Over(c.bytes), out, true)) << c.name;
    EXPECT_EQ(out.Width(), 3) << c.name;
    EXPECT_EQ(out.BitsPerPixel(), 24) << c.name;
    EXPECT_EQ(out.View().At(2, 0)[1], 99) << c.name;
    EXPECT_EQ(g.frees, c.frees) << c.name;
  }
}

TEST_F(PngReaderTest, LoadPngFileReadsTheFileInto32Bits) {
  AddLibrary("D:\\AUTORUN\\pngio.dll");
  testing::TempFolder temp;
  struct Case {
    const char* name;
    std::string contents;  // nothing: no file
    PngFileResult result;
  };
  const Case cases[] = {
      {"whole", g.file, PngFileResult::Loaded},
      {"cut", g.file.substr(0, 6), PngFileResult::Rejected},
      {"missing", "", PngFileResult::CannotOpen},
  };
  for (const Case& c : cases) {
    const std::string path = (temp.Path() / c.name).string();
    if (!c.contents.empty()) temp.Write(c.name, c.contents);
    PixelBuffer out(5, 5, 24);
    EXPECT_EQ(LoadPngFile(path, out), c.result) << c.name;
    if (c.result == PngFileResult::Loaded) {
      EXPECT_EQ(Bytes(out), (std::vector<std::uint8_t>{30, 20, 10, 255, 0, 0, 0, 0, 90, 80, 70, 128,
                                                       120, 110, 100, 1}));
    } else {
      EXPECT_EQ(out.Width(), 5) << c.name;
    }
  }
}

}  // namespace
}  // namespace pikko
