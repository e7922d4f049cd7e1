#include <windows.h>

#include <gtest/gtest.h>

#include "env/Miscfunctions.h"
#include "env/PlatformTags.h"
#include "platform/LateSystemFunctions_win.h"
#include "platform/ScopedWin.h"
#include "platform/Win32Ports.h"
#include "tests/TempFolder.h"

namespace pikko {
namespace {

class Win32PortsTest : public ::testing::Test {
 protected:
  ScopedPorts ports_{Win32Ports()};
};

TEST_F(Win32PortsTest, FoldersAreAbsoluteAndUsable) {
  const std::string windows = WindowsFolder();
  ASSERT_GE(windows.size(), 2u);
  EXPECT_EQ(windows[1], ':');
  EXPECT_NE(windows.back(), '\\');
  EXPECT_EQ(WindowsFolderSlash(), windows + "\\");
  EXPECT_TRUE(Files().DirectoryExists(windows));
  EXPECT_FALSE(Files().FileExists(windows));

  const std::string temp = Folders().TempDirectory();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(Files().DirectoryExists(temp));

  const std::string self = Folders().ProgramFileName();
  EXPECT_NE(self.find("pikko_win_tests"), std::string::npos) << self;
  EXPECT_TRUE(Files().FileExists(self));
}

TEST_F(Win32PortsTest, FileExistsTellsFilesFromFolders) {
  testing::TempFolder temp;
  const std::string file = temp.Write("a.txt", "x");
  EXPECT_TRUE(Files().FileExists(file));
  EXPECT_FALSE(Files().FileExists(temp.Path().string()));
  EXPECT_TRUE(Files().DirectoryExists(temp.Path().string()));
  EXPECT_FALSE(Files().FileExists(file + ".missing"));
}

TEST_F(Win32PortsTest, VersionQueryGivesAPlatformTag) {
  const auto info = Version().QueryVersion();
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->platformId, 2u);
  std::string tag, code;
  ASSERT_TRUE(DetectPlatform(tag, code));
  EXPECT_EQ(tag.rfind("WNT_", 0), 0u) << tag;
  EXPECT_EQ(code.size(), 4u);
  // A 32-bit program on a 64-bit system runs under WoW64 (the build a disc
  // ships, on most users' machines); a 64-bit one never does.
  SYSTEM_INFO native{};
  ::GetNativeSystemInfo(&native);
  const bool nativeIs64Bit = native.wProcessorArchitecture != PROCESSOR_ARCHITECTURE_INTEL;
  EXPECT_EQ(IsWow64(), sizeof(void*) == 4 && nativeIs64Bit);
}

// Each owner releases its handle: a released GDI object is no longer valid.
TEST(LateSystemFunctions, ComeFromTheSystemFolderOrNotAtAll) {
  char system[MAX_PATH];
  const UINT length = ::GetSystemDirectoryA(system, MAX_PATH);
  ASSERT_GT(length, 0u);
  const struct {
    const char* library;
    const char* function;
    bool found;
  } cases[] = {{"shell32.dll", "ShellExecuteExA", true},
               {"shell32.dll", "NoSuchFunctionOfTheShell", false},
               {"pikko-no-such-library.dll", "ShellExecuteExA", false}};
  for (const auto& c : cases) {
    const FARPROC f = win::SystemFunction(c.library, c.function);
    EXPECT_EQ(f != nullptr, c.found) << c.library << "!" << c.function;
    if (!f) continue;
    HMODULE module = nullptr;
    ASSERT_TRUE(::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                     reinterpret_cast<LPCSTR>(f), &module));
    char file[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameA(module, file, MAX_PATH), 0u);
    // A 32-bit program on 64-bit Windows gets the 32-bit system folder.
    char wow64[MAX_PATH];
    const UINT wow64Length = ::GetSystemWow64DirectoryA(wow64, MAX_PATH);
    EXPECT_TRUE(_strnicmp(file, system, length) == 0 ||
                (wow64Length > 0 && _strnicmp(file, wow64, wow64Length) == 0))
        << file;
  }
  // Called through, the shell reports a file that is not there as the
  // function itself does.
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpFile = "C:\\pikko-no-such-folder\\nothing.exe";
  info.nShow = SW_SHOWNORMAL;
  EXPECT_FALSE(win::ShellExecuteExLate(&info));
  EXPECT_LE(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
}

TEST(ScopedWin, OwnersReleaseTheirHandles) {
  HGDIOBJ raw = nullptr;
  {
    win::ScopedGdiObject brush(::CreateSolidBrush(RGB(1, 2, 3)));
    raw = brush.Get();
    ASSERT_NE(raw, nullptr);
    EXPECT_NE(::GetObjectType(raw), 0u);
  }
  EXPECT_EQ(::GetObjectType(raw), 0u);

  win::ScopedRegion moved;
  {
    win::ScopedRegion region(::CreateRectRgn(0, 0, 4, 4));
    moved = std::move(region);
    EXPECT_FALSE(region);
  }
  EXPECT_NE(::GetObjectType(moved.Get()), 0u);

  HANDLE event = nullptr;
  {
    win::ScopedHandle h(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    event = h.Get();
    DWORD flags = 0;
    EXPECT_TRUE(::GetHandleInformation(event, &flags));
  }
  DWORD flags = 0;
  EXPECT_FALSE(::GetHandleInformation(event, &flags));

  {
    HKEY raw = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &raw), ERROR_SUCCESS);
    win::ScopedRegKey key(raw);
    EXPECT_TRUE(key);
  }
  {
    win::ComInit com;
    EXPECT_TRUE(com.Ok());
    win::ComInit nested;  // a second initialisation on the thread succeeds too (S_FALSE)
    EXPECT_TRUE(nested.Ok());
  }
}

}  // namespace
}  // namespace pikko
