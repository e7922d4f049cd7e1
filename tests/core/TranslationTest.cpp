#include "env/Translation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <vector>

#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

// The fake translation library. Like a real one it answers from a buffer it
// owns and reuses, so a caller that keeps the pointer sees the next answer.
char g_answer[64];
std::vector<std::string> g_translateCalls;

const char* PIKKO_STDCALL FakeTranslate(const char* text) {
  g_translateCalls.emplace_back(text);
  static const std::map<std::string, std::string> table = {
      {"Loading...", "Chargement..."},
      {"Install Now", "Installer maintenant"},
      {"%1 is still running. Please close %2 first !", "%1 tourne encore. Fermez %2 !"},
  };
  if (std::strcmp(text, "gives null") == 0) return nullptr;
  const auto it = table.find(text);
  if (it == table.end()) return text;
  std::snprintf(g_answer, std::size(g_answer), "%s", it->second.c_str());
  return g_answer;
}

const char* g_languagePath = "D:\\AUTORUN\\Lang\\French";
const char* PIKKO_STDCALL FakeLanguagePath() { return g_languagePath; }

void* Export(ZkTranslateStrProc p) { return reinterpret_cast<void*>(p); }
void* Export(ZkGetLangPathNameProc p) { return reinterpret_cast<void*>(p); }

class TranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ForgetTranslationLibraryForTests();
    g_translateCalls.clear();
    g_languagePath = "D:\\AUTORUN\\Lang\\French";
  }
  void TearDown() override { ForgetTranslationLibraryForTests(); }

  void AddLibrary(const std::string& path, bool withTranslate, bool withPath) {
    std::map<std::string, void*> symbols;
    if (withTranslate) symbols["ZkTranslateStr"] = Export(&FakeTranslate);
    if (withPath) symbols["ZkGetLangPathName"] = Export(&FakeLanguagePath);
    sys.libraries.Add(path, symbols);
  }

  fakes::FakeSystem sys;
};

TEST_F(TranslationTest, LibraryIsTakenFromTheProgramsOwnFolder) {
  struct Case {
    const char* program;
    const char* loaded;  // nullptr: nothing is loaded
  } const cases[] = {
      {"D:\\AUTORUN\\Pikko.exe", "D:\\AUTORUN\\ZkMultiLang.dll"},
      {"E:\\Pikko.exe", "E:\\ZkMultiLang.dll"},
      {"\\\\server\\disc\\menu\\Pikko.exe", "\\\\server\\disc\\menu\\ZkMultiLang.dll"},
      // A name without any folder stays whole; such a path loads nothing.
      {"Pikko.exe", "Pikko.exe\\ZkMultiLang.dll"},
      // No program name: never the root of the current drive.
      {"", nullptr},
  };
  for (const Case& c : cases) {
    sys.libraries.loads.clear();
    sys.folders.program = c.program;
    LoadTranslationLibrary();
    if (c.loaded == nullptr) {
      EXPECT_TRUE(sys.libraries.loads.empty()) << c.program;
    } else {
      EXPECT_EQ(sys.libraries.loads, std::vector<std::string>{c.loaded}) << c.program;
    }
  }
}

TEST_F(TranslationTest, EachMissingPieceFallsBackOnItsOwn) {
  struct Case {
    const char* what;
    bool library, withTranslate, withPath;
    const char* loading;              // Translate("Loading...")
    std::optional<std::string> path;  // LanguagePathName()
  } const cases[] = {
      {"no library", false, false, false, "Loading...", std::nullopt},
      {"library without entry points", true, false, false, "Loading...", std::nullopt},
      {"translation only", true, true, false, "Chargement...", std::nullopt},
      {"language path only", true, false, true, "Loading...", "D:\\AUTORUN\\Lang\\French"},
      {"both", true, true, true, "Chargement...", "D:\\AUTORUN\\Lang\\French"},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem local;
    if (c.library) {
      std::map<std::string, void*> symbols;
      if (c.withTranslate) symbols["ZkTranslateStr"] = Export(&FakeTranslate);
      if (c.withPath) symbols["ZkGetLangPathName"] = Export(&FakeLanguagePath);
      local.libraries.Add("D:\\AUTORUN\\ZkMultiLang.dll", symbols);
    }
    LoadTranslationLibrary();
    EXPECT_EQ(Translate("Loading..."), c.loading) << c.what;
    EXPECT_EQ(LanguagePathName(), c.path) << c.what;
  }
}

