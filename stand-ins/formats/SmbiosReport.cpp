#include "stand-ins/formats/SmbiosReport.h"

#include <utility>
#include <vector>

namespace pikko {
namespace {

using Row = std::pair<const char*, std::string>;  // label, page text (already safe)

std::string Value(const SmbiosString& s) {
  return s && !s->empty() ? HtmlText(*s) : std::string(kNotReported);
}
template <class T>
std::string Number(const std::optional<T>& v, const char* unit) {
  return v ? std::to_string(*v) + unit : std::string(kNotReported);
}
std::string Text(const std::optional<std::string>& v) {
  return v && !v->empty() ? HtmlText(*v) : std::string(kNotReported);
}

std::string Table(const std::vector<Row>& rows) {
  std::string html = "<table class=\"dmi\">\r\n";
  for (const Row& r : rows) {
    const bool missing = r.second == kNotReported;
    html += std::string("<tr><th>") + r.first + "</th><td" + (missing ? " class=\"none\"" : "") +
            ">" + r.second + "</td></tr>\r\n";
  }
  return html + "</table>\r\n";
}

std::string Missing(const std::string& what) { return "<p class=\"missing\">" + what + "</p>\r\n"; }

std::string NoTable() { return Missing("The firmware gave no SMBIOS table."); }

std::string Bios(const SmbiosTable& t) {
  if (t.bios.empty()) return Missing("The firmware's table holds no BIOS record.");
  const SmbiosBios& b = t.bios.front();
  return Table({{"Vendor", Value(b.vendor)},
                {"Version", Value(b.version)},
                {"Release date", Value(b.releaseDate)},
                {"BIOS release", Text(b.biosRelease)},
                {"ROM size", b.romSizeKb ? SizeText(*b.romSizeKb) : kNotReported}});
}

std::string System(const SmbiosTable& t) {
  if (t.systems.empty()) return Missing("The firmware's table holds no system record.");
  const SmbiosSystem& s = t.systems.front();
  return Table({{"Manufacturer", Value(s.manufacturer)},
                {"Product", Value(s.productName)},
                {"Version", Value(s.version)},
                {"Serial number", Value(s.serialNumber)},
                {"UUID", Text(s.uuid)},
                {"SKU", Value(s.skuNumber)},
                {"Family", Value(s.family)}});
}

std::string Board(const SmbiosTable& t) {
  if (t.boards.empty()) return Missing("The firmware's table holds no board record.");
  const SmbiosBoard& b = t.boards.front();
  return Table({{"Manufacturer", Value(b.manufacturer)},
                {"Product", Value(b.product)},
                {"Version", Value(b.version)},
                {"Serial number", Value(b.serialNumber)},
                {"Asset tag", Value(b.assetTag)}});
}

std::string Processors(const SmbiosTable& t) {
  if (t.processors.empty()) return Missing("The firmware's table holds no processor record.");
  std::string html;
  for (const SmbiosProcessor& p : t.processors) {
    const char* populated = !p.populated ? kNotReported : *p.populated ? "yes" : "no";
    html += Table({{"Socket", Value(p.socket)},
                   {"Manufacturer", Value(p.manufacturer)},
                   {"Version", Value(p.version)},
                   {"Populated", populated},
                   {"Current speed", Number(p.currentSpeedMhz, " MHz")},
                   {"Maximum speed", Number(p.maxSpeedMhz, " MHz")},
                   {"Cores", Number(p.coreCount, "")},
                   {"Threads", Number(p.threadCount, "")}});
  }
  return html;
}

std::string Memory(const SmbiosTable& t) {
  if (t.memoryDevices.empty())
    return Missing("The firmware's table holds no memory device record.");
  std::string html =
      "<table class=\"dmi memory\">\r\n<tr><th>Slot</th><th>Bank</th><th>Size</th><th>Type</th>"
      "<th>Speed</th><th>Manufacturer</th><th>Part number</th><th>Serial number</th></tr>\r\n";
  for (const SmbiosMemoryDevice& m : t.memoryDevices) {
    std::string size = kNotReported;
    if (m.installed && !*m.installed) size = "empty slot";
    if (m.sizeKb) size = SizeText(*m.sizeKb);
    const std::string cells[] = {
        Value(m.deviceLocator), Value(m.bankLocator),        size,
        Text(m.memoryType),     Number(m.speedMts, " MT/s"), Value(m.manufacturer),
        Value(m.partNumber),    Value(m.serialNumber)};
    html += "<tr>";
    for (const std::string& c : cells)
      html += (c == kNotReported ? "<td class=\"none\">" : "<td>") + c + "</td>";
    html += "</tr>\r\n";
  }
  return html + "</table>\r\n";
}

std::string Version(const SmbiosTable& t) {
  return "SMBIOS " + std::to_string(t.majorVersion) + "." + std::to_string(t.minorVersion) + ", " +
         std::to_string(t.structures) + " records" +
         (t.truncated ? " (the table is incomplete)" : "");
}

}  // namespace

std::string HtmlText(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    }
  }
  return out;
}

std::string SizeText(std::uint64_t kilobytes) {
  constexpr std::uint64_t kMb = 1024, kGb = kMb * 1024;
  if (kilobytes >= kGb && kilobytes % kGb == 0) return std::to_string(kilobytes / kGb) + " GB";
  if (kilobytes >= kMb && kilobytes % kMb == 0) return std::to_string(kilobytes / kMb) + " MB";
  return std::to_string(kilobytes) + " KB";
}

std::string FillReportPage(const std::string& page, const std::optional<SmbiosTable>& table,
                           int kind) {
  const std::pair<const char*, std::string> fills[] = {
      {"<!--DMI:BIOS-->", table ? Bios(*table) : NoTable()},
      {"<!--DMI:SYSTEM-->", table ? System(*table) : NoTable()},
      {"<!--DMI:BOARD-->", table ? Board(*table) : NoTable()},
      {"<!--DMI:PROCESSOR-->", table ? Processors(*table) : NoTable()},
      {"<!--DMI:MEMORY-->", table ? Memory(*table) : NoTable()},
      {"<!--DMI:SMBIOS-->", table ? Version(*table) : std::string("no SMBIOS table")},
      {"<!--DMI:KIND-->", kind == 1 ? "WB" : "MB"},
  };
  // One pass from the left: text put in is never searched again.
  std::string out;
  std::size_t at = 0;
  for (;;) {
    const std::size_t open = page.find("<!--DMI:", at);
    if (open == std::string::npos) break;
    bool filled = false;
    for (const auto& f : fills) {
      if (page.compare(open, std::char_traits<char>::length(f.first), f.first) == 0) {
        out.append(page, at, open - at);
        out += f.second;
        at = open + std::char_traits<char>::length(f.first);
        filled = true;
        break;
      }
    }
    if (!filled) {
      out.append(page, at, open + 1 - at);  // not ours: kept as written
      at = open + 1;
    }
  }
  out.append(page, at, std::string::npos);
  return out;
}

}  // namespace pikko
