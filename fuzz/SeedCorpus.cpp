#include "fuzz/SeedCorpus.h"

#include <algorithm>
#include <cstdint>

#include "demo/DemoDisc.h"
#include "demo/DemoManuals.h"
#include "demo/DemoPromotion.h"
#include "demo/Png.h"
#include "fuzz/FuzzInput.h"
#include "demo/PngSamples.h"

namespace pikko::fuzz {
namespace {

using demo::Look;

std::string Join(std::initializer_list<std::string> files) {
  std::string out;
  for (const std::string& f : files) out += (out.empty() ? "" : std::string(kFileSeparator)) + f;
  return out;
}

const std::string& DiscFile(const demo::DiscFiles& files, const std::string& path) {
  static const std::string none;
  for (const auto& [name, bytes] : files)
    if (name == path) return bytes;
  return none;
}

void Byte(std::string& out, unsigned v) { out += static_cast<char>(v & 0xFF); }
void Le16(std::string& out, unsigned v) {
  Byte(out, v);
  Byte(out, v >> 8);
}
void Le32(std::string& out, std::uint32_t v) {
  Le16(out, v & 0xFFFF);
  Le16(out, v >> 16);
}

// The demo's button pictures, decoded.
std::vector<std::pair<std::string, demo::RgbaImage>> ButtonPictures() {
  std::vector<std::pair<std::string, demo::RgbaImage>> pictures;
  for (const std::string& name : demo::ButtonPictureNames(true)) {
    if (auto image = demo::DecodePng(demo::ButtonPictureBytes(Look::Normal, name)))
      pictures.emplace_back(name, *image);
  }
  return pictures;
}

std::string SafeName(std::string name) {
  for (char& c : name)
    if (c == '\\' || c == '/' || c == ' ') c = '_';
  return name;
}

// BGRA bytes of a part of a picture, rows top first.
std::string Bgra(const demo::RgbaImage& image, int left, int top, int width, int height) {
  std::string out;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) {
      const demo::Rgba p = image.At(x, y);
      Byte(out, p.b);
      Byte(out, p.g);
      Byte(out, p.r);
      Byte(out, p.a);
    }
  return out;
}

std::string Bgr(const demo::Image& image, int left, int top, int width, int height, int bytes) {
  std::string out;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) {
      const demo::Rgb p = image.At(x, y);
      Byte(out, p.b);
      Byte(out, p.g);
      Byte(out, p.r);
      if (bytes == 4) Byte(out, 255);
    }
  return out;
}

demo::Image Background() {
  const auto bmp = demo::DecodeBmp(demo::SkinFileBytes(Look::Normal, "pikko256.bmp"));
  return bmp ? bmp->image : demo::Image(64, 64);
}

// A small SMBIOS table: BIOS, system, board, processor, two memory slots.
std::string SmbiosTable(unsigned major, unsigned minor) {
  std::string body;
  unsigned handle = 0;
  auto add = [&](unsigned type, const std::string& formatted,
                 const std::vector<std::string>& strings) {
    Byte(body, type);
    Byte(body, static_cast<unsigned>(formatted.size()) + 4);
    Le16(body, handle++);
    body += formatted;
    for (const std::string& s : strings) body += s + std::string(1, '\0');
    if (strings.empty()) body += std::string(1, '\0');
    body += std::string(1, '\0');
  };
  std::string bios("\x01\x02\x00\xF0\x03\x7F", 6);
  bios += std::string(8, '\x00') + std::string("\x00\x00\x05\x10\xFF\xFF\x20\x00", 8);
  add(0, bios, {"Pikko Firmware", "F12", "03/15/2024"});
  std::string system("\x01\x02\x03\x04", 4);
  for (int i = 0; i < 16; ++i) Byte(system, 0x10 + i);
  system += std::string("\x06\x05\x06", 3);
  add(1, system, {"Pikko Boards", "PK-Z790 GAMING", "1.0", "SN123456", "SKU-9", "Gaming"});
  add(2, std::string("\x01\x02\x03\x04\x05", 5), {"Pikko Boards", "PK-Z790", "x.1", "BSN42", "Tag"});
  std::string cpu("\x01\x03\x02", 3);
  cpu += std::string(8, '\x00') + std::string("\x03", 1) + std::string(3, '\x00');
  Le16(cpu, 5800);
  Le16(cpu, 3600);
  cpu += std::string("\x41\x00", 2) + std::string(10, '\x00') + std::string("\x10\x10\x18", 3);
  add(4, cpu, {"LGA1700", "Intel(R) Corporation", "Intel(R) Core(TM) i9"});
  for (int slot = 0; slot < 2; ++slot) {
    std::string mem(8, '\x00');
    Le16(mem, slot == 0 ? 16384 : 0);
    mem += std::string("\x09\x00\x01\x02\x1A\x00\x00", 7);
    Le16(mem, 3200);
    mem += std::string("\x03\x04\x00\x05", 4);
    add(17, mem, {slot == 0 ? "DIMM_A1" : "DIMM_B1", "BANK 0", "Pikko Memory", "M0001",
                  "PK16G3200"});
  }
  add(127, "", {});
  std::string raw;
  Byte(raw, 0);
  Byte(raw, major);
  Byte(raw, minor);
  Byte(raw, 0);
  Le32(raw, static_cast<std::uint32_t>(body.size()));
  return raw + body;
}

