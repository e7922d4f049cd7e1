// The faults the fuzz targets found: every input kept in fuzz/regressions
// goes through its target, the entry libFuzzer calls, so that the ordinary
// test run catches a fault coming back; and each fault is pinned by the
// smallest case that shows it.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>

#include "Graphics/TLayout.h"
#include "Manual_Opener/Manualini.h"
#include "app/MenuConfig.h"
#include "fuzz/FuzzTargets.h"
#include "platform/Assert.h"
#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

namespace fs = std::filesystem;

// Every kept input, with the fault it showed.
struct KeptInput {
  const char* target;
  const char* file;
  const char* fault;
};
const KeptInput kKeptInputs[] = {
    {"menu_config", "huge-item-number",
     "ItemNumber=2147483647 asked the menu file for every number up to it: the load never ended"},
    {"alpha_blend", "overflowing-rectangle",
     "a rectangle or place near the ends of int overflowed the clipping arithmetic"},
    {"manual_setting", "copy-named-as-the-batch-file",
     "the manual's name, a drive and the batch file's name in it, was copied as written: a copy "
     "away from the temporary folder's own files, as a batch file"},
    {"manual_setting", "copy-named-parent-step",
     "a manual named \"..<name>\" is a plain file of the temporary folder; the target took any "
     "\"\\..\" in a written path for a step to the parent"},
    {"manual_setting", "manual-that-is-a-batch-file",
     "a manual may be a batch file; the target took every batch file written for the menu's own"},
    {"language_file", "control-character-key",
     "a key that starts with control characters is never asked for; the target expected its "
     "translation"},
    {"png_file", "row-filter-that-does-not-exist",
     "the record's rows were made before a row with an unknown filter refused the file"},
};

TEST(FuzzFindings, EveryKeptInputIsListedAndPassesItsTarget) {
  const fs::path folder(fuzz::RegressionFolder());
  std::set<std::string> kept;
  for (const auto& targetFolder : fs::directory_iterator(folder))
    for (const auto& file : fs::directory_iterator(targetFolder.path()))
      kept.insert(targetFolder.path().filename().string() + "/" + file.path().filename().string());

  std::set<std::string> listed;
  for (const KeptInput& input : kKeptInputs) {
    const std::string name = std::string(input.target) + "/" + input.file;
    listed.insert(name);
    const fuzz::FuzzTarget* target = fuzz::FindTarget(input.target);
    ASSERT_NE(target, nullptr) << name;
    std::ifstream in(folder / input.target / input.file, std::ios::binary);
    ASSERT_TRUE(in) << name << " is not kept";
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const ThrowingAssertions throwing;
    try {
      target->run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    } catch (const std::exception& e) {
      ADD_FAILURE() << name << " (" << input.fault << "): " << e.what();
    }
  }
  // A new kept input comes with the fault it showed.
  EXPECT_EQ(kept, listed);
}

std::vector<int> Numbers(const MenuTab& tab) {
  std::vector<int> numbers;
  for (const SetupItem& item : tab.Items) numbers.push_back(item.Number);
  return numbers;
}

// An "ItemNumber" far beyond the file's items asked the file for every
// number up to it: 2147483647 never finished. Only numbers with keys of
// their own are looked at now, in ascending order, and a key that only
// looks like an item's ((01), (x1), (1 ...) names none.
TEST(FuzzFindings, AHugeItemNumberReadsOnlyTheItemsThere) {
  struct Case {
    const char* what;
    const char* items;
    std::vector<int> tab0;
  };
  const Case cases[] = {
      {"far apart",
       "(2000000000)Tab=0\n(7)Tab=0\n(7)Title=Seven\n(3)Title=no tab\n",
       {7, 2000000000}},
      {"lookalike keys", "(01)Tab=0\n(x1)Tab=0\n(1 Tab=0\n()Tab=0\n(2)Tab=0\n", {2}},
      {"a lone item", "(5)Tab=0\n", {5}},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem sys;
    sys.files.iniReadLimit = 1000;  // the old loop fails here instead of hanging
    sys.files.AddFile(
        "D:\\AUTORUN\\zkcd_dbg.ini",
        std::string("[TABS_INFO]\nNUM=1\n[SETUP_ITEM]\nItemNumber=2147483647\n") + c.items);
    MenuModel model;
    MenuColours colours;
    ASSERT_TRUE(LoadMenuConfiguration("D:\\AUTORUN\\zkcd_dbg.ini", "D:\\AUTORUN\\", nullptr, {},
                                      model, colours))
        << c.what;
    EXPECT_EQ(Numbers(model.Tabs[0]), c.tab0) << c.what;
    EXPECT_LT(sys.files.iniReads, 120) << c.what;
  }

  // Numbers past ItemNumber stay out, as they always did.
  fakes::FakeSystem sys;
  sys.files.AddFile("D:\\AUTORUN\\zkcd_dbg.ini",
                    "[TABS_INFO]\nNUM=1\n[SETUP_ITEM]\nItemNumber=4\n(4)Tab=0\n(5)Tab=0\n");
  MenuModel model;
  MenuColours colours;
  ASSERT_TRUE(LoadMenuConfiguration("D:\\AUTORUN\\zkcd_dbg.ini", "D:\\AUTORUN\\", nullptr, {},
                                    model, colours));
  EXPECT_EQ(Numbers(model.Tabs[0]), std::vector<int>{4});
}

