// The real menu window over damaged discs: files missing, empty, garbage or
// in UTF-16, keys with absurd values, unusual disc folders, and files that
// vanish while the menu runs (the disc taken out). Each disc ends with the
// exact messages the menu gives, or starts without one; none faults, hangs
// or writes to the disc.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "platform/Assert.h"
#include "tests/win/BadDiscHarness.h"

namespace pikko::testing {
namespace {

// The healthy disc every damage starts from: four tabs of items (the first
// with two pages, a batch-install item and a manual), the contact tab and
// the promotion's home tab; the exception list names this board.
std::string BaseMenu() {
  std::string ini =
      "[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,English\r\n"
      "[DMI_Info]\r\nMB_PRODUCTNAME=Z790-TEST\r\nCPU_MANUFACTURER=Intel\r\n"
      "[TABS_INFO]\r\nNUM=5\r\nTAB0=Drivers\r\nTAB1=Utilities\r\nTAB2=Software\r\nTAB3=Contact\r\n"
      "TAB4=Home\r\nNoItem=Nothing here.\r\n"
      "[BUTTONS]\r\nButton0=Report\r\nButton1=Folder\r\nButton2=Support\r\nButton3=Files\r\n"
      "Button4=Help\r\n"
      "[COLORS]\r\nTitleMouseUp=215,243,241\r\nTitleMouseMove=255,255,255\r\n"
      "TitleMouseDown=0,0,0\r\nDescription=10,20,30\r\nTabUp=112,125,134\r\n"
      "[SETUP_ITEM]\r\nCD_Title=Damaged Disc\r\nCD_Description=First line@@Second line\r\n"
      "FontName=Arial\r\nFontSize=9\r\nItemNumber=16\r\nSupport Fullkit=1\r\n"
      "(1)Tab=0\r\n(1)IsZekaFullkit=1\r\n(1)Title=Install All\r\n(1)Path=ZEKAFullkit\r\n"
      "(1)Run=Fullkit.exe 00\r\n"
      "(2)Tab=0\r\n(2)Title=Chipset Driver\r\n(2)Description=The chipset.\r\n"
      "(2)Path=..\\Manual\\UserGuide\r\n(2)Run=Setup.exe\r\n(2)Dependency=0xff\r\n";
  for (int n = 3; n <= 16; ++n) {
    const std::string k = "(" + std::to_string(n) + ")";
    const int tab = n <= 13 ? 0 : (n <= 15 ? 1 : 2);
    ini += k + "Tab=" + std::to_string(tab) + "\r\n" + k + "Title=Item " + std::to_string(n) +
           "\r\n" + k + "Description=About item " + std::to_string(n) + "\r\n" + k +
           "Path=..\\Drivers\\D" + std::to_string(n) + "\r\n" + k + "Run=Setup.exe -s\r\n";
  }
  return ini;
}

// Edits of the staged disc; names are relative to the disc's root, or to
// the Windows folder when they begin with "WINDOWS/".
struct Disc {
  fs::path root;
  fs::path windows;
  fs::path At(const std::string& relative) const {
    if (relative.rfind("WINDOWS/", 0) == 0) return windows / fs::path(relative.substr(8));
    return root / fs::path(relative);
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(At(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Write(const std::string& relative, const std::string& bytes) const {
    fs::create_directories(At(relative).parent_path());
    std::ofstream(At(relative), std::ios::binary | std::ios::trunc) << bytes;
  }
  void Remove(const std::string& relative) const {
    if (!fs::remove(At(relative))) throw std::runtime_error("no file " + relative);
  }
  // Sets a key's value (the first line "key=..." of the file), or adds the
  // key at the top of its section.
  void Set(const std::string& relative, const std::string& section, const std::string& key,
           const std::string& value) const {
    std::string text = Read(relative);
    std::size_t at = text.rfind(key + "=", 0) == 0 ? 0 : text.find("\n" + key + "=");
    if (at != std::string::npos) {
      if (at != 0) ++at;
      const std::size_t end = text.find("\r\n", at);
      text.replace(at, end - at, key + "=" + value);
    } else {
      const std::size_t header = text.find("[" + section + "]\r\n");
      if (header == std::string::npos) throw std::runtime_error("no [" + section + "]");
      text.insert(header + section.size() + 4, key + "=" + value + "\r\n");
    }
    Write(relative, text);
  }
  // The file as UTF-16 (little-endian, with its byte-order mark); the
  // disc's files are ASCII here.
  void ToUtf16(const std::string& relative) const {
    std::string out = "\xFF\xFE";
    for (char c : Read(relative)) {
      out += c;
      out += '\0';
    }
    Write(relative, out);
  }
};

constexpr char kMenu[] = "AUTORUN/zkcd_dbg.ini";
constexpr char kManuals[] = "BIN/ManualSetting.ini";
constexpr char kHomeTab[] = "AUTORUN/HomeTab/HomeTab.ini";
constexpr char kVendorAd[] = "AUTORUN/VendorAD/VendorAD.ini";
constexpr char kExceptions[] = "AUTORUN/ExceptionModel.ini";
// The menu file as the companion program leaves it in the Windows folder,
// where the promotion reads the system's record.
constexpr char kWindowsMenu[] = "WINDOWS/Zkcd_tmp.ini";

// Bytes no disc file holds: the same on every run.
std::string Garbage(std::size_t size, unsigned seed, const std::string& head = {}) {
  std::mt19937 random(seed);
  std::string bytes = head;
  while (bytes.size() < size) bytes += static_cast<char>(random() & 0xFF);
  return bytes;
}

// A bitmap file whose header claims 100000 x 100000 pixels of 24 bits.
std::string HugeBitmapHeader() {
  std::string b = "BM";
  auto put = [&b](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(54 + 64, 4);  // file size
  put(0, 4);
  put(54, 4);      // pixels offset
  put(40, 4);      // info header size
  put(100000, 4);  // width
  put(100000, 4);  // height
  put(1, 2);
  put(24, 2);
  put(0, 4);  // no compression
  put(0, 4);
  put(0, 4);
  put(0, 4);
  put(0, 4);
  put(0, 4);
  return b + std::string(64, '\x7F');
}

const std::string kLong(5000, 'z');
const std::string kLongDigits(5000, '7');
// What the platform's profile reader hands out of a value: 2047 characters.
const std::string kLongRead = kLong.substr(0, 2047);

// What a damaged disc must lead to.
struct BadDisc {
  std::string name;
  std::function<void(const Disc&)> damage;
  bool starts = true;                 // the window is shown
  std::vector<std::string> messages;  // exact; <P> the program folder, <R> the disc root
  DiscPlace place = DiscPlace::Plain;
  int depth = 32;
  bool vendorAds = false;
  bool freshPngLibrary = false;  // the PNG library is loaded afresh from this disc
  std::vector<std::string> vanish;  // removed once the window runs
  bool realShell = false;           // programs really start through the shell

  BadDisc& At(DiscPlace p) { return place = p, *this; }
  BadDisc& Depth(int d) { return depth = d, *this; }
  BadDisc& WithVendorAds() { return vendorAds = true, *this; }
  BadDisc& FreshPngLibrary() { return freshPngLibrary = true, *this; }
  BadDisc& Vanish(std::vector<std::string> files) { return vanish = std::move(files), *this; }
  BadDisc& RealShell() { return realShell = true, *this; }
};

BadDisc Starts(std::string name, std::function<void(const Disc&)> damage,
               std::vector<std::string> messages = {}) {
  BadDisc row;
  row.name = std::move(name);
  row.damage = std::move(damage);
  row.messages = std::move(messages);
  return row;
}
BadDisc Ends(std::string name, std::function<void(const Disc&)> damage, std::string message) {
  BadDisc row = Starts(std::move(name), std::move(damage), {std::move(message)});
  row.starts = false;
  return row;
}
auto Removed(std::string relative) {
  return [relative](const Disc& d) { d.Remove(relative); };
}
auto Written(std::string relative, std::string bytes) {
  return [relative, bytes](const Disc& d) { d.Write(relative, bytes); };
}
auto Key(std::string file, std::string section, std::string key, std::string value) {
  return [=](const Disc& d) { d.Set(file, section, key, value); };
}
auto MenuKey(std::string section, std::string key, std::string value) {
  return Key(kMenu, std::move(section), std::move(key), std::move(value));
}
auto Utf16(std::string relative) {
  return [relative](const Disc& d) { d.ToUtf16(relative); };
}
void Nothing(const Disc&) {}

std::vector<BadDisc> BadDiscTable();

// Everything a user does on a menu: each tab, each row hovered, the pages
// turned, the batch-install button pointed at; then on the first tab the
// first row, its manual button and the batch-install button clicked.
void UseTheMenu(BadDiscHarness& h) {
  TZkAutorunForm& f = *h.form;
  for (int t = 0; t < 6; ++t) {
    if (!f.TabCaptions[t]->Visible()) continue;
    h.Click(*f.TabCaptions[t]);
    for (int page = 0; page < 2; ++page) {
      for (int r = 0; r < 10; ++r) {
        if (f.ItemRows[r]->Visible()) h.Move(*f.ItemRows[r]);
        if (f.ManualButtons[r]->Visible()) h.Move(*f.ManualButtons[r]);
      }
      if (!f.zkbNext->Visible()) break;
      h.Click(*f.zkbNext);
    }
    if (f.zkbPrevious->Visible()) h.Click(*f.zkbPrevious);
    if (f.zkbFullkit->Visible()) h.Move(*f.zkbFullkit);
    h.MoveTo(500, 440);
    h.Pump();  // what changed paints
  }
  h.Click(*f.TabCaptions[0]);
  if (f.ItemRows[0]->Visible()) h.Click(*f.ItemRows[0]);
  if (f.ManualButtons[0]->Visible()) h.Click(*f.ManualButtons[0]);
  if (f.zkbFullkit->Visible()) h.Click(*f.zkbFullkit);
  h.Pump();
}

std::string Expand(std::string text, const BadDiscHarness& h) {
  for (std::size_t p; (p = text.find("<P>")) != std::string::npos;) text.replace(p, 3, h.ProgramFolder());
  for (std::size_t p; (p = text.find("<R>")) != std::string::npos;) text.replace(p, 3, h.Root());
  return text;
}

// Tries one damaged disc; every failure names it.
void Try(const BadDisc& row) {
  SCOPED_TRACE(row.name);
  const RowWatch watch(row.name, std::chrono::seconds(20));
  BadDiscHarness h;
  demo::TestDiscOptions options;
  options.promotion = true;
  options.manuals = true;
  options.vendorAds = row.vendorAds;
  ASSERT_TRUE(h.LayOut(BaseMenu(), options));
  const Disc disc{h.Stage(), h.WindowsFolder()};
  disc.Write(kWindowsMenu, BaseMenu());
  // The promotion's home tab is the fifth tab of this menu.
  disc.Set(kHomeTab, "Setting", "Tab", "5");
  disc.Write(kExceptions, "[Intel]\r\nNum=2\r\nModel1=Z690-OTHER\r\nModel2=Z790-TEST\r\n");
  if (row.realShell) {
    h.UseRealShell();
    const std::string stub = (h.Stage() / "Manual" / "UserGuide" / "Setup.exe").string();
    ASSERT_TRUE(::CopyFileA(BuildPath("stand-ins/SetupStub.exe").c_str(), stub.c_str(), FALSE));
  }
  ASSERT_NO_THROW(row.damage(disc));
  FileTree before = TreeOf(h.Stage());
  if (!h.Place(row.place)) {
    // No name of this system's code page fits the candidates.
    std::printf("bad disc \"%s\" left out: no folder name for it here\n", row.name.c_str());
    return;
  }
  if (row.freshPngLibrary) PngManager::ResetForTests();

  const FaultWatch faults(row.name);
  try {
    const ThrowingAssertions assertions;
    h.Start(row.depth);
    EXPECT_EQ(h.WindowShown(), row.starts);
    for (const std::string& file : row.vanish) {
      std::string path = h.Root() + file;
      std::replace(path.begin(), path.end(), '/', '\\');
      EXPECT_TRUE(::DeleteFileA(path.c_str())) << path;
      before.erase(file);
    }
    if (h.WindowShown()) UseTheMenu(h);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "exception escaped the menu: " << e.what();
  } catch (...) {
    ADD_FAILURE() << "unknown exception escaped the menu";
  }
  EXPECT_EQ(faults.Count(), 0) << "processor fault 0x" << std::hex << faults.FirstCode();
  if (row.freshPngLibrary) PngManager::ResetForTests();

  std::vector<std::string> expected, shown;
  for (const std::string& m : row.messages) expected.push_back(Expand(m, h));
  for (const auto& m : h.messages.shown) shown.push_back(m.text);
  EXPECT_EQ(shown, expected);

  // Nothing written to the disc; only the report copy in the Windows folder.
  h.form.reset();
  h.Unplace();
  EXPECT_EQ(TreeOf(h.Stage()), before);
  for (const auto& entry : TreeOf(h.WindowsFolder())) {
    if (entry.first != "Zkcd_tmp.ini") {
      EXPECT_EQ(entry.first.rfind("ZkDmiBrowser", 0), 0u) << entry.first;
    }
  }
}

TEST(BadDiscs, EachEndsWithItsMessageOrStartsAndNeverFaultsHangsOrWrites) {
  const auto begin = std::chrono::steady_clock::now();
  const std::vector<BadDisc> table = BadDiscTable();
  EXPECT_GE(table.size(), 60u);
  for (const BadDisc& row : table) Try(row);
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - begin);
  std::printf("%zu bad discs in %lld s\n", table.size(), static_cast<long long>(seconds.count()));
}

std::vector<BadDisc> BadDiscTable() {
  const std::string notFound = "<P>zkcd_dbg.ini not found...";
  const std::string wrongNum = "Wrong NUM in TABS_INFO!";
  const std::string noItems = "No items supporting this Operating System";
  const std::string skin = "Cannot load the skin file <P>";
  const std::string picture = "Cannot load the picture <P>";
  const std::string rgb = "Incorrect RGB value in [COLORS]: ";
  const std::string png = "\x89PNG\r\n\x1A\n";
  return {
      // Each file the menu opens, missing.
      Ends("no menu file", Removed(kMenu), notFound),
      Ends("no background", Removed("AUTORUN/pikko256.bmp"), "PIKKO256.bmp not found."),
      Ends("no 16-colour background", Removed("AUTORUN/pikko16.bmp"), "PIKKO16.BMP not found.")
          .Depth(4),
      Ends("no logo", Removed("AUTORUN/logo256.bmp"), skin + "logo256.bmp"),
      Ends("no 16-colour logo", Removed("AUTORUN/logo16.bmp"), skin + "logo16.bmp").Depth(4),
      Ends("no pressed tab", Removed("AUTORUN/MainTab/tab01_down.bmp"),
           skin + "MainTab\\tab01_down.bmp"),
      Ends("no resting tab", Removed("AUTORUN/MainTab/tab01_n.bmp"), skin + "MainTab\\tab01_n.bmp"),
      Ends("no pointed tab", Removed("AUTORUN/MainTab/tab01_up.bmp"), skin + "MainTab\\tab01_up.bmp"),
      Ends("no gaming background",
           [](const Disc& d) {
             d.Write("AUTORUN/ForceGaming", "");
             d.Remove("AUTORUN/GAMING/pikko256.bmp");
           },
           "PIKKO256.bmp not found."),
      Ends("no manual picture", Removed("AUTORUN/BtnImages/manual_n.png"),
           picture + "BtnImages\\manual_n.png"),
      Starts("no side-button picture", Removed("AUTORUN/BtnImages/MB/256/mb_n.png")),
      Starts("no batch-install picture", Removed("AUTORUN/BtnImages/MB/256/install_o.png")),
      Ends("no PNG library", Removed("AUTORUN/pngio.dll"), "Assertion failed: m_hinst (unit PngReader)")
          .FreshPngLibrary(),
      Starts("no record of the system in the Windows folder", Removed(kWindowsMenu),
             std::vector<std::string>(3, "Can't find specified OS version and language.")),
      Starts("no contact page", Removed("AUTORUN/contact/contact_256_n00.htm")),
      Starts("no manual settings", Removed(kManuals)),
      Starts("no manual file", Removed("Manual/UserGuide/UserGuide.pdf")),
      Starts("no exception list", Removed(kExceptions)),
      Starts("no promotion file", Removed(kHomeTab)),
      Starts("no promotion page", Removed("AUTORUN/HomeTab/Pages/about.htm")),
      Starts("no promotion button picture", Removed("AUTORUN/HomeTab/Buttons/install_n.bmp")),
      Starts("no page-turn picture", Removed("AUTORUN/HomeTab/next_n.bmp")),
      Ends("no advertisement button picture", Removed("AUTORUN/VendorAD/install_n.bmp"),
           picture + "VendorAD\\install_n.bmp")
          .WithVendorAds(),
      Starts("no advertisement page", Removed("AUTORUN/VendorAD/chipset.htm")).WithVendorAds(),

      // Keys with absurd values.
      Ends("negative NUM", MenuKey("TABS_INFO", "NUM", "-3"), wrongNum),
      Starts("huge NUM", MenuKey("TABS_INFO", "NUM", "2147483647")),
      Ends("NUM beyond 32 bits", MenuKey("TABS_INFO", "NUM", "99999999999999999999"), wrongNum),
      Ends("NUM not a number", MenuKey("TABS_INFO", "NUM", "four"), wrongNum),
      Ends("NUM of 5000 digits", MenuKey("TABS_INFO", "NUM", kLongDigits), wrongNum),
      Ends("negative ItemNumber", MenuKey("SETUP_ITEM", "ItemNumber", "-1"), noItems),
      Starts("huge ItemNumber", MenuKey("SETUP_ITEM", "ItemNumber", "2147483647")),
      Starts("negative item tab", MenuKey("SETUP_ITEM", "(3)Tab", "-7")),
      Starts("huge item tab", MenuKey("SETUP_ITEM", "(3)Tab", "2147483647"),
             {"Incorrect value of (3)Tab"}),
      Ends("batch-install item on a negative tab", MenuKey("SETUP_ITEM", "(1)Tab", "-1"),
           "Incorrect value: (1)Tab"),
      Starts("huge font size", MenuKey("SETUP_ITEM", "FontSize", "2147483647")),
      Starts("font name of 5000 characters", MenuKey("SETUP_ITEM", "FontName", kLong)),
      Starts("disc title of 5000 characters", MenuKey("SETUP_ITEM", "CD_Title", kLong)),
      Starts("tab caption of 5000 characters", MenuKey("TABS_INFO", "TAB0", kLong)),
      Starts("item title of 5000 characters", MenuKey("SETUP_ITEM", "(2)Title", kLong)),
      Starts("item program of 5000 characters", MenuKey("SETUP_ITEM", "(2)Run", kLong)),
      Starts("negative dependency", MenuKey("SETUP_ITEM", "(2)Dependency", "-1"),
             {"Error:(2)Dependency = -1"}),
      Starts("dependency of 5000 characters", MenuKey("SETUP_ITEM", "(2)Dependency", kLong),
             {"Error:(2)Dependency = " + kLongRead}),
      Starts("negative colour", MenuKey("COLORS", "TitleMouseUp", "-1,-1,-1"),
             {rgb + "-1,-1,-1"}),
      Starts("colour not a number", MenuKey("COLORS", "TitleMouseMove", "white"),
             {rgb + "white"}),
      Starts("colour of 5000 characters", MenuKey("COLORS", "Description", kLong),
             {rgb + kLongRead}),
      Starts("platform record of 5000 characters",
             MenuKey("PLATFORM", "Specified OS", "WNT_6.1P_64," + kLong)),
      Starts("huge exception list", Key(kExceptions, "Intel", "Num", "2147483647")),
      Starts("negative home tab", Key(kHomeTab, "Setting", "Tab", "-1")),
      Starts("huge rotation interval", Key(kHomeTab, "Setting", "Interval", "2147483647")),
      Starts("absurd promotion button place",
             Key(kHomeTab, "Page1", "ButtonPosition", "-99999,999999999999")),
      Starts("manual folder of 5000 characters",
             Key(kManuals, "ManualFolder", "..\\Manual\\UserGuide", kLong)),
      Starts("huge advertisement tab count", Key(kVendorAd, "AD_TABS", "MaxADTabs", "2147483647"))
          .WithVendorAds(),
      Starts("advertisement tab without a target", Key(kVendorAd, "AD_TABS", "Tab0", ""),
             {"Wrong value in Tab0"})
          .WithVendorAds(),

      // Empty files.
      Ends("empty menu file", Written(kMenu, ""), wrongNum),
      Ends("empty background", Written("AUTORUN/pikko256.bmp", ""),
           "PIKKO256.bmp cannot be read: <P>pikko256.bmp"),
      // A manual picture the PNG library refuses leaves that state blank.
      Starts("empty manual picture", Written("AUTORUN/BtnImages/manual_d.png", "")),
      Starts("empty side-button picture", Written("AUTORUN/BtnImages/MB/256/cd_n.png", "")),
      Starts("empty manual settings", Written(kManuals, "")),
      Starts("empty promotion file", Written(kHomeTab, "")),

      // Binary garbage.
      Ends("garbage menu file", Written(kMenu, Garbage(8192, 1)), wrongNum),
      Ends("garbage background", Written("AUTORUN/pikko256.bmp", Garbage(8192, 2, "BM")),
           "PIKKO256.bmp cannot be read: <P>pikko256.bmp"),
      Ends("background of 100000 x 100000 pixels", Written("AUTORUN/pikko256.bmp", HugeBitmapHeader()),
           "PIKKO256.bmp cannot be read: <P>pikko256.bmp"),
      Starts("garbage manual picture",
             Written("AUTORUN/BtnImages/manual_o.png", Garbage(4096, 4, png))),
      Ends("garbage PNG library", Written("AUTORUN/pngio.dll", Garbage(4096, 6, "MZ")),
           "Assertion failed: m_hinst (unit PngReader)")
          .FreshPngLibrary(),
      Starts("garbage manual settings", Written(kManuals, Garbage(4096, 7))),
      Starts("garbage promotion file", Written(kHomeTab, Garbage(4096, 8))),

      // UTF-16 with a byte-order mark, which the platform's reader reads.
      Starts("menu file in UTF-16", Utf16(kMenu)),
      Starts("manual settings in UTF-16", Utf16(kManuals)),
      Starts("promotion file in UTF-16", Utf16(kHomeTab)),

      // Where the disc is.
      Starts("read-only disc", [](const Disc& d) { SetReadOnly(d.root, true); }),
      Starts("disc folder with blanks", Nothing).At(DiscPlace::Blanks),
      Starts("disc folder in the system code page", Nothing).At(DiscPlace::CodePage),
      Starts("disc folder near MAX_PATH", Nothing).At(DiscPlace::NearMaxPath),
      Ends("disc folder beyond MAX_PATH", Nothing, skin + "MainTab\\tab01_down.bmp")
          .At(DiscPlace::BeyondMaxPath),

      // The disc taken out while the menu runs.
      Starts("menu file vanishes", Nothing, {notFound, notFound}).Vanish({kMenu}),
      Starts("skins vanish", Nothing)
          .Vanish({"AUTORUN/pikko256.bmp", "AUTORUN/MainTab/tab01_up.bmp",
                   "AUTORUN/MainTab/tab01_down.bmp", "AUTORUN/BtnImages/MB/256/next_page_o.png"}),
      Starts("manual vanishes", Nothing).Vanish({"Manual/UserGuide/UserGuide.pdf", kManuals}),
      Starts("item program vanishes", Nothing,
             {"Error:2 - Cannot execute <R>Manual\\UserGuide\\Setup.exe ",
              "Error:2 - Cannot execute <P>ZEKAFullkit\\Fullkit.exe 00"})
          .Vanish({"Manual/UserGuide/Setup.exe"})
          .RealShell(),

  };
}

}  // namespace
}  // namespace pikko::testing