constexpr char kExceptionModels[] =
    "[GenuineIntel]\r\nNum=2\r\nModel1=PK-Z790 GAMING\r\nModel2=PK-B760M\r\n"
    "[AuthenticAMD]\r\nNum=1\r\nModel1=PK-X670E\r\n";
constexpr char kPlatformEnglish[] = "[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,English\r\n";
constexpr char kPlatformFrench[] = "[PLATFORM]\r\nSpecified OS=WNT_6.2P_64, French \r\n";
constexpr char kLanguageFile[] =
    "\xEF\xBB\xBF[Strings]\r\nInstall Now=Installer maintenant\r\nNext=Suivant\r\n"
    "Previous=Pr\xE9\x63\xE9\x64\x65nt\r\n; a comment\r\nEmpty=\r\n[Settings]\r\nLanguage=French\r\n";
constexpr char kRegistry[] =
    ".pdf\\OpenWithList\\AcroRd32.exe\n"
    ".pdf\\OpenWithList\\Viewer.exe\n"
    "Applications\\AcroRd32.exe\\Shell\\Open\\command=\"C:\\Reader\\AcroRd32.exe\" \"%1\"\n"
    "Applications\\Viewer.exe\\Shell\\Read\n"
    "!\x02 Applications\\Viewer.exe\\Shell\\View\\command=C:\\Viewer.exe %1\n"
    "*\\OpenWithList\\iexplore.exe\n"
    "Applications\\iexplore.exe\\Shell\\open\\command=\"C:\\IE\\iexplore.exe\" %1 %1\n";

}  // namespace

