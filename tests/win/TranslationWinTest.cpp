// The translation and probe wrappers over the real stand-in libraries, laid
// out in a temporary disc folder as on a disc. The program's file name is
// pointed into that folder; libraries, files and the search path are real.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>

#include "disccheck/DiscChecker.h"
#include "env/Text.h"
#include "env/Translation.h"
#include "platform/ScopedWin.h"
#include "platform/Win32Ports.h"
#include "tests/TempFolder.h"
#include "tests/win/WinTestSupport.h"

namespace pikko {
namespace {

namespace fs = std::filesystem;

// The bytes of a UTF-8 text in a code page, as the system converts it.
std::string Encode(const std::string& utf8, UINT codePage) {
  wchar_t wide[512];
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, int(std::size(wide)));
  char out[1024];
  const int m =
      ::WideCharToMultiByte(codePage, 0, wide, n, out, int(std::size(out)), nullptr, nullptr);
  return m > 0 ? std::string(out, m - 1) : "<not encodable>";
}

bool IsValidIn(const std::string& bytes, UINT codePage) {
  return ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                               nullptr, 0) > 0;
}

std::string UserInterfaceLanguage() {
  switch (PRIMARYLANGID(::GetUserDefaultUILanguage())) {
    case LANG_FRENCH:
      return "French";
    case LANG_GERMAN:
      return "German";
    case LANG_JAPANESE:
      return "Japanese";
    default:
      return "English";
  }
}

std::size_t Count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (auto at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

class StandInLibraries : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path payload = fs::path(PIKKO_BINARY_DIR) / "stand-ins-payload";
    ASSERT_TRUE(fs::exists(payload / "ZkMultiLang.dll")) << payload;
    fs::copy(payload, disc_, fs::copy_options::recursive);
    UseProgramFolder(disc_.string());
    // The probe loads its library by name: the disc folder joins the search.
    ASSERT_TRUE(::SetDllDirectoryA(disc_.string().c_str()));
  }

  void TearDown() override {
    ::SetDllDirectoryA(nullptr);
    Release();
  }

  void UseProgramFolder(const std::string& folder) {
    scope_.reset();
    Ports ports = Win32Ports();
    folders_.emplace(*ports.folders, folder + "\\Pikko.exe");
    ports.folders = &*folders_;
    scope_.emplace(ports);
  }

  // Lets go of the libraries so that the next load reads its settings anew.
  void Release() {
    ForgetTranslationLibraryForTests();
    for (const char* name : {kTranslationLibrary, kAcpiLibrary}) {
      for (int i = 0; i < 1000; ++i) {
        const HMODULE m = ::GetModuleHandleA(name);
        if (m == nullptr) break;
        ::FreeLibrary(m);
      }
    }
  }

  void Write(const std::string& name, const char* contents) {
    const fs::path file = disc_ / name;
    if (contents == nullptr) {
      fs::remove(file);
    } else {
      temp_.Write((fs::path("AUTORUN") / name).string(), contents);
    }
  }

  // A fresh start of the menu with these translation settings.
  void StartWith(const char* settings) {
    Release();
    Write("ZkMultiLang.ini", settings);
    LoadTranslationLibrary();
  }
  void StartIn(const std::string& language) {
    StartWith(("[Settings]\r\nLanguage=" + language + "\r\n").c_str());
  }

  testing::TempFolder temp_;
  const fs::path disc_ = temp_.Path() / "AUTORUN";
  std::optional<testing::ProgramInFolder> folders_;
  std::optional<ScopedPorts> scope_;
};

TEST_F(StandInLibraries, TranslatesIntoTheChosenLanguage) {
  struct Case {
    const char* language;
    UINT codePage;
    const char* english;
    const char* translation;  // UTF-8; the menu gets it in the code page
  } const cases[] = {
      {"French", 1252, "Loading...", "Chargement..."},
      {"French", 1252, "Minimize the window", "R\u00e9duire la fen\u00eatre"},
      {"French", 1252, "%1 is still running. Please close %2 first !",
       "%1 est toujours en cours d'ex\u00e9cution. Veuillez d'abord fermer %2 !"},
      {"German", 1252, "Close this application", "Diese Anwendung schlie\u00dfen"},
      {"Japanese", 932, "Loading...", "\u8aad\u307f\u8fbc\u307f\u4e2d..."},
      {"Japanese", 932, "Install Now", "\u4eca\u3059\u3050\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb"},
      {"Japanese", 932, "%1 is still running. Please close %2 first !",
       "%1 \u306f\u5b9f\u884c\u4e2d\u3067\u3059\u3002\u5148\u306b %2 "
       "\u3092\u9589\u3058\u3066\u304f\u3060\u3055\u3044\u3002"},
      {"English", 1252, "Install Now", "Install Now"},
  };
  for (const Case& c : cases) {
    StartIn(c.language);
    EXPECT_EQ(LanguageFolderName(), c.language);
    EXPECT_EQ(LanguagePathName(), (disc_ / "Lang" / c.language).string());
    EXPECT_EQ(Translate(c.english), Encode(c.translation, c.codePage))
        << c.language << ": " << c.english;
    EXPECT_EQ(Translate("Not a text of the menu"), "Not a text of the menu");
  }
}