TEST_F(TranslationTest, LibraryOutsideTheProgramFolderIsNotFound) {
  // Present by bare name (the current folder, the search path) and in another
  // folder, but not beside the program.
  AddLibrary("ZkMultiLang.dll", true, true);
  AddLibrary("C:\\Other\\ZkMultiLang.dll", true, true);
  LoadTranslationLibrary();
  EXPECT_EQ(Translate("Loading..."), "Loading...");
  EXPECT_FALSE(LanguagePathName().has_value());
  EXPECT_EQ(LanguageFolderName(), "");
  EXPECT_TRUE(g_translateCalls.empty());
}

TEST_F(TranslationTest, NothingIsTranslatedBeforeTheLibraryIsLoaded) {
  AddLibrary("D:\\AUTORUN\\ZkMultiLang.dll", true, true);
  EXPECT_EQ(Translate("Loading..."), "Loading...");
  EXPECT_FALSE(LanguagePathName().has_value());
  EXPECT_TRUE(sys.libraries.loads.empty());
}

TEST_F(TranslationTest, TranslationsAreCopiedAndKeepTheirPlaceholders) {
  AddLibrary("D:\\AUTORUN\\ZkMultiLang.dll", true, true);
  LoadTranslationLibrary();
  const std::string first = Translate("Loading...");
  const std::string second = Translate("Install Now");  // reuses the library's buffer
  EXPECT_EQ(first, "Chargement...");
  EXPECT_EQ(second, "Installer maintenant");
  EXPECT_EQ(Translate("%1 is still running. Please close %2 first !"),
            "%1 tourne encore. Fermez %2 !");
  EXPECT_EQ(Translate("Not in the table"), "Not in the table");
  EXPECT_EQ(Translate("gives null"), "gives null");
  EXPECT_EQ(Translate(""), "");
  EXPECT_EQ(g_translateCalls.back(), "");
}

TEST_F(TranslationTest, LanguageFolderNameIsTheLastComponent) {
  AddLibrary("D:\\AUTORUN\\ZkMultiLang.dll", false, true);
  LoadTranslationLibrary();
  struct Case {
    const char* path;  // what the library answers
    const char* name;
  } const cases[] = {
      {"D:\\AUTORUN\\Lang\\Japanese", "Japanese"},
      {"D:\\AUTORUN\\Lang\\French\\", "French"},
      {"D:/AUTORUN/Lang/German", "German"},
      {"French", "French"},
      {"", ""},
      {nullptr, ""},
  };
  for (const Case& c : cases) {
    g_languagePath = c.path;
    EXPECT_EQ(LanguageFolderName(), c.name) << (c.path ? c.path : "(null)");
  }
}

// The fake ACPI access library, scripted per case.
struct AcpiScript {
  std::uint8_t openResult = 1;
  std::uint8_t execResult = 1;
  bool writeStatus = true;
  std::uint32_t status = 0;
  // What the last query was given.
  int opens = 0, execs = 0;
  std::u16string method;
  std::uint32_t input1 = 1, input2 = 1, reserved = 1;
  std::uint32_t outputOnEntry = 0xDEADBEEF;
} g_acpi;

std::uint8_t PIKKO_STDCALL FakeOpen() {
  ++g_acpi.opens;
  return g_acpi.openResult;
}

