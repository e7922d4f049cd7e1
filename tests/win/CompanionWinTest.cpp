// The demo disc's start as a user's system sees it: the companion program
// (the autorun entry) writes the menu configuration for the Windows it runs
// on into the Windows folder, answers "ready", and the menu it started with
// the waiting switch loads that file and shows it.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "demo/DemoMasterList.h"
#include "env/PlatformTags.h"
#include "platform/IniReader.h"
#include "platform/ScopedWin.h"
#include "platform/Win32Ports.h"
#include "tests/win/WinTestSupport.h"

namespace pikko {
namespace {

std::optional<std::string> ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string WindowsMenuFile() {
  char folder[MAX_PATH] = {};
  ::GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\Zkcd_tmp.ini";
}

DWORD ReadResult() {
  DWORD value = 0xFFFFFFFF, size = sizeof value;
  ::RegGetValueA(HKEY_CURRENT_USER, "Software\\ZEKA\\Autorun", "Result", RRF_RT_REG_DWORD, nullptr,
                 &value, &size);
  return value;
}

// Puts back whatever Zkcd_tmp.ini the Windows folder held, so that no other
// test reads this one.
class SavedMenuFile {
 public:
  SavedMenuFile() : saved_(ReadFileText(WindowsMenuFile())) { ::DeleteFileA(WindowsMenuFile().c_str()); }
  ~SavedMenuFile() {
    ::DeleteFileA(WindowsMenuFile().c_str());
    if (saved_) std::ofstream(WindowsMenuFile(), std::ios::binary) << *saved_;
  }

 private:
  std::optional<std::string> saved_;
};

TEST(CompanionStart, WritesTheMenuOfThisWindowsAndTheMenuShowsIt) {
  const std::string disc = testing::BuildPath("demo-disc/AUTORUN") + "\\";
  ASSERT_NE(::GetFileAttributesA((disc + "Companion.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(::FindWindowA("TZkAutorunForm", nullptr), nullptr) << "a menu is already running";
  const SavedMenuFile saved;

  // The shell's start, as the autorun entry is started (it asks for elevation).
  SHELLEXECUTEINFOA start{};
  start.cbSize = sizeof start;
  start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  start.lpVerb = "open";
  const std::string program = disc + "Companion.exe";
  start.lpFile = program.c_str();
  start.lpDirectory = disc.c_str();
  start.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(::ShellExecuteExA(&start)) << ::GetLastError();
  const win::ScopedHandle companion(start.hProcess);
  ASSERT_EQ(::WaitForSingleObject(companion.Get(), 60000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  ::GetExitCodeProcess(companion.Get(), &exitCode);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(ReadResult(), 2u);

  // The file holds this Windows' platform tag and only the items that suit it.
  const auto text = ReadFileText(WindowsMenuFile());
  ASSERT_TRUE(text);
  const IniDocument menu = IniDocument::Parse(*text);
  std::string platform, code;
  {
    const ScopedPorts ports(Win32Ports());
    ASSERT_TRUE(DetectPlatform(platform, code));
  }
  EXPECT_EQ(menu.ReadString("PLATFORM", "Specified OS", "").rfind(platform + ",", 0), 0u)
      << menu.ReadString("PLATFORM", "Specified OS", "");
  std::vector<std::string> titles;
  for (const std::string& key : menu.KeyNames("SETUP_ITEM"))
    if (key.size() > 6 && key.compare(key.size() - 6, 6, ")Title") == 0)
      titles.push_back(menu.ReadString("SETUP_ITEM", key, ""));
  EXPECT_EQ(std::to_string(titles.size()), menu.ReadString("SETUP_ITEM", "ItemNumber", ""));
  EXPECT_NE(std::find(titles.begin(), titles.end(), "Chipset Driver"), titles.end());
  for (const std::string& other : demo::OtherSystemsTitles()) {
    if (other != "Japanese Input Helper" || code.substr(2) != "11") {
      EXPECT_EQ(std::find(titles.begin(), titles.end(), other), titles.end()) << other;
    }
  }

  // The menu waited for the answer, then loaded the file: its caption is the disc's title.
  HWND window = nullptr;
  char caption[128] = {};
  for (int waited = 0; waited < 30000; waited += 100) {
    window = ::FindWindowA("TZkAutorunForm", nullptr);
    if (window && ::IsWindowVisible(window) && ::GetWindowTextA(window, caption, 128) > 0 &&
        std::string(caption) == "Motherboard Support Disc")
      break;
    ::Sleep(100);
  }
  ASSERT_NE(window, nullptr);
  EXPECT_STREQ(caption, "Motherboard Support Disc");
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  const win::ScopedHandle menuProcess(::OpenProcess(SYNCHRONIZE, FALSE, pid));
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  if (menuProcess) {
    EXPECT_EQ(::WaitForSingleObject(menuProcess.Get(), 10000), WAIT_OBJECT_0);
  }
}

}  // namespace
}  // namespace pikko