TEST_F(StandInLibraries, EveryMenuTextIsTranslatedAndKeepsItsPlaceholders) {
  const struct {
    const char* language;
    UINT codePage;
  } languages[] = {{"English", 1252}, {"French", 1252}, {"German", 1252}, {"Japanese", 932}};
  for (const auto& l : languages) {
    StartIn(l.language);
    for (const std::string& english : disccheck::TranslatedTexts()) {
      const std::string t = Translate(english);
      const std::string where = std::string(l.language) + ": " + english;
      if (SameText(l.language, "English")) {
        EXPECT_EQ(t, english) << where;
        continue;
      }
      EXPECT_NE(t, english) << where;
      EXPECT_EQ(Count(t, "%1"), Count(english, "%1")) << where;
      EXPECT_EQ(Count(t, "%2"), Count(english, "%2")) << where;
      EXPECT_TRUE(IsValidIn(t, l.codePage)) << where;
      // UTF-8 pasted into a 1252 file would show as "Ã©" and the like.
      if (l.codePage == 1252) {
        EXPECT_EQ(t.find('\xC3'), std::string::npos) << where;
      }
    }
  }
}

TEST_F(StandInLibraries, TheLanguageComesFromTheSettingsOrTheUser) {
  const std::string user = UserInterfaceLanguage();
  struct Case {
    const char* settings;  // nullptr: no settings file
    std::string language;
  } const cases[] = {
      {nullptr, user},
      {"[Settings]\r\nLanguage=German\r\n", "German"},
      {"[settings]\nlanguage =  japanese  \n", "japanese"},
      {"[Settings]\r\nLanguage=Klingon\r\n", user},  // no such folder on the disc
      {"[Settings]\r\nLanguage=..\\Lang\\French\r\n", user},
      {"[Settings]\r\nLanguage=C:\\Windows\r\n", user},
      {"[Other]\r\nLanguage=French\r\n", user},
  };
  for (const Case& c : cases) {
    const char* what = c.settings ? c.settings : "(no settings)";
    StartWith(c.settings);
    EXPECT_EQ(LanguageFolderName(), c.language) << what;
    EXPECT_EQ(LanguagePathName(), (disc_ / "Lang" / c.language).string()) << what;
  }
  // The folder name keeps the settings' case; the menu compares without it.
  StartIn("japanese");
  EXPECT_EQ(Translate("Loading..."), Encode("\u8aad\u307f\u8fbc\u307f\u4e2d...", 932));
}

TEST_F(StandInLibraries, StringsFilesFollowTheIniRules) {
  // The byte-order mark of an editor that saves as UTF-8 must not hide the
  // first section header.
  Write("Lang\\Test\\Strings.ini",
        "\xEF\xBB\xBF[Strings]\r\n"
        "  Apple  =  Pomme  \r\n"
        "Quoted=\"  spaced  \"\r\n"
        "Empty=\r\n"
        "Twice=first\r\nTwice=second\r\n"
        "Sum=a=b\r\n"
        "[Other]\r\nPear=Poire\r\n");
  StartIn("Test");
  struct Case {
    const char* english;
    const char* shown;
  } const cases[] = {
      {"Apple", "Pomme"}, {"APPLE", "Pomme"}, {" Apple", " Apple"}, {"Quoted", "  spaced  "},
      {"Empty", "Empty"}, {"Twice", "first"}, {"Sum", "a=b"},       {"Sum=a", "Sum=a"},
      {"", ""},           {"Pear", "Pear"},
  };
  for (const Case& c : cases) EXPECT_EQ(Translate(c.english), c.shown) << c.english;
}

TEST_F(StandInLibraries, TheLibraryHandsOutStableTextsOfItsOwn) {
  StartIn("French");
  const HMODULE library = ::GetModuleHandleA(kTranslationLibrary);
  ASSERT_NE(library, nullptr);
  const auto translate = reinterpret_cast<ZkTranslateStrProc>(
      reinterpret_cast<void*>(::GetProcAddress(library, "ZkTranslateStr")));
  ASSERT_NE(translate, nullptr);
  const char* loading = translate("Loading...");
  const char* install = translate("Install Now");
  EXPECT_STREQ(loading, "Chargement...");  // not overwritten by the second answer
  EXPECT_STREQ(install, "Installer maintenant");
  const char* unknown = "Unknown";
  EXPECT_EQ(translate(unknown), unknown);
  EXPECT_EQ(translate(nullptr), nullptr);
}