// Rectangles and places near the ends of int overflowed the clipping
// (Bottom - Top, height - Y, -X); under UBSan that ends the test run. Now an
// area that reaches outside the source fails the check, and one that lies
// wholly outside the destination changes nothing.
TEST(FuzzFindings, BlendingNearTheEndsOfIntNeitherOverflowsNorWrites) {
  struct Case {
    const char* what;
    PixelRect rect;
    PixelPoint point;
    bool fails;
  };
  const Case cases[] = {
      {"height beyond int", {0, -2145779712, 2, 1073742367}, {0, 0}, true},
      {"width beyond int", {INT_MIN, 0, INT_MAX, 2}, {0, 0}, true},
      {"far above", {0, 0, 2, 2}, {0, INT_MIN}, false},
      {"far left", {0, 0, 2, 2}, {INT_MIN, 0}, false},
      {"far below and right", {0, 0, 2, 2}, {INT_MAX, INT_MAX}, false},
      {"whole int both ways", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, true},
  };
  for (const Case& c : cases) {
    PixelBuffer source(2, 2, 32), destination(3, 3, 24);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) {
        std::uint8_t* p = source.View().At(x, y);
        p[0] = p[1] = p[2] = 9;
        p[3] = 255;
      }
    const PixelBuffer before = destination;
    const ThrowingAssertions throwing;
    bool failed = false;
    try {
      AlphaBlendRect(std::as_const(source).View(), c.rect, destination.View(), c.point);
    } catch (const AssertionFailure& f) {
      failed = f.expression == "maxRow <= src->Height && maxCol <= src->Width";
    }
    EXPECT_EQ(failed, c.fails) << c.what;
    const ConstPixelView a = std::as_const(destination).View(), b = before.View();
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(a.Colour(x, y), b.Colour(x, y)) << c.what;
  }
}

// The copy of a manual that the batch file opens took the settings file's
// name as written: folders and drives in it led the copy out of the
// temporary folder, and a copy by the batch file's own name would have the
// batch file start itself for good. The copy now takes the name's last part,
// and a name that is the batch file's opens nothing.
TEST(FuzzFindings, TheBatchFilesCopyIsAPlainNameInTheTemporaryFolder) {
  struct Case {
    const char* name;
    const char* copy;  // null: nothing is written or opened
  };
  const Case cases[] = {
      {"Guide.pdf", "C:\\TEMP\\Guide.pdf"},
      {"..\\..\\WINDOWS\\Guide.pdf", "C:\\TEMP\\Guide.pdf"},
      {"Old\\Guide.pdf", "C:\\TEMP\\Guide.pdf"},
      {"C:Guide.pdf", "C:\\TEMP\\Guide.pdf"},
      {"Guide.pdfc:\\temp\\\\openmanualbat.bat", nullptr},
      {"OPENMANUALBAT.BAT", nullptr},
      {"Guide\\", nullptr},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem sys;
    sys.version.version = OsVersionInfo{6, 2, 9200, 2, 1, 0};  // the batch route's Windows 8
    sys.messages.answers = {mb::IdNo};
    sys.shellEx.executeResult = false;
    sys.files.AddFile("D:\\BIN\\ManualSetting.ini",
                      std::string("[ManualFolder]\nGuide=Guide\n[Guide]\nEnglish=") + c.name);
    sys.files.AddFile(std::string("D:\\manual\\Guide\\") + c.name, "the manual");
    ManualIni("D:\\", "D:\\BIN\\ManualSetting.ini").OpenManual("Guide", "?");
    if (c.copy == nullptr) {
      EXPECT_TRUE(sys.files.written.empty()) << c.name;
      EXPECT_TRUE(sys.shell.calls.empty()) << c.name;
      continue;
    }
    const std::vector<std::string> written = {"C:\\TEMP\\\\OpenManualBat.bat", c.copy};
    EXPECT_EQ(sys.files.written, written) << c.name;
    EXPECT_EQ(sys.files.Contents(c.copy).value_or(""), "the manual") << c.name;
    EXPECT_EQ(sys.shell.calls.size(), 1u) << c.name;
  }
}

}  // namespace
}  // namespace pikko