std::map<std::string, std::vector<Seed>> SeedCorpus() {
  std::map<std::string, std::vector<Seed>> seeds;
  const std::string menu = demo::DemoMenuIni();
  const std::string manuals = demo::ManualSettingsIni();
  const demo::DiscFiles& promotion = demo::PromotionFiles();
  const std::string homeTab = DiscFile(promotion, "HomeTab\\HomeTab.ini");
  const std::string vendorAd = DiscFile(demo::VendorAdFiles(), "VendorAD\\VendorAD.ini");
  std::string productSetup;
  for (const auto& [name, bytes] : promotion)
    if (name.size() > 13 && name.compare(name.size() - 13, 13, "ZekaSetup.ini") == 0)
      productSetup = bytes;

  seeds["ini_reader"] = {{"menu.ini", menu},
                         {"manuals.ini", manuals},
                         {"hometab.ini", homeTab},
                         {"vendorad.ini", vendorAd},
                         {"product.ini", productSetup},
                         {"language.ini", kLanguageFile},
                         {"cr-only.ini", "[A]\rKey = \"quoted\" \r[a]\rkey=second\r=empty name"}};
  seeds["str_to_int"] = {{"zero", "0"},         {"min", "-2147483648"}, {"max", "2147483647"},
                         {"hex", "$FFFFFFFF"},  {"0x", "0x1F"},         {"blanks", "   42"},
                         {"plus", "+7"},        {"x", "x10"},           {"over", "2147483648"},
                         {"word", "12 apples"}};
  seeds["parse_rgb"] = {{"white", "255,255,255"},       {"quoted", "\"1\",2,3"},
                        {"blanks", " 0 , 128 , 255"},   {"empty-item", "1,,2"},
                        {"trailing", "1,2,"},           {"hex", "$FF,x10,0x20"},
                        {"breaks", "line@@break@@@end"}};
  seeds["normalize_path"] = {{"parent", "D:\\AUTORUN\\..\\"},
                             {"steps", "D:\\a\\.\\b\\..\\c\\."},
                             {"root", "D:\\..\\x"},
                             {"dots", "D:\\a\\...\\b"},
                             {"steps-bytes", std::string("\x19\x00\x04\x01\x05\x02\x05", 7)}};
  seeds["menu_config"] = {{"demo", menu},
                          {"demo-with-files", Join({menu, kExceptionModels, manuals})},
                          {"no-tabs", "[TABS_INFO]\r\nNUM=0\r\n"},
                          {"broken-fullkit",
                           "[TABS_INFO]\nNUM=2\n[SETUP_ITEM]\nItemNumber=3\n(2)IsZekaFullkit=1\n"
                           "(2)Tab=7\n[COLORS]\nTabUp=1,2\n"}};
  seeds["exception_model"] = {{"models", kExceptionModels},
                              {"huge-count", "[GenuineIntel]\nNum=99999999\nModel1=A\n"}};
  seeds["manual_setting"] = {{"demo", Join({manuals, kPlatformEnglish})},
                             {"demo-french-win8", Join({manuals, kPlatformFrench}) + "\x1f"},
                             {"demo-no-reader", Join({manuals, kPlatformFrench}) + "\x22"}};
  seeds["home_tab"] = {{"demo", Join({homeTab, productSetup, kPlatformEnglish})},
                       {"demo-french", Join({homeTab, productSetup, kPlatformFrench})}};
  seeds["vendor_ad"] = {{"demo", Join({vendorAd, "English"})},
                        {"demo-french", Join({vendorAd, "French"})},
                        {"demo-no-picture", vendorAd + "\x02"}};
  seeds["language_file"] = {{"french", kLanguageFile}};
  seeds["smbios"] = {{"table-3.2", SmbiosTable(3, 2)}, {"table-2.4", SmbiosTable(2, 4)}};
  seeds["open_with"] = {{"readers", Join({kRegistry, "D:\\manual\\Guide\\Guide.pdf"})},
                        {"own-type", Join({kRegistry, "D:\\Page.html", ".pdf"})}};

  // Pictures: PNG records, blends over the skin, the skin's shape, glows.
  const demo::Image background = Background();
  int n = 0;
  for (const auto& [name, image] : ButtonPictures()) {
    if (n++ >= 4) break;
    const int w = std::min(image.Width(), 40), h = std::min(image.Height(), 40);
    std::string record;
    Byte(record, 0x03);  // 32-bit out, RGBA record
    Le16(record, static_cast<unsigned>(w));
    Le16(record, static_cast<unsigned>(h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const demo::Rgba p = image.At(x, y);
        record += {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b),
                   static_cast<char>(p.a)};
      }
    seeds["png_rows"].push_back({SafeName(name), record});

    const int bw = std::min(w, 24), bh = std::min(h, 24);
    std::string blend;
    Byte(blend, 0x01);  // 32-bit source over a 32-bit destination
    for (int v : {bw, bh, bw + 4, bh + 4}) Byte(blend, static_cast<unsigned>(v));
    for (int v : {0, 0, bw, bh, 2, 2}) Byte(blend, static_cast<unsigned>(v));
    Le16(blend, 255);
    Byte(blend, 0);  // no row padding
    Byte(blend, 0);
    blend += Bgra(image, 0, 0, bw, bh) + Bgr(background, 20, 70, bw + 4, bh + 4, 4);
    seeds["alpha_blend"].push_back({SafeName(name), blend});

    const int gw = std::min(w, 16), gh = std::min(h, 8);
    std::string glow;
    Byte(glow, 0);
    Byte(glow, static_cast<unsigned>(gw - 1));
    Byte(glow, static_cast<unsigned>(gh - 1));
    Byte(glow, 5);
    Byte(glow, 128);
    Byte(glow, 255);
    Le32(glow, 0xBEFFFF);
    glow += Bgra(image, 0, 0, gw, gh);
    seeds["glow_filter"].push_back({SafeName(name), glow});
  }
  // Whole PNG files: a few of every colour type (the first byte rewrites the
  // chunks' CRCs after a mutation), a demo button picture, and a header far
  // beyond its image data.
  for (const testing::PngKind& kind : testing::AllPngKinds()) {
    const std::string name = kind.name;
    if (name == "grey 1" || name == "palette 8 tRNS" || name == "grey+alpha 16" ||
        name == "RGB 8 tRNS" || name == "RGBA 8 interlaced" || name == "grey+alpha 8 paeth" ||
        name == "palette 4 interlaced filters")
      seeds["png_file"].push_back({SafeName(name), "\x01" + testing::EncodeKind(kind)});
  }
  for (const std::string& name : demo::ButtonPictureNames(true)) {
    const std::string file = demo::ButtonPictureBytes(Look::Normal, name);
    if (file.size() < 16000) {
      seeds["png_file"].push_back({SafeName(name), std::string(1, '\0') + file});
      break;
    }
  }
  seeds["png_file"].push_back({"huge-header", "\x01" + testing::HugeHeaderPng()});

  for (int corner = 0; corner < 2; ++corner) {
    const int w = 48, h = 40;
    const int left = corner == 0 ? 0 : background.Width() - w;
    std::string runs;
    Byte(runs, corner == 0 ? 0x02 : 0x01);  // 24-bit, then 32-bit
    Byte(runs, w);
    Byte(runs, h);
    Byte(runs, 0);
    Le32(runs, 0xFF00FF);  // the skins' key colour
    runs += Bgr(background, left, 0, w, h, corner == 0 ? 3 : 4);
    seeds["region_runs"].push_back({corner == 0 ? "skin-top-left" : "skin-top-right", runs});
  }
  return seeds;
}

}  // namespace pikko::fuzz