TEST_F(StandInLibraries, LibraryBesideAnotherProgramIsNotFound) {
  // The libraries are in the current folder and on the search path, but the
  // program lies elsewhere.
  char saved[MAX_PATH];
  ASSERT_GT(::GetCurrentDirectoryA(DWORD(std::size(saved)), saved), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryA(disc_.string().c_str()));
  const fs::path elsewhere = temp_.Path() / "Elsewhere";
  fs::create_directories(elsewhere);
  UseProgramFolder(elsewhere.string());
  StartIn("French");
  EXPECT_EQ(Translate("Loading..."), "Loading...");
  EXPECT_FALSE(LanguagePathName().has_value());
  EXPECT_EQ(LanguageFolderName(), "");
  ::SetCurrentDirectoryA(saved);
}

TEST_F(StandInLibraries, ProbeReadsTheStatusFromItsSettingsAtEveryCall) {
  struct Case {
    const char* settings;  // nullptr: no settings file
    int status;
  } const cases[] = {
      {nullptr, 0},
      {"[ACPI]\r\nDeviceStatus=2\r\n", 2},
      {"[ACPI]\r\nDeviceStatus=0\r\n", 0},
      {"[ACPI]\r\nDeviceStatus=3\r\n", 3},
      {"[acpi]\r\ndevicestatus = 0x2\r\n", 2},
      {"[ACPI]\r\nDeviceStatus=two\r\n", 0},
      {"[ACPI]\r\nDeviceStatus=2\r\nAvailable=0\r\n", 0},
      {"[Other]\r\nDeviceStatus=2\r\n", 0},
      {"[ACPI]\r\nDeviceStatus=2\r\n", 2},
  };
  for (const Case& c : cases) {
    Write("zkwmiacpi.ini", c.settings);
    EXPECT_EQ(ProbeDeviceStatus(), c.status) << (c.settings ? c.settings : "(no settings)");
  }
  // Without the library on the search path the status reads as 0.
  ::SetDllDirectoryA(nullptr);
  Release();
  EXPECT_EQ(ProbeDeviceStatus(), 0);
}

TEST_F(StandInLibraries, AcpiLibraryAnswersOnlyTheDeviceStatusQuery) {
  Write("zkwmiacpi.ini", "[ACPI]\r\nDeviceStatus=2\r\n");
  const win::ScopedModule library(::LoadLibraryA((disc_ / kAcpiLibrary).string().c_str()));
  ASSERT_TRUE(library);
  const auto open = reinterpret_cast<ZkWmiOpenProc>(
      reinterpret_cast<void*>(::GetProcAddress(library.Get(), "ZkWMI_Open")));
  const auto exec = reinterpret_cast<ExecAcpiMethodProc>(
      reinterpret_cast<void*>(::GetProcAddress(library.Get(), "ExecACPIMethod")));
  ASSERT_TRUE(open && exec);
  std::uint32_t out = 7;
  EXPECT_EQ(exec(L"device_status", kDeviceStatusInput, 0, &out, 0), 0) << "before opening";
  ASSERT_NE(open(), 0);
  struct Case {
    const wchar_t* method;
    std::uint32_t input;
    bool withOutput;
    bool succeeds;
  } const cases[] = {
      {L"device_status", kDeviceStatusInput, true, true},
      {L"DEVICE_STATUS", kDeviceStatusInput, true, true},
      {L"device_statusX", kDeviceStatusInput, true, false},
      {L"fan_speed", kDeviceStatusInput, true, false},
      {L"device_status", 0, true, false},
      {L"device_status", kDeviceStatusInput, false, false},
      {nullptr, kDeviceStatusInput, true, false},
  };
  for (const Case& c : cases) {
    out = 7;
    const std::uint8_t ok = exec(c.method, c.input, 0, c.withOutput ? &out : nullptr, 0);
    EXPECT_EQ(ok != 0, c.succeeds) << (c.method ? c.method : L"(null)");
    EXPECT_EQ(out, c.succeeds ? 2u : 7u);
  }
}

// The names a loaded library exports, read from its export directory.
std::set<std::string> ExportNames(HMODULE module) {
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  std::set<std::string> names;
  if (dir.Size == 0) return names;
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  const auto* rvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    names.insert(reinterpret_cast<const char*>(base + rvas[i]));
  // An export without a name would be one the menu cannot look up.
  if (exports->NumberOfFunctions != exports->NumberOfNames) names.insert("<unnamed>");
  return names;
}

TEST_F(StandInLibraries, LibrariesExportExactlyTheMenusEntryPoints) {
  const struct {
    const char* library;
    std::set<std::string> names;
  } cases[] = {
      {kTranslationLibrary, {"ZkTranslateStr", "ZkGetLangPathName"}},
      {kAcpiLibrary, {"ZkWMI_Open", "ExecACPIMethod"}},
  };
  for (const auto& c : cases) {
    const win::ScopedModule library(::LoadLibraryA((disc_ / c.library).string().c_str()));
    ASSERT_TRUE(library) << c.library;
    EXPECT_EQ(ExportNames(library.Get()), c.names) << c.library;
  }
}

}  // namespace
}  // namespace pikko