std::uint8_t PIKKO_STDCALL FakeExec(const Utf16Char* method, std::uint32_t input1,
                                    std::uint32_t input2, std::uint32_t* output,
                                    std::uint32_t reserved) {
  ++g_acpi.execs;
  g_acpi.method.clear();
  for (const Utf16Char* p = method; *p != 0; ++p) g_acpi.method.push_back(char16_t(*p));
  g_acpi.input1 = input1;
  g_acpi.input2 = input2;
  g_acpi.reserved = reserved;
  g_acpi.outputOnEntry = *output;
  if (g_acpi.writeStatus) *output = g_acpi.status;
  return g_acpi.execResult;
}

TEST(ProbeDeviceStatus, ReadsTheStatusOrZero) {
  struct Case {
    const char* what;
    bool library, withOpen, withExec;
    std::uint8_t openResult, execResult;
    bool writeStatus;
    std::uint32_t status;
    int expected;
    bool queried;  // ExecACPIMethod was called
  } const cases[] = {
      {"status 2", true, true, true, 1, 1, true, 2, 2, true},
      {"status 1", true, true, true, 1, 1, true, 1, 1, true},
      {"status 3", true, true, true, 1, 1, true, 3, 3, true},
      {"status 0", true, true, true, 1, 1, true, 0, 0, true},
      {"any non-zero byte is success", true, true, true, 0x80, 0xFF, true, 2, 2, true},
      {"no library", false, false, false, 1, 1, true, 2, 0, false},
      {"no ZkWMI_Open", true, false, true, 1, 1, true, 2, 0, false},
      {"no ExecACPIMethod", true, true, false, 1, 1, true, 2, 0, false},
      {"interface does not open", true, true, true, 0, 1, true, 2, 0, false},
      {"query fails", true, true, true, 1, 0, true, 2, 0, true},
      {"success without an answer", true, true, true, 1, 1, false, 2, 0, true},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem sys;
    g_acpi = AcpiScript{};
    g_acpi.openResult = c.openResult;
    g_acpi.execResult = c.execResult;
    g_acpi.writeStatus = c.writeStatus;
    g_acpi.status = c.status;
    if (c.library) {
      std::map<std::string, void*> symbols;
      if (c.withOpen) symbols["ZkWMI_Open"] = reinterpret_cast<void*>(&FakeOpen);
      if (c.withExec) symbols["ExecACPIMethod"] = reinterpret_cast<void*>(&FakeExec);
      sys.libraries.Add("zkwmiacpi.dll", symbols);
    }
    EXPECT_EQ(ProbeDeviceStatus(), c.expected) << c.what;
    EXPECT_EQ(g_acpi.execs, c.queried ? 1 : 0) << c.what;
    if (c.queried) {
      EXPECT_EQ(g_acpi.method, u"device_status") << c.what;
      EXPECT_EQ(g_acpi.input1, 0xA0000000u) << c.what;
      EXPECT_EQ(g_acpi.input2, 0u) << c.what;
      EXPECT_EQ(g_acpi.reserved, 0u) << c.what;
      EXPECT_EQ(g_acpi.outputOnEntry, 0u) << c.what;
    }
  }
}

TEST(ProbeDeviceStatus, LoadsTheLibraryByNameAtEveryCall) {
  fakes::FakeSystem sys;
  g_acpi = AcpiScript{};
  g_acpi.status = 2;
  sys.libraries.Add("zkwmiacpi.dll", {{"ZkWMI_Open", reinterpret_cast<void*>(&FakeOpen)},
                                      {"ExecACPIMethod", reinterpret_cast<void*>(&FakeExec)}});
  EXPECT_EQ(ProbeDeviceStatus(), 2);
  g_acpi.status = 0;  // the board is asked afresh, nothing is remembered
  EXPECT_EQ(ProbeDeviceStatus(), 0);
  EXPECT_EQ(sys.libraries.loads, (std::vector<std::string>{"zkwmiacpi.dll", "zkwmiacpi.dll"}));
  EXPECT_EQ(g_acpi.opens, 2);
}

}  // namespace
}  // namespace pikko
