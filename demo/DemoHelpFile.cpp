// The demo disc's help file, PCHelper.chm: a compiled HTML help file laid
// out by hand. Its files lie uncompressed in content section 0, listed in
// one directory chunk, so no compressor is needed; the help viewer finds
// the page through the default topic of its "#SYSTEM" file.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "demo/DemoManuals.h"

namespace pikko::demo {
namespace {

constexpr std::uint32_t kChunkSize = 0x1000;
constexpr std::uint32_t kItsfLength = 0x60;
constexpr std::uint32_t kSection0Length = 0x18;
constexpr std::uint32_t kItspLength = 0x54;
constexpr std::uint32_t kPmglHeader = 20;
constexpr std::uint32_t kLcidEnglish = 0x0409;

void Put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Put64(std::string& out, std::uint64_t v) {
  Put32(out, static_cast<std::uint32_t>(v));
  Put32(out, static_cast<std::uint32_t>(v >> 32));
}
void PutGuid(std::string& out, std::uint32_t d1, std::uint16_t d2, std::uint16_t d3,
             const unsigned char (&d4)[8]) {
  Put32(out, d1);
  Put16(out, d2);
  Put16(out, d3);
  out.append(reinterpret_cast<const char*>(d4), 8);
}
// The directory's variable-length integers: 7 bits a byte, the most
// significant first, every byte but the last with its high bit set.
void PutEncInt(std::string& out, std::uint64_t v) {
  std::string bytes(1, static_cast<char>(v & 0x7F));
  for (v >>= 7; v != 0; v >>= 7) bytes.insert(bytes.begin(), static_cast<char>(0x80 | (v & 0x7F)));
  out += bytes;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

struct Entry {
  std::string name;
  std::string bytes;
};

std::string SystemFile() {
  std::string s;
  Put32(s, 3);  // version of the #SYSTEM file
  auto add = [&s](std::uint16_t code, const std::string& data) {
    Put16(s, code);
    Put16(s, static_cast<std::uint32_t>(data.size()));
    s += data;
  };
  add(9, std::string("Pikko demo disc generator") + '\0');  // compiler
  std::string locale;
  Put32(locale, kLcidEnglish);
  for (int i = 0; i < 4; ++i) Put32(locale, 0);  // no DBCS, search, K or A links
  Put64(locale, 0);                              // time stamp
  Put32(locale, 0);
  Put32(locale, 0);
  add(4, locale);
  add(2, std::string("index.htm") + '\0');  // default topic
  add(3, std::string("Support Disc Help") + '\0');
  return s;
}

std::string NameList() {
  // Lengths in 16-bit units: the file's, the count, then each name with its
  // length and a terminating zero.
  const std::string name = "Uncompressed";
  std::string s;
  Put16(s, static_cast<std::uint32_t>(2 + 1 + name.size() + 1));
  Put16(s, 1);
  Put16(s, static_cast<std::uint32_t>(name.size()));
  for (char c : name) Put16(s, static_cast<unsigned char>(c));
  Put16(s, 0);
  return s;
}

std::string HelpPage() {
  return "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=windows-1252\">\r\n<title>Support Disc Help</title>\r\n<style>\r\n"
         "body { background: #162a48; color: #ecf2fa; font-family: Tahoma, sans-serif; "
         "font-size: 12px; margin: 18px 24px; }\r\n"
         "h1 { color: #46beff; font-size: 18px; }\r\nh2 { color: #80a8d2; font-size: 13px; }\r\n"
         "</style>\r\n</head>\r\n<body>\r\n<h1>Support Disc Help</h1>\r\n"
         "<h2>Installing drivers and utilities</h2>\r\n<p>Choose a tab, point at an item to "
         "read what it does and click it to start its setup. Install the chipset driver "
         "first.</p>\r\n<h2>The buttons at the top right</h2>\r\n<p>System report: a page "
         "with the BIOS, board, processor and memory of this computer. Disc: the disc's "
         "folder. Support: how to reach our technical support. Files: the list of files on "
         "this disc. Help: this page.</p>\r\n<h2>Manuals</h2>\r\n<p>Items with a manual show "
         "a small book button; click it to read the manual in your language.</p>\r\n"
         "</body>\r\n</html>\r\n";
}

}  // namespace

std::string HelpFileBytes() {
  std::vector<Entry> files = {
      {"/#SYSTEM", SystemFile()},
      {"/index.htm", HelpPage()},
      {"::DataSpace/NameList", NameList()},
  };
  // The directory is sorted without regard to case; "/" names the root.
  files.push_back({"/", ""});
  std::sort(files.begin(), files.end(),
            [](const Entry& a, const Entry& b) { return Lower(a.name) < Lower(b.name); });

  std::string entries, content;
  for (const Entry& f : files) {
    PutEncInt(entries, f.name.size());
    entries += f.name;
    PutEncInt(entries, 0);  // content section 0: stored as it is
    PutEncInt(entries, f.bytes.empty() ? 0 : content.size());
    PutEncInt(entries, f.bytes.size());
    content += f.bytes;
  }

  std::string chunk = "PMGL";
  // Free space: everything after the entries, the entry count at the very
  // end included.
  Put32(chunk, kChunkSize - kPmglHeader - static_cast<std::uint32_t>(entries.size()));
  Put32(chunk, 0);
  Put32(chunk, 0xFFFFFFFFu);  // no previous chunk
  Put32(chunk, 0xFFFFFFFFu);  // no next chunk
  chunk += entries;
  chunk.resize(kChunkSize - 2, '\0');
  Put16(chunk, static_cast<std::uint32_t>(files.size()));

  std::string itsp = "ITSP";
  Put32(itsp, 1);
  Put32(itsp, kItspLength);
  Put32(itsp, 0x0A);
  Put32(itsp, kChunkSize);
  Put32(itsp, 2);            // quick-reference density
  Put32(itsp, 1);            // depth of the index tree: directory chunks only
  Put32(itsp, 0xFFFFFFFFu);  // no index chunk
  Put32(itsp, 0);            // first directory chunk
  Put32(itsp, 0);            // last directory chunk
  Put32(itsp, 0xFFFFFFFFu);
  Put32(itsp, 1);  // directory chunks
  Put32(itsp, kLcidEnglish);
  PutGuid(itsp, 0x5D02926A, 0x212E, 0x11D0, {0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC});
  Put32(itsp, kItspLength);
  Put32(itsp, 0xFFFFFFFFu);
  Put32(itsp, 0xFFFFFFFFu);
  Put32(itsp, 0xFFFFFFFFu);

  const std::uint64_t directoryAt = kItsfLength + kSection0Length;
  const std::uint64_t directoryLength = itsp.size() + chunk.size();
  const std::uint64_t contentAt = directoryAt + directoryLength;
  const std::uint64_t fileLength = contentAt + content.size();

  std::string file = "ITSF";
  Put32(file, 3);
  Put32(file, kItsfLength);
  Put32(file, 1);
  Put32(file, 0);  // time stamp: fixed, so the disc is the same at every build
  Put32(file, kLcidEnglish);
  PutGuid(file, 0x7C01FD10, 0x7BAA, 0x11D0, {0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC});
  PutGuid(file, 0x7C01FD11, 0x7BAA, 0x11D0, {0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC});
  Put64(file, kItsfLength);
  Put64(file, kSection0Length);
  Put64(file, directoryAt);
  Put64(file, directoryLength);
  Put64(file, contentAt);

  Put32(file, 0x01FE);
  Put32(file, 0);
  Put64(file, fileLength);
  Put32(file, 0);
  Put32(file, 0);

  return file + itsp + chunk + content;
}

}  // namespace pikko::demo
