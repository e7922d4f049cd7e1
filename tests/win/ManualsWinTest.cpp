// The registry classes, the open-with discovery and the manual opener over
// the real registry, processes, shell and command interpreter.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>

#include "Manual_Opener/Manualini.h"
#include "Manual_Opener/OpenWith.h"
#include "env/Text.h"
#include "platform/Win32Ports.h"
#include "platform/fakes/FakePorts.h"
#include "tests/TempFolder.h"
#include "tests/win/ManualsTestSupport.h"

namespace pikko {
namespace {

namespace fs = std::filesystem;
using testing::ScopedClassesKey;
using testing::SetClassesString;
using testing::SetClassesValue;

class ClassesRegistryWin : public ::testing::Test {
 protected:
  ScopedPorts ports_{Win32Ports()};
  const std::string tag_ = testing::UniqueTag();
  const std::string type_ = ".pikko" + tag_;
  const std::string viewer_ = "pikko-viewer-" + tag_ + ".exe";
  ScopedClassesKey typeKey_{type_};
  ScopedClassesKey viewerKey_{"Applications\\" + viewer_};
  ScopedClassesKey otherKey_{"Applications\\a-other-" + tag_ + ".exe"};
};

TEST_F(ClassesRegistryWin, RegisteredProgramsAndTheirCommandsAreFound) {
  testing::TempFolder temp;
  const std::string stub = testing::PlaceStub(temp.Path() / "viewer", "Viewer.exe");
  ASSERT_TRUE(SetClassesValue(type_ + "\\OpenWithList\\a-other-" + tag_ + ".exe"));
  ASSERT_TRUE(SetClassesValue(type_ + "\\OpenWithList\\" + viewer_));
  ASSERT_TRUE(SetClassesString("Applications\\a-other-" + tag_ + ".exe\\Shell\\open\\command",
                               "other.exe %1"));
  // A verb whose command is a number does not count; the next one does.
  ASSERT_TRUE(SetClassesValue("Applications\\" + viewer_ + "\\Shell\\edit\\command", "", REG_DWORD,
                              std::string(4, '\0')));
  ASSERT_TRUE(SetClassesString("Applications\\" + viewer_ + "\\Shell\\open\\command",
                               "\"" + stub + "\" \"%1\""));

  RegReader list;
  ASSERT_TRUE(list.Open(ClassesRegistry().ClassesRoot(), type_ + "\\OpenWithList"));
  const RegKeySet set(list);
  EXPECT_EQ(set.size(), 2u);
  std::vector<std::string> names(set.begin(), set.end());
  EXPECT_EQ(names.size(), 2u);

  const auto command = FindOpenCommand(type_, {viewer_});
  ASSERT_TRUE(command.has_value());
  EXPECT_EQ(*command, "\"" + stub + "\" \"%1\"");
  EXPECT_EQ(FindOpenCommand(type_ + "x", {viewer_}), std::nullopt);

  // Started without a window, and waited for.
  ASSERT_TRUE(RunCommandLine(BuildCommandLine(*command, "C:\\A Folder\\the manual.pdf"), 15000));
  const std::string log = testing::WaitForStubLog(temp.Path() / "viewer");
  EXPECT_NE(log.find("\t\"C:\\A Folder\\the manual.pdf\"\t"), std::string::npos) << log;
}

TEST_F(ClassesRegistryWin, StringValuesAreReadAsStored) {
  const std::string key = type_ + "\\values";
  const std::string z(1, '\0');
  ASSERT_TRUE(SetClassesValue(key, "expand", REG_EXPAND_SZ, "%SystemRoot%\\x.exe" + z));
  ASSERT_TRUE(SetClassesValue(key, "multi", REG_MULTI_SZ, "first" + z + "second" + z + z));
  ASSERT_TRUE(SetClassesValue(key, "number", REG_DWORD, std::string("\x07\0\0\0", 4)));
  RegReader reader;
  ASSERT_TRUE(reader.Open(ClassesRegistry().ClassesRoot(), key));
  std::string out;
  EXPECT_TRUE(reader.ReadString("expand", out));
  EXPECT_EQ(out, "%SystemRoot%\\x.exe");
  EXPECT_TRUE(reader.ReadString("multi", out));
  EXPECT_EQ(out, "first");
  out = "kept";
  EXPECT_FALSE(reader.ReadString("number", out));
  EXPECT_FALSE(reader.ReadString("missing", out));
  EXPECT_EQ(out, "kept");
  EXPECT_TRUE(RegKeySet(reader).empty());
}

// The batch route on Windows 8 and later over the real shell and command
// interpreter, with a temporary folder of the test's choosing: the
// interpreter opens the copy with the program associated with its type (here
// the stand-in program, which logs how it was started).
class BatchRouteWin {
 public:
  BatchRouteWin() {
    temp_.Write("Disc/manual/Guide/User Guide.pdf", "%PDF-1.4 the manual");
    temp_.Write("Disc/BIN/ManualSetting.ini",
                "[ManualFolder]\r\nGuide=Guide\r\n[Guide]\r\nEnglish=User Guide.pdf\r\n");
  }
  const fs::path& Root() const { return temp_.Path(); }
  // The reader's log once the manual was opened from userTemp (an existing
  // folder, in the system code page with its trailing backslash); empty
  // when nothing was started.
  std::string Open(const std::string& userTemp) {
    // The test lends ".pdf" an association of its own and gives the system's back.
    const std::string tag = testing::UniqueTag();
    const std::string progId = "PikkoTestManual" + tag;
    const fs::path readerFolder = temp_.Path() / ("Reader App " + tag);
    const std::string opener = testing::PlaceStub(readerFolder, "Reader.exe");
    ScopedClassesKey progIdKey(progId);
    EXPECT_TRUE(SetClassesString(progId + "\\shell\\open\\command", "\"" + opener + "\" \"%1\""));
    const testing::ScopedClassesDefault pdf(".pdf", progId);
    EXPECT_TRUE(pdf.Ok());

    Ports ports = Win32Ports();
    fakes::FakeMessageBoxes messages;
    messages.answers = {mb::IdNo};
    fakes::FakeVersion windows8;
    windows8.version = OsVersionInfo{6, 2, 9200, 2, 1, 0};
    windows8.ansiCodePage = ::GetACP();
    class UserTemp final : public FoldersPort {
     public:
      UserTemp(FoldersPort& real, std::string temp) : real_(real), temp_(std::move(temp)) {}
      std::string WindowsDirectory(unsigned room) override { return real_.WindowsDirectory(room); }
      std::string TempDirectory() override { return temp_; }
      std::string ProgramFileName() override { return real_.ProgramFileName(); }

     private:
      FoldersPort& real_;
      std::string temp_;
    } folders(*ports.folders, userTemp);
    ports.messages = &messages;
    ports.version = &windows8;
    ports.folders = &folders;
    ScopedPorts scope(ports);

    const fs::path disc = temp_.Path() / "Disc";
    ManualIni manuals(disc.string() + "\\", (disc / "BIN" / "ManualSetting.ini").string());
    EXPECT_TRUE(manuals.HasManual("Guide"));
    manuals.OpenManual("Guide", "Install the reader?");
    EXPECT_EQ(messages.shown.size(), 1u);  // no program in the open-with list of ".pdf"
    return testing::WaitForStubLog(readerFolder);
  }

