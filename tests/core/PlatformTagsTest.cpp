#include "env/PlatformTags.h"

#include <gtest/gtest.h>

#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

TEST(BuildPlatformTag, Table) {
  struct Case {
    const char* what;
    VersionRecord v;
    const char* tag;  // nullptr: unknown platform
  };
  // major, minor, platform, product type, suite, architecture, wow64, media center
  const Case cases[] = {
      {"XP Professional", {5, 1, 2, 1, 0x0000, 0, false, 0}, "WNT_5.1P"},
      {"XP Home", {5, 1, 2, 1, 0x0200, 0, false, 0}, "WNT_5.1H"},
      {"XP Media Center", {5, 1, 2, 1, 0x0000, 0, false, 1}, "WNT_5.1P_MCE"},
      {"2000 Professional", {5, 0, 2, 1, 0, 0, false, 0}, "WNT_5.0P"},
      {"Vista Business 32-bit", {6, 0, 2, 1, 0, 0, false, 0}, "WNT_6.0P_32"},
      {"7 Home Premium 64-bit", {6, 1, 2, 1, 0x0200, 0, true, 0}, "WNT_6.1H_64"},
      {"7 Home Premium 64-bit MCE", {6, 1, 2, 1, 0x0300, 0, true, 1}, "WNT_6.1H_64_MCE"},
      {"7 Professional 64-bit process", {6, 1, 2, 1, 0x0100, 9, false, 0}, "WNT_6.1P_32"},
      {"domain controller is a workstation type", {6, 1, 2, 2, 0, 9, false, 0}, "WNT_6.1P_32"},
      {"Server 2008 32-bit", {6, 0, 2, 3, 0, 0, false, 0}, "WNT_6.0_32"},
      {"Server 2008 R2 under emulation, x86", {6, 1, 2, 3, 0, 0, true, 0}, "WNT_6.1I_64"},
      {"server under emulation, Itanium", {6, 1, 2, 3, 0, 6, true, 0}, "WNT_6.1I_64"},
      {"server under emulation, x64", {6, 1, 2, 3, 0, 9, true, 0}, "WNT_6.1A_64"},
      {"Server 2003 under emulation", {5, 2, 2, 3, 0, 9, true, 0}, "WNT_5.2A"},
      {"Server 2003 32-bit", {5, 2, 2, 3, 0x0200, 0, false, 0}, "WNT_5.2"},
      {"Windows 8 reports 6.2", {6, 2, 2, 1, 0, 9, true, 0}, "WNT_6.2P_64"},
      {"Windows 10 reports 10.0 without bitness", {10, 0, 2, 1, 0, 9, true, 0}, "WNT_10.0P"},
      {"Windows 98", {4, 10, 1, 0, 0x0200, 0, true, 1}, "WIN_4.10"},
      {"Windows 95", {4, 0, 1, 0, 0, 0, false, 0}, "WIN_4.0"},
      {"Win32s", {3, 10, 0, 0, 0, 0, false, 0}, nullptr},
      {"CE", {5, 0, 3, 0, 0, 0, false, 0}, nullptr},
  };
  for (const Case& c : cases) {
    const auto tag = BuildPlatformTag(c.v);
    if (c.tag == nullptr) {
      EXPECT_FALSE(tag.has_value()) << c.what;
    } else {
      EXPECT_EQ(tag.value_or("<none>"), c.tag) << c.what;
    }
  }
}

TEST(DetectPlatform, BuildsTagAndLanguageCodeFromTheSystem) {
  fakes::FakeSystem sys;
  sys.version.version = OsVersionInfo{6, 1, 7601, 2, 1, 0x0200};
  sys.version.wow64 = true;
  sys.version.mediaCenter = 1;
  sys.version.langId = 0x040C;
  std::string tag = "keep", code = "keep";
  EXPECT_TRUE(DetectPlatform(tag, code));
  EXPECT_EQ(tag, "WNT_6.1H_64_MCE");
  EXPECT_EQ(code, "040C");
  EXPECT_TRUE(sys.messages.shown.empty());
}

TEST(DetectPlatform, FailuresLeaveTheOutputs) {
  {
    fakes::FakeSystem sys;
    sys.version.version.reset();  // the version query fails: no message
    std::string tag = "keep", code = "keep";
    EXPECT_FALSE(DetectPlatform(tag, code));
    EXPECT_EQ(tag, "keep");
    EXPECT_EQ(code, "keep");
    EXPECT_TRUE(sys.messages.shown.empty());
  }
  {
    fakes::FakeSystem sys;
    SetApplicationTitle("Menu");
    sys.version.version = OsVersionInfo{5, 0, 0, 3, 0, 0};
    std::string tag = "keep", code = "keep";
    EXPECT_FALSE(DetectPlatform(tag, code));
    EXPECT_EQ(tag, "keep");
    ASSERT_EQ(sys.messages.shown.size(), 1u);
    EXPECT_EQ(sys.messages.shown[0].text, "Unknown system platform...");
    EXPECT_EQ(sys.messages.shown[0].caption, "Menu");
    EXPECT_EQ(sys.messages.shown[0].style, mb::Ok);
    EXPECT_EQ(sys.messages.shown[0].owner, nullptr);
    SetApplicationTitle("");
  }
}

TEST(DetectPlatform, LanguageCodeHasFourUpperCaseDigits) {
  fakes::FakeSystem sys;
  sys.version.langId = 0x0804;
  std::string tag, code;
  ASSERT_TRUE(DetectPlatform(tag, code));
  EXPECT_EQ(code, "0804");
  sys.version.langId = 0xabc;
  ASSERT_TRUE(DetectPlatform(tag, code));
  EXPECT_EQ(code, "0ABC");
}

