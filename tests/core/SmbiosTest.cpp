#include "stand-ins/formats/Smbios.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "stand-ins/formats/SmbiosReport.h"

namespace pikko {
namespace {

// Builds a raw table as the firmware-table call returns it.
class TableBuilder {
 public:
  // formatted: the bytes after the 4-byte structure header.
  TableBuilder& Add(std::uint8_t type, const std::vector<std::uint8_t>& formatted,
                    const std::vector<std::string>& strings = {}) {
    body_.push_back(type);
    body_.push_back(static_cast<std::uint8_t>(formatted.size() + 4));
    body_.push_back(static_cast<std::uint8_t>(handle_));
    body_.push_back(static_cast<std::uint8_t>(handle_++ >> 8));
    body_.insert(body_.end(), formatted.begin(), formatted.end());
    for (const std::string& s : strings) {
      body_.insert(body_.end(), s.begin(), s.end());
      body_.push_back(0);
    }
    if (strings.empty()) body_.push_back(0);
    body_.push_back(0);
    return *this;
  }
  TableBuilder& End() { return Add(127, {}); }
  std::vector<std::uint8_t> Raw(unsigned major = 3, unsigned minor = 2, long declared = -1) const {
    const std::uint32_t length = declared < 0 ? static_cast<std::uint32_t>(body_.size())
                                              : static_cast<std::uint32_t>(declared);
    std::vector<std::uint8_t> raw = {0,
                                     static_cast<std::uint8_t>(major),
                                     static_cast<std::uint8_t>(minor),
                                     0,
                                     static_cast<std::uint8_t>(length),
                                     static_cast<std::uint8_t>(length >> 8),
                                     static_cast<std::uint8_t>(length >> 16),
                                     static_cast<std::uint8_t>(length >> 24)};
    raw.insert(raw.end(), body_.begin(), body_.end());
    return raw;
  }

