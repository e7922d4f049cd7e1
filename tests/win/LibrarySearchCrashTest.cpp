// The process-wide guards of the menu's entry, over real processes: a
// library planted in the folder the menu is started from is never loaded
// (the same library beside the program is), and a fault nobody handles ends
// the program with exactly one message that names it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/win/ChildProcess.h"
#include "tests/win/WinTestSupport.h"

namespace pikko {
namespace {

namespace fs = std::filesystem;
using testing::StartChild;
using testing::VisibleWindowsOf;
using testing::WaitForWindowsOf;

bool Exists(const fs::path& p) { return ::GetFileAttributesA(p.string().c_str()) != INVALID_FILE_ATTRIBUTES; }

// A copy of the demo disc without its ACPI library, and a folder to start
// the menu from. The planted library goes into one of them.
class LibrarySearch : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("PikkoPlant" + std::to_string(::GetTickCount()));
    fs::create_directories(root_ / "started-from");
    fs::copy(fs::path(testing::BuildPath("demo-disc/AUTORUN")), root_ / "AUTORUN", fs::copy_options::recursive);
    fs::remove(root_ / "AUTORUN" / "zkwmiacpi.dll");
    testing::EnsurePlatformRecord();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  fs::path root_;
};

TEST_P(LibrarySearch, OnlyTheProgramFolderCopyOfADiscLibraryIsLoaded) {
  const bool besideProgram = GetParam();
  const fs::path folder = besideProgram ? root_ / "AUTORUN" : root_ / "started-from";
  fs::copy_file(testing::BuildPath("probes/zkwmiacpi.dll"), folder / "zkwmiacpi.dll");
  const fs::path marker = folder / "zkwmiacpi.dll.loaded";

  const testing::ChildProcess menu =
      StartChild((root_ / "AUTORUN" / "Pikko.exe").string(), "debug", (root_ / "started-from").string());
  ASSERT_TRUE(menu.process);
  ASSERT_FALSE(WaitForWindowsOf(menu.id, "TZkAutorunForm", 20000).empty()) << "the menu did not start";
  // The library is asked for while the window is built: it is loaded (or
  // refused) by the time the window shows.
  EXPECT_EQ(Exists(marker), besideProgram) << marker.string();
  EXPECT_TRUE(VisibleWindowsOf(menu.id, "#32770").empty()) << "no message on a normal start";
}

INSTANTIATE_TEST_SUITE_P(PlantedIn, LibrarySearch, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ProgramFolder" : "CurrentFolder"; });

// The plant itself works: loaded by a process without the restriction, from
// the current folder, it leaves its mark (so the test above cannot pass for
// a broken plant).
TEST(LibrarySearchPlant, LeavesItsMarkWhenLoadedFromTheCurrentFolder) {
  const fs::path folder = fs::temp_directory_path() / ("PikkoPlantSelf" + std::to_string(::GetTickCount()));
  fs::create_directories(folder);
  fs::copy_file(testing::BuildPath("probes/zkwmiacpi.dll"), folder / "plant.dll");
  char before[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, before);
  ::SetCurrentDirectoryA(folder.string().c_str());
  HMODULE plant = ::LoadLibraryA("plant.dll");
  ::SetCurrentDirectoryA(before);
  ASSERT_NE(plant, nullptr);
  ::FreeLibrary(plant);
  EXPECT_TRUE(Exists(folder / "plant.dll.loaded"));
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

struct CrashCase {
  const char* how;
  const char* expected;  // a part of the message
  DWORD exitCode;
};

class CrashReporting : public ::testing::TestWithParam<CrashCase> {};

TEST_P(CrashReporting, EndsWithOneMessageNamingTheFault) {
  const CrashCase& c = GetParam();
  const std::string probe = testing::BuildPath("probes/CrashProbe.exe");
  const testing::ChildProcess child = StartChild(probe, c.how, testing::BuildPath("probes"));
  ASSERT_TRUE(child.process);
  std::vector<HWND> boxes = WaitForWindowsOf(child.id, "#32770", 20000);
  ASSERT_EQ(boxes.size(), 1u) << "one message";
  ::Sleep(1000);  // a cascade would show its second box by now
  boxes = VisibleWindowsOf(child.id, "#32770");
  ASSERT_EQ(boxes.size(), 1u) << "still one message";
  char text[1024] = {};
  ::GetDlgItemTextA(boxes[0], 0xFFFF, text, static_cast<int>(std::size(text)));
  EXPECT_NE(std::string(text).find("must close"), std::string::npos) << text;
  EXPECT_NE(std::string(text).find(c.expected), std::string::npos) << text;
  ::PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
  ASSERT_EQ(::WaitForSingleObject(child.process.Get(), 10000), WAIT_OBJECT_0) << "the program ends";
  DWORD code = 0;
  ::GetExitCodeProcess(child.process.Get(), &code);
  EXPECT_EQ(code, c.exitCode);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CrashReporting,
    ::testing::Values(CrashCase{"fault", "access violation writing address 0x00000000 at CrashProbe.exe+", 0xC0000005u},
                      CrashCase{"overflow", "stack overflow at CrashProbe.exe+", 0xC00000FDu},
                      CrashCase{"throw", "Unexpected error: the probe's own exception", 3},
                      CrashCase{"twice", "access violation", 0xC0000005u}),
    [](const auto& info) { return std::string(info.param.how); });

}  // namespace
}  // namespace pikko