 private:
  testing::TempFolder temp_;
};

TEST(ManualIniWin, TheBatchFileOpensACopyWhosePathHasBlanks) {
  BatchRouteWin route;
  const fs::path userTemp = route.Root() / "Jane Doe" / "Temp";
  fs::create_directories(userTemp);
  const std::string log = route.Open(userTemp.string() + "\\");
  const std::string copy = userTemp.string() + "\\User Guide.pdf";
  std::ifstream batch(userTemp / "OpenManualBat.bat", std::ios::binary);
  std::stringstream line;
  line << batch.rdbuf();
  EXPECT_EQ(line.str(), "start \"\" \"" + copy + "\"");
  EXPECT_TRUE(fs::exists(copy));
  EXPECT_NE(log.find("User Guide.pdf"), std::string::npos) << log;
  EXPECT_NE(log.find("Jane Doe"), std::string::npos) << log;
}

// The text of a wide name in the system code page, or empty when a
// character has no form there.
std::string InSystemCodePage(const std::wstring& name) {
  char bytes[MAX_PATH];
  BOOL lossy = FALSE;
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, bytes,
                                      static_cast<int>(std::size(bytes)), nullptr, &lossy);
  return n > 1 && !lossy ? std::string(bytes) : std::string();
}

// A user's temporary folder with accented letters: the command interpreter
// reads the batch file in the OEM code page, so the copy's path is written
// there ("José": é is 0xE9 in the Western ANSI code page and 0x82 in the
// OEM one) or, for a letter the OEM code page lacks ("Jiši": š), in its
// short form. Either way the reader opens the copy.
TEST(ManualIniWin, TheBatchFileOpensACopyInAnAccentedTemporaryFolder) {
  int folders = 0;
  for (const wchar_t* user : {L"Jos\u00E9", L"Ji\u0161i"}) {
    const std::string name = InSystemCodePage(user);
    if (name.empty()) continue;  // not a name of this system's code page
    ++folders;
    BatchRouteWin route;
    ASSERT_TRUE(::CreateDirectoryA((route.Root().string() + "\\" + name).c_str(), nullptr));
    const std::string userTemp = route.Root().string() + "\\" + name + "\\Temp";
    ASSERT_TRUE(::CreateDirectoryA(userTemp.c_str(), nullptr));
    const std::string log = route.Open(userTemp + "\\");
    const std::string copy = userTemp + "\\User Guide.pdf";
    EXPECT_NE(::GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES) << name;
    EXPECT_NE(LowerCase(log).find(".pdf"), std::string::npos) << name << ": " << log;
  }
  if (folders == 0) GTEST_SKIP() << "no accented name in this system's code page";
}

}  // namespace
}  // namespace pikko
