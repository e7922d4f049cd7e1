// The menu's PNG loading over the real stand-in library and the real
// ports: the library taken from the program's folder, a button picture
// with alpha into 32 bits by the menu's alpha rules, a picture without
// alpha made opaque, a file that cannot be opened told from one the
// library refuses, and a missing library as the broken installation.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "Graphics/PngReader.h"
#include "platform/Assert.h"
#include "platform/Win32Ports.h"
#include "tests/TempFolder.h"
#include "demo/PngSamples.h"
#include "tests/win/WinTestSupport.h"

namespace pikko {
namespace {

namespace fs = std::filesystem;

class PngManagerOnDisc : public ::testing::Test {
 protected:
  void SetUp() override {
    PngManager::ResetForTests();
    fs::copy_file(fs::path(PIKKO_BINARY_DIR) / "stand-ins-payload" / "pngio.dll",
                  temp_.Path() / "pngio.dll");
    UseProgramIn(temp_.Path());
  }
  void TearDown() override {
    PngManager::ResetForTests();
    // The manager never lets go of its library; the test does, so that the
    // next test loads its own copy and this folder can be removed.
    for (int i = 0; i < 100; ++i) {
      const HMODULE m = ::GetModuleHandleA((temp_.Path() / "pngio.dll").string().c_str());
      if (m == nullptr) break;
      ::FreeLibrary(m);
    }
  }

  void UseProgramIn(const fs::path& folder) {
    scope_.reset();
    Ports ports = Win32Ports();
    folders_.emplace(*ports.folders, (folder / "Pikko.exe").string());
    ports.folders = &*folders_;
    scope_.emplace(ports);
  }

  testing::TempFolder temp_;
  std::optional<testing::ProgramInFolder> folders_;
  std::optional<ScopedPorts> scope_;
};

TEST_F(PngManagerOnDisc, PicturesLoadInto32BitsByTheAlphaRules) {
  for (const testing::PngKind& kind :
       {testing::PngKind{"RGBA", 9, 4, 6, 8}, testing::PngKind{"RGB", 5, 5, 2, 16}}) {
    const std::string path =
        temp_.Write(std::string(kind.name) + ".png", testing::EncodeKind(kind));
    PixelBuffer picture(2, 2, 24);
    ASSERT_EQ(LoadPngFile(path, picture), PngFileResult::Loaded) << kind.name;
    ASSERT_EQ(picture.BitsPerPixel(), 32);
    ASSERT_EQ(picture.Width(), kind.width);
    ASSERT_EQ(picture.Height(), kind.height);
    int clear = 0;
    for (int y = 0; y < kind.height; ++y)
      for (int x = 0; x < kind.width; ++x) {
        const testing::Rgba8 e = testing::Expected(kind, x, y);
        const std::uint8_t* p = picture.View().At(x, y);
        const TColor colour = e.a == 0 ? 0 : MakeColour(e.r, e.g, e.b);
        EXPECT_EQ(picture.View().Colour(x, y), colour) << kind.name << " " << x << "," << y;
        EXPECT_EQ(p[3], e.a) << kind.name << " " << x << "," << y;
        clear += e.a == 0;
      }
    if (kind.colourType == 6) {
      EXPECT_GT(clear, 0) << "the picture has clear pixels to test";
    }
  }
}

TEST_F(PngManagerOnDisc, CannotOpenIsToldFromRefused) {
  const std::string good = testing::EncodeKind({"RGBA", 4, 4, 6, 8});
  const std::string damaged = temp_.Write("damaged.png", good.substr(0, good.size() / 2));
  const std::string folder = temp_.Write("folder.png/inside", "x");
  struct Case {
    std::string path;
    PngFileResult result;
  };
  const Case cases[] = {
      {(temp_.Path() / "missing.png").string(), PngFileResult::CannotOpen},
      {(temp_.Path() / "folder.png").string(), PngFileResult::CannotOpen},
      {damaged, PngFileResult::Rejected},
  };
  for (const Case& c : cases) {
    PixelBuffer picture(3, 3, 32);
    picture.View().At(1, 1)[2] = 77;
    EXPECT_EQ(LoadPngFile(c.path, picture), c.result) << c.path;
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.View().At(1, 1)[2], 77);
  }
}

TEST_F(PngManagerOnDisc, MissingLibraryIsABrokenInstallation) {
  testing::TempFolder bare;
  UseProgramIn(bare.Path());
  ThrowingAssertions throwing;
  try {
    PngManager::Instance();
    ADD_FAILURE() << "a menu without its PNG library went on";
  } catch (const AssertionFailure& f) {
    EXPECT_EQ(f.expression, "m_hinst");
    EXPECT_EQ(f.unit, "PngReader");
  }
}

}  // namespace
}  // namespace pikko