TEST(IsWow64, MissingOrFailingCallIsNotEmulation) {
  fakes::FakeSystem sys;
  sys.version.wow64.reset();
  EXPECT_FALSE(IsWow64());
  sys.version.wow64 = true;
  EXPECT_TRUE(IsWow64());
}

TEST(ReadSpecifiedOs, Table) {
  struct Case {
    const char* what;
    const char* tmpFile;  // nullptr: no Zkcd_tmp.ini
    const char* logFile;  // nullptr: no Zkcd_log.ini
    bool ok;
    const char* platform;
    const char* language;
  };
  const Case cases[] = {
      {"platform and language", "[PLATFORM]\nSpecified OS=WNT_6.1P_64,English\n", nullptr, true,
       "WNT_6.1P_64", "English"},
      {"blanks around the comma", "[PLATFORM]\nSpecified OS=WNT_5.1P , French\n", nullptr, true,
       "WNT_5.1P", "French"},
      {"leading comma", "[PLATFORM]\nSpecified OS=,German\n", nullptr, true, "", "German"},
      {"no comma: all is language", "[PLATFORM]\nSpecified OS=Japanese\n", nullptr, true, "",
       "Japanese"},
      {"second comma belongs to the language", "[platform]\nspecified os=A,B,C\n", nullptr, true,
       "A", "B,C"},
      {"log file when there is no tmp file", nullptr,
       "[PLATFORM]\nSpecified OS=WNT_6.0P_32,English\n", true, "WNT_6.0P_32", "English"},
      {"tmp file wins even when empty", "[PLATFORM]\n",
       "[PLATFORM]\nSpecified OS=WNT_6.0P_32,English\n", false, "keep", "keep"},
      {"empty value", "[PLATFORM]\nSpecified OS=\n", nullptr, false, "keep", "keep"},
      {"no file", nullptr, nullptr, false, "keep", "keep"},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem sys;
    SetApplicationTitle("Title");
    if (c.tmpFile) sys.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini", c.tmpFile);
    if (c.logFile) sys.files.AddFile("C:\\WINDOWS\\Zkcd_log.ini", c.logFile);
    std::string platform = "keep", language = "keep";
    EXPECT_EQ(ReadSpecifiedOs(platform, language), c.ok) << c.what;
    EXPECT_EQ(platform, c.platform) << c.what;
    EXPECT_EQ(language, c.language) << c.what;
    if (c.ok) {
      EXPECT_TRUE(sys.messages.shown.empty()) << c.what;
    } else {
      ASSERT_EQ(sys.messages.shown.size(), 1u) << c.what;
      EXPECT_EQ(sys.messages.shown[0].text, "Can't find specified OS version and language.");
      EXPECT_EQ(sys.messages.shown[0].caption, "Title");
      EXPECT_EQ(sys.messages.shown[0].style, mb::IconWarning);
      EXPECT_EQ(sys.messages.shown[0].owner, nullptr);
    }
    SetApplicationTitle("");
  }
}

// The Specified OS file sits in the Windows folder, also at a drive's root.
TEST(ReadSpecifiedOs, WindowsFolderAtTheRoot) {
  fakes::FakeSystem sys;
  sys.folders.windows = "C:\\";
  sys.files.AddFile("C:\\Zkcd_tmp.ini", "[PLATFORM]\nSpecified OS=WNT_6.1P_64,English\n");
  std::string platform, language;
  EXPECT_TRUE(ReadSpecifiedOs(platform, language));
  EXPECT_EQ(language, "English");
}

TEST(LookUpLanguageTag, Table) {
  struct Case {
    const char* what;
    const char* code;
    const char* expected;
  };
  const char* ini = "D:\\HomeTab\\HomeTab.ini";
  const Case cases[] = {
      {"full code", "0409", "English"},
      {"full code wins over the short one", "040C", "French"},
      {"only the short key", "0C0A", "Spanish"},
      {"neither key", "0416", "dflt"},
      {"one character is looked up whole", "7", "Seven"},
      {"empty code", "", "dflt"},
      {"two characters are their own short code", "0A", "Spanish"},
      {"comments stay for the caller", "0411", "Japanese ; remark"},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem sys;
    sys.files.AddFile(ini,
                      "[OS_Language_Tag]\n0409=English\n040C=French\n0C=Wrong\n0A=Spanish\n"
                      "7=Seven\n0411=Japanese ; remark\n");
    EXPECT_EQ(LookUpLanguageTag(ini, c.code, "dflt"), c.expected) << c.what;
  }
}

TEST(StripComment, Table) {
  struct Case {
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"English ; remark", "English"}, {"English;x", "English"}, {";all comment", ""},
      {"English  ", "English  "},  // no ";": trailing blanks stay
      {"Eng \t;x;y", "Eng"},         {"", ""},
      {" ;", ""},
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    StripComment(s);
    EXPECT_EQ(s, c.out) << '"' << c.in << '"';
  }
}

TEST(IsWindows8OrLater, Table) {
  struct Case {
    std::optional<OsVersionInfo> v;
    bool expected;
  };
  const Case cases[] = {
      {OsVersionInfo{5, 1, 0, 2, 1, 0}, false}, {OsVersionInfo{6, 1, 0, 2, 1, 0}, false},
      {OsVersionInfo{6, 2, 0, 2, 1, 0}, true},  {OsVersionInfo{6, 3, 0, 2, 1, 0}, true},
      {OsVersionInfo{10, 0, 0, 2, 1, 0}, true}, {std::nullopt, false},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem sys;
    sys.version.version = c.v;
    EXPECT_EQ(IsWindows8OrLater(), c.expected) << (c.v ? c.v->major : 0) << "." << (c.v ? c.v->minor : 0);
  }
}

}  // namespace
}  // namespace pikko
