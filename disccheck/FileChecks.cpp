// The disc's files outside the INI files: the program and its libraries,
// the skins of each look, the language files of the translation library and
// the names an ISO 9660 / Joliet disc can hold.
#include "disccheck/FileChecks.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "disccheck/Checker.h"
#include "disccheck/PeFile.h"
#include "env/Text.h"

namespace pikko::disccheck {
namespace fs = std::filesystem;

namespace {

std::uint32_t Le32(const std::string& b, std::size_t at) {
  if (at + 4 > b.size()) return 0;
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
         static_cast<std::uint8_t>(b[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

const char* const kSideButtonNames[] = {"mb", "cd", "report", "file", "help"};
const char* const kStates[] = {"_n.png", "_d.png", "_o.png"};

// UTF-16 units of a name in UTF-8 (the host's file names); a byte that is no
// UTF-8 counts as one character of the system code page.
std::size_t Utf16Length(const std::string& name) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < name.size();) {
    const auto c = static_cast<unsigned char>(name[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (i + n > name.size()) n = 1;
    units += n == 4 ? 2 : 1;
    i += n;
  }
  return units;
}

}  // namespace

bool LooksLikeBitmap(const std::string& b) {
  if (b.size() < 26 || b.compare(0, 2, "BM") != 0) return false;
  const std::uint32_t offset = Le32(b, 10), header = Le32(b, 14);
  if (header < 12 || 14 + static_cast<std::uint64_t>(header) > b.size()) return false;
  std::int64_t width = 0, height = 0;
  unsigned bits = 0, compression = 0;
  if (header == 12) {
    width = Le32(b, 18) & 0xFFFF;
    height = Le32(b, 20) & 0xFFFF;
    bits = Le32(b, 24) & 0xFFFF;
  } else {
    if (b.size() < 34) return false;
    width = static_cast<std::int32_t>(Le32(b, 18));
    height = static_cast<std::int32_t>(Le32(b, 22));
    bits = Le32(b, 28) & 0xFFFF;
    compression = Le32(b, 30);
  }
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || width > 30000 || height > 30000) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (offset >= b.size()) return false;
  // Run-length files are as long as their runs; the others hold every row.
  if (compression == 1 || compression == 2) return true;
  const std::uint64_t row = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
  return offset + row * static_cast<std::uint64_t>(height) <= b.size();
}

bool LooksLikePng(const std::string& b) {
  static const char kSignature[] = "\x89PNG\r\n\x1a\n";
  return b.size() >= 33 && b.compare(0, 8, std::string(kSignature, 8)) == 0 &&
         b.compare(12, 4, "IHDR") == 0;
}

bool IsReadableBitmap(const DiscFileSystem& files, const std::string& path) {
  const auto bytes = files.Contents(path);
  return bytes && LooksLikeBitmap(*bytes);
}

void Checker::CheckProgramFiles() {
  const std::string exe = Program("Pikko.exe");
  std::optional<PeFile> menu;
  if (const auto bytes = files_.Contents(exe)) menu = PeFile::Parse(*bytes);
  if (!files_.FileExists(exe)) {
    AtFile(exe, Severity::Error, "the menu program Pikko.exe is not in the disc folder");
  } else if (!menu) {
    AtFile(exe, Severity::Error, "Pikko.exe is not a Windows program");
  }
  const std::string png = Program("pngio.dll");
  if (!files_.FileExists(png)) {
    AtFile(png, Severity::Error,
           "the PNG library is not on the disc: the menu cannot draw its buttons and stops");
  } else if (const auto b = files_.Contents(png); !b || !PeFile::Parse(*b) ||
                                                   !PeFile::Parse(*b)->Exports("ReadPngEx")) {
    AtFile(png, Severity::Error, "pngio.dll does not export ReadPngEx: the menu stops");
  }
  const std::string lang = Program("ZkMultiLang.dll");
  if (const auto b = files_.Contents(lang)) {
    const auto pe = PeFile::Parse(*b);
    for (const char* name : {"ZkTranslateStr", "ZkGetLangPathName"})
      if (!pe || !pe->Exports(name))
        AtFile(lang, Severity::Warning,
               std::string("the translation library does not export ") + name +
                   ": the menu stays in English");
  }
  // Every library of the program folder must suit the program: a 64-bit
  // menu cannot load a 32-bit library, nor a 32-bit menu a 64-bit one.
  const auto folder = files_.Resolve(programFolder_);
  if (!menu || !folder) return;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(*folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec) || !EndsWithText(it->path().filename().string(), ".dll")) continue;
    const std::string relative = it->path().lexically_relative(*folder).string();
    const std::string virtualPath = programFolder_ + ReplaceAll(relative, "/", "\\");
    const auto bytes = files_.Contents(virtualPath);
    const auto pe = bytes ? PeFile::Parse(*bytes) : std::nullopt;
    if (!pe) {
      AtFile(virtualPath, Severity::Warning, "not a Windows library");
    } else if (pe->Machine() != menu->Machine()) {
      AtFile(virtualPath, Severity::Error,
             std::string("a ") + (pe->Is64Bit() ? "64" : "32") + "-bit library beside a " +
                 (menu->Is64Bit() ? "64" : "32") + "-bit Pikko.exe: the menu cannot load it");
    }
  }
}

void Checker::CheckSkins(const MenuModel& model, bool contactTab) {
  const bool gaming =
      files_.FileExists(Program("zkwmiacpi.dll")) || files_.FileExists(Program("ForceGaming"));
  std::vector<std::string> looks = {""};
  if (gaming) looks.push_back("GAMING\\");
  bool fullkit = model.SupportFullkit, paging = false;
  for (const MenuTab& tab : model.Tabs) {
    fullkit = fullkit || tab.FullkitItem > 0;
    paging = paging || tab.Items.size() > 10;
  }
  for (const std::string& look : looks) {
    const std::string name = look.empty() ? "the normal look" : "the gaming look";
    struct Skin {
      const char* file;
      const char* use;
    };
    const Skin skins[] = {
        {"pikko256.bmp", "the background on displays of more than 16 colours"},
        {"pikko16.bmp", "the background on 16-colour displays"},
        {"logo256.bmp", "the logo"},
        {"logo16.bmp", "the logo on 16-colour displays"},
        {"MainTab\\tab01_down.bmp", "the selected tab"},
        {"MainTab\\tab01_n.bmp", "the tab at rest"},
        {"MainTab\\tab01_up.bmp", "the tab under the pointer"},
    };
    for (const Skin& s : skins) {
      const std::string path = Program(look + s.file);
      if (!files_.FileExists(path)) {
        AtFile(path, Severity::Error,
               std::string("missing: ") + s.use + " of " + name + "; the menu cannot start without it");
      } else if (!IsReadableBitmap(files_, path)) {
        AtFile(path, Severity::Error, std::string("not a readable bitmap: ") + s.use + " of " + name);
      }
    }
    if (contactTab) {
      for (const char* page : {"contact\\contact_256_n00.htm", "contact\\contact_16_n00.htm"}) {
        if (!files_.FileExists(Program(look + page)))
          AtFile(Program(look + page), Severity::Warning,
                 "missing: the contact page of " + name + "; the contact tab stays empty");
      }
    }
    std::vector<std::pair<std::string, std::string>> buttons;
    for (int j = 0; j < 5; ++j)
      if (model.ButtonShown[static_cast<std::size_t>(j)])
        buttons.emplace_back(kSideButtonNames[j], "a side button");
    if (fullkit) buttons.emplace_back("install", "the batch-install button");
    if (paging) {
      buttons.emplace_back("prev_page", "the previous-page button");
      buttons.emplace_back("next_page", "the next-page button");
    }
    for (const auto& [button, use] : buttons) {
      for (const char* state : kStates) {
        const std::string path = Program(look + "BtnImages\\MB\\256\\" + button + state);
        const auto bytes = files_.Contents(path);
        if (!bytes) {
          AtFile(path, Severity::Warning,
                 "missing: a picture of " + use + " in " + name + "; the button stays without it");
        } else if (!LooksLikePng(*bytes)) {
          AtFile(path, Severity::Warning, "not a PNG picture: a picture of " + use);
        }
      }
    }
  }
  // The manual buttons take their pictures from the program folder in every look.
  for (const char* state : kStates) {
    const std::string path = Program(std::string("BtnImages\\manual") + state);
    const auto bytes = files_.Contents(path);
    if (!bytes)
      AtFile(path, Severity::Error,
             "missing: a picture of the manual buttons; the menu window cannot be made without it");
    else if (!LooksLikePng(*bytes))
      AtFile(path, Severity::Warning,
             "not a PNG picture: a picture of the manual buttons; the manual buttons stay blank in "
             "that state");
  }
}

void Checker::CheckDiscNames() {
  const fs::path root = files_.Root();
  std::error_code ec;
  std::map<std::string, std::string> seen;  // lower-case relative path -> as written
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path relative = it->path().lexically_relative(root);
    const std::string name = it->path().filename().string();
    const std::string shown = it->path().string();
    const std::string relativeText = relative.generic_string();
    if (Utf16Length(name) > 64)
      findings_.Add(shown, 0, Severity::Error,
                    "the name has " + std::to_string(Utf16Length(name)) +
                        " characters; a Joliet disc holds at most 64");
    for (char c : name) {
      const auto u = static_cast<unsigned char>(c);
      if (u < 0x20 || std::string_view("*/:;?\\").find(c) != std::string_view::npos) {
        findings_.Add(shown, 0, Severity::Error,
                      std::string("the name holds \"") + (u < 0x20 ? std::string("control") : std::string(1, c)) +
                          "\", which a Joliet disc cannot hold");
        break;
      }
    }
    const int depth = static_cast<int>(std::distance(relative.begin(), relative.end()));
    if (it->is_directory(ec) && depth >= 8)
      findings_.Add(shown, 0, Severity::Warning,
                    "a folder " + std::to_string(depth + 1) +
                        " levels deep: ISO 9660 allows eight levels (the root is the first)");
    if (relativeText.size() + 3 > 259)
      findings_.Add(shown, 0, Severity::Warning,
                    "the path is longer than the 259 characters Windows programs can open");
    const auto [at, fresh] = seen.emplace(LowerCase(relativeText), relativeText);
    if (!fresh)
      findings_.Add(shown, 0, Severity::Error,
                    "differs only in case from " + at->second + ": on the disc one hides the other");
  }
}

}  // namespace pikko::disccheck