 private:
  std::vector<std::uint8_t> body_;
  unsigned handle_ = 0;
};

std::vector<std::uint8_t> Le16(unsigned v) { return {std::uint8_t(v), std::uint8_t(v >> 8)}; }
std::vector<std::uint8_t> Cat(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A BIOS (0), system (1), board (2), processor (4), two memory devices
// (17, one empty slot) and the end of the table.
TableBuilder FullTable() {
  TableBuilder t;
  // vendor 1, version 2, segment, date 3, ROM 0x0F (1 MB), characteristics, release 5.17
  t.Add(0, Cat({{1, 2, 0x00, 0xF0, 3, 0x0F}, std::vector<std::uint8_t>(8, 0), {0, 0, 5, 17}}),
        {"Example BIOS Inc.  ", "1.07", "03/14/2024"});
  t.Add(1,
        Cat({{1, 2, 3, 4},
             {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD,
              0xEE, 0xFF},
             {6, 5, 6}}),
        {"Example Computers", "EX-1000", "   ", "SN123", "SKU-9"});
  t.Add(2, {1, 2, 3, 0, 9}, {"Example Mainboards", "EX-M1000 PRO", "Rev 1.0"});
  // socket 1, type, family, maker 2, id, version 3, voltage, ext clock, max 5000,
  // current 3600, status populated, upgrade, caches, serial, asset, part, 8 cores,
  // 8 enabled, 16 threads
  t.Add(4,
        Cat({{1, 3, 0xC6, 2},
             std::vector<std::uint8_t>(8, 0),
             {3, 0},
             Le16(100),
             Le16(5000),
             Le16(3600),
             {0x41, 0x01},
             Le16(0),
             Le16(0),
             Le16(0),
             {0, 0, 0, 8, 8, 16}}),
        {"LGA1700", "ExampleCPU", "ExampleCPU Core X9"});
  // handles, widths, size 8192 MB, DIMM, set, locator 1, bank 2, DDR4, detail,
  // speed 3200, maker 3, serial 4, asset tag 0, part number 5
  t.Add(17,
        Cat({Le16(0),
             Le16(0),
             Le16(64),
             Le16(64),
             Le16(8192),
             {0x09, 0, 1, 2, 0x1A},
             Le16(0),
             Le16(3200),
             {3, 4, 0, 5}}),
        {"DIMM_A1", "BANK 0", "ExampleRAM", "0000ABCD", "EXR-3200-8G"});
  t.Add(17,
        Cat({Le16(0),
             Le16(0),
             Le16(0),
             Le16(0),
             Le16(0),
             {0x09, 0, 1, 0, 0x02},
             Le16(0),
             Le16(0),
             {0, 0, 0, 0}}),
        {"DIMM_B1"});
  return t;
}

TEST(ParseRawSmbios, AFullTable) {
  const auto table = ParseRawSmbios(FullTable().End().Raw(3, 2));
  ASSERT_TRUE(table.has_value());
  EXPECT_FALSE(table->truncated);
  EXPECT_EQ(table->structures, 7u);
  EXPECT_EQ(table->majorVersion, 3u);
  EXPECT_EQ(table->minorVersion, 2u);

  ASSERT_EQ(table->bios.size(), 1u);
  const SmbiosBios& b = table->bios[0];
  EXPECT_EQ(b.vendor.value_or("?"), "Example BIOS Inc.");  // trailing blanks go
  EXPECT_EQ(b.version.value_or("?"), "1.07");
  EXPECT_EQ(b.releaseDate.value_or("?"), "03/14/2024");
  EXPECT_EQ(b.romSizeKb.value_or(0), 1024u);
  EXPECT_EQ(b.biosRelease.value_or("?"), "5.17");

  ASSERT_EQ(table->systems.size(), 1u);
  const SmbiosSystem& s = table->systems[0];
  EXPECT_EQ(s.manufacturer.value_or("?"), "Example Computers");
  EXPECT_EQ(s.version.value_or("?"), "");  // only blanks
  EXPECT_EQ(s.serialNumber.value_or("?"), "SN123");
  EXPECT_EQ(s.uuid.value_or("?"), "00112233-4455-6677-8899-AABBCCDDEEFF");
  EXPECT_EQ(s.skuNumber.value_or("?"), "SKU-9");
  EXPECT_EQ(s.family.value_or("?"), "");  // string 6 of 5

  ASSERT_EQ(table->boards.size(), 1u);
  EXPECT_EQ(table->boards[0].product.value_or("?"), "EX-M1000 PRO");
  EXPECT_EQ(table->boards[0].serialNumber.value_or("?"), "");  // string 0
  EXPECT_EQ(table->boards[0].assetTag.value_or("?"), "");      // string 9 of 3

  ASSERT_EQ(table->processors.size(), 1u);
  const SmbiosProcessor& p = table->processors[0];
  EXPECT_EQ(p.socket.value_or("?"), "LGA1700");
  EXPECT_EQ(p.manufacturer.value_or("?"), "ExampleCPU");
  EXPECT_EQ(p.version.value_or("?"), "ExampleCPU Core X9");
  EXPECT_EQ(p.maxSpeedMhz.value_or(0), 5000u);
  EXPECT_EQ(p.currentSpeedMhz.value_or(0), 3600u);
  EXPECT_TRUE(p.populated.value_or(false));
  EXPECT_EQ(p.coreCount.value_or(0), 8u);
  EXPECT_EQ(p.threadCount.value_or(0), 16u);

  ASSERT_EQ(table->memoryDevices.size(), 2u);
  const SmbiosMemoryDevice& m = table->memoryDevices[0];
  EXPECT_EQ(m.deviceLocator.value_or("?"), "DIMM_A1");
  EXPECT_EQ(m.bankLocator.value_or("?"), "BANK 0");
  EXPECT_TRUE(m.installed.value_or(false));
  EXPECT_EQ(m.sizeKb.value_or(0), 8192u * 1024u);
  EXPECT_EQ(m.speedMts.value_or(0), 3200u);
  EXPECT_EQ(m.memoryType.value_or("?"), "DDR4");
  EXPECT_EQ(m.formFactor.value_or("?"), "DIMM");
  EXPECT_EQ(m.manufacturer.value_or("?"), "ExampleRAM");
  EXPECT_EQ(m.partNumber.value_or("?"), "EXR-3200-8G");
  EXPECT_FALSE(table->memoryDevices[1].installed.value_or(true));
  EXPECT_FALSE(table->memoryDevices[1].sizeKb.has_value());
}

TEST(ParseRawSmbios, UuidByteOrderFollowsTheVersion) {
  const auto old = ParseRawSmbios(FullTable().Raw(2, 5));
  ASSERT_TRUE(old.has_value());
  EXPECT_EQ(old->systems.at(0).uuid.value_or("?"), "33221100-5544-7766-8899-AABBCCDDEEFF");
  TableBuilder zero;
  zero.Add(1, Cat({{0, 0, 0, 0}, std::vector<std::uint8_t>(16, 0)}));
  EXPECT_FALSE(ParseRawSmbios(zero.Raw())->systems.at(0).uuid.has_value());
}

TEST(ParseRawSmbios, MemorySizesInEveryForm) {
  struct Case {
    unsigned size;
    std::uint32_t extended;
    bool installed;
    std::optional<std::uint64_t> kb;
  };
  const Case cases[] = {
      {0, 0, false, std::nullopt},
      {0xFFFF, 0, true, std::nullopt},
      {0x8000 | 512, 0, true, 512},
      {4096, 0, true, 4096u * 1024u},
      {0x7FFF, 32768, true, 32768ull * 1024u},
  };
  for (const Case& c : cases) {
    TableBuilder t;
    t.Add(17, Cat({Le16(0),
                   Le16(0),
                   Le16(0),
                   Le16(0),
                   Le16(c.size),
                   {0x0D, 0, 0, 0, 0x22},
                   Le16(0),
                   Le16(0),
                   {0, 0, 0, 0, 0},
                   {std::uint8_t(c.extended), std::uint8_t(c.extended >> 8),
                    std::uint8_t(c.extended >> 16), std::uint8_t(c.extended >> 24)}}));
    const auto table = ParseRawSmbios(t.Raw());
    ASSERT_EQ(table->memoryDevices.size(), 1u);
    const SmbiosMemoryDevice& m = table->memoryDevices[0];
    EXPECT_EQ(m.installed.value_or(!c.installed), c.installed) << c.size;
    EXPECT_EQ(m.sizeKb, c.kb) << c.size;
    EXPECT_EQ(m.memoryType.value_or("?"), "DDR5");
    EXPECT_EQ(m.formFactor.value_or("?"), "SODIMM");
  }
}

TEST(ParseRawSmbios, ShortStructuresOfOlderVersionsLackTheirLaterFields) {
  TableBuilder t;
  t.Add(1, {1, 2, 3, 4}, {"Maker", "Product", "1", "S"});  // version 2.0: no UUID, SKU, family
  t.Add(4, Cat({{1, 3, 0xC6, 0}, std::vector<std::uint8_t>(8, 0), {0, 0}, Le16(0), Le16(0)}),
        {"Socket"});
  const auto table = ParseRawSmbios(t.Raw(2, 0));
  EXPECT_EQ(table->systems.at(0).productName.value_or("?"), "Product");
  EXPECT_FALSE(table->systems[0].uuid.has_value());
  EXPECT_FALSE(table->systems[0].skuNumber.has_value());
  EXPECT_FALSE(table->processors.at(0).currentSpeedMhz.has_value());
  EXPECT_FALSE(table->processors[0].coreCount.has_value());
  EXPECT_FALSE(table->processors[0].maxSpeedMhz.has_value());  // 0: unknown
}

TEST(ParseRawSmbios, BrokenTablesAreReadAsFarAsTheyAreSound) {
  const std::vector<std::uint8_t> full = FullTable().End().Raw();
  struct Case {
    const char* what;
    std::vector<std::uint8_t> raw;
    bool parsed;
    bool truncated;
    std::size_t bios, memory;
  };
  std::vector<std::uint8_t> lengthTooShort = full;
  lengthTooShort[8 + 1] = 3;  // the first structure claims 3 bytes
  std::vector<std::uint8_t> stringsUnended = TableBuilder().Add(2, {1, 2, 0, 0, 0}, {"A"}).Raw();
  stringsUnended.resize(stringsUnended.size() - 2);  // "A" loses its zero and the set's end
  std::vector<std::uint8_t> areaPastEnd =
      TableBuilder().Add(0, std::vector<std::uint8_t>(20, 1)).Raw();
  areaPastEnd.resize(8 + 10);
  for (int i = 4; i < 8; ++i) areaPastEnd[i] = 0;
  areaPastEnd[4] = 10;
  const Case cases[] = {
      {"no data", {}, false, false, 0, 0},
      {"not even a header", std::vector<std::uint8_t>(full.begin(), full.begin() + 7), false, false,
       0, 0},
      {"a zero-length table", TableBuilder().Raw(), true, false, 0, 0},
      {"declared longer than the data", std::vector<std::uint8_t>(full.begin(), full.begin() + 120),
       true, true, 1, 0},
      {"declared shorter than the data", FullTable().End().Raw(3, 2, 4), true, true, 0, 0},
      {"an impossible structure length", lengthTooShort, true, true, 0, 0},
      {"a formatted area past the end", areaPastEnd, true, true, 0, 0},
      {"a string set without its end", stringsUnended, true, true, 0, 0},
      {"no end-of-table structure", FullTable().Raw(), true, false, 1, 2},
  };
  for (const Case& c : cases) {
    // A copy of exactly this size, so that a read past it is caught.
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[c.raw.size() + (c.raw.empty() ? 1 : 0)]);
    if (!c.raw.empty()) std::memcpy(exact.get(), c.raw.data(), c.raw.size());
    const auto table = ParseRawSmbios(exact.get(), c.raw.size());
    ASSERT_EQ(table.has_value(), c.parsed) << c.what;
    if (!table) continue;
    EXPECT_EQ(table->truncated, c.truncated) << c.what;
    EXPECT_EQ(table->bios.size(), c.bios) << c.what;
    EXPECT_EQ(table->memoryDevices.size(), c.memory) << c.what;
  }
  EXPECT_TRUE(ParseRawSmbios(stringsUnended)->boards.at(0).manufacturer.value_or("?").empty());
}

TEST(ParseRawSmbios, EveryCutAndEveryDamagedByteStaysInBounds) {
  const std::vector<std::uint8_t> full = FullTable().End().Raw();
  for (std::size_t n = 0; n <= full.size(); ++n) {
    std::unique_ptr<std::uint8_t[]> cut(new std::uint8_t[n + 1]);
    std::memcpy(cut.get(), full.data(), n);
    const auto table = ParseRawSmbios(cut.get(), n);
    if (n >= 8 && n < full.size()) {
      EXPECT_TRUE(table->truncated) << n;
    }
  }
  for (std::size_t i = 0; i < full.size(); ++i) {
    for (const std::uint8_t v : {0x00, 0x01, 0x7F, 0xFF}) {
      std::vector<std::uint8_t> damaged = full;
      damaged[i] = v;
      const auto table = ParseRawSmbios(damaged);
      ASSERT_TRUE(table.has_value());
      EXPECT_LE(table->structures, full.size() / 4) << i;
    }
  }
}

TEST(FillReportPage, FillsEveryPlaceholderOnce) {
  const auto table = ParseRawSmbios(FullTable().End().Raw());
  const std::string page =
      "<h1><!--DMI:KIND--></h1><!--DMI:SMBIOS--><!--DMI:BIOS--><!--DMI:SYSTEM-->"
      "<!--DMI:BOARD--><!--DMI:PROCESSOR--><!--DMI:MEMORY--><!--DMI:OTHER--><!-- note -->";
  const std::string filled = FillReportPage(page, table, 1);
  EXPECT_EQ(filled.find("<!--DMI:BIOS-->"), std::string::npos);
  EXPECT_EQ(filled.find("<!--DMI:MEMORY-->"), std::string::npos);
  EXPECT_NE(filled.find("<!--DMI:OTHER-->"), std::string::npos);  // not ours: kept
  EXPECT_NE(filled.find("<!-- note -->"), std::string::npos);
  EXPECT_NE(filled.find("<h1>WB</h1>"), std::string::npos);
  EXPECT_NE(filled.find("SMBIOS 3.2, 7 records"), std::string::npos);
  for (const char* value : {"Example BIOS Inc.", "03/14/2024", "1 MB", "EX-M1000 PRO", "SN123",
                            "00112233-4455-6677-8899-AABBCCDDEEFF", "ExampleCPU Core X9",
                            "3600 MHz", "DIMM_A1", "8 GB", "DDR4", "3200 MT/s", "empty slot"})
    EXPECT_NE(filled.find(value), std::string::npos) << value;
  // The system's empty version string is not a blank cell.
  EXPECT_NE(filled.find("<th>Version</th><td class=\"none\">not reported</td>"), std::string::npos);
  EXPECT_EQ(FillReportPage(page, table, 0).find("<h1>MB</h1>"), 0u);
}

TEST(FillReportPage, SaysWhatIsMissing) {
  const std::string page = "<!--DMI:BIOS-->|<!--DMI:MEMORY-->|<!--DMI:SMBIOS-->";
  EXPECT_EQ(FillReportPage(page, std::nullopt, 0),
            "<p class=\"missing\">The firmware gave no SMBIOS table.</p>\r\n|"
            "<p class=\"missing\">The firmware gave no SMBIOS table.</p>\r\n|no SMBIOS table");
  TableBuilder onlyBoard;
  onlyBoard.Add(2, {1, 0, 0, 0, 0}, {"Maker"});
  const std::string filled = FillReportPage(page, ParseRawSmbios(onlyBoard.Raw()), 0);
  EXPECT_NE(filled.find("holds no BIOS record"), std::string::npos);
  EXPECT_NE(filled.find("holds no memory device record"), std::string::npos);
}

TEST(FillReportPage, FirmwareTextCannotAddMarkup) {
  TableBuilder t;
  t.Add(0, {1, 2, 0, 0, 0, 0}, {"<script>&\"x\"</script>", "<!--DMI:BIOS-->\x01"});
  const std::string filled = FillReportPage("<!--DMI:BIOS-->", ParseRawSmbios(t.Raw()), 0);
  EXPECT_EQ(filled.find("<script>"), std::string::npos);
  EXPECT_NE(filled.find("&lt;script&gt;&amp;&quot;x&quot;&lt;/script&gt;"), std::string::npos);
  EXPECT_NE(filled.find("&lt;!--DMI:BIOS--&gt;"), std::string::npos);
}

TEST(SizeText, Table) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {64, "64 KB"},          {1024, "1 MB"}, {1536, "1536 KB"}, {8 * 1024 * 1024, "8 GB"},
      {512 * 1024, "512 MB"}, {0, "0 KB"}};
  for (const auto& c : cases) EXPECT_EQ(SizeText(c.first), c.second) << c.first;
}

}  // namespace
}  // namespace pikko
