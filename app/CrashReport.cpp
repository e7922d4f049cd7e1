#include "app/CrashReport.h"

#include "env/Text.h"

namespace pikko {

namespace {
std::string Hex(std::uint64_t value, int digits) { return "0x" + HexDigits(value, digits); }
}  // namespace

std::string FaultName(std::uint32_t code) {
  switch (code) {
    case 0xC0000005u: return "access violation";
    case 0xC00000FDu: return "stack overflow";
    case 0xC0000094u: return "integer division by zero";
    case 0xC0000095u: return "integer overflow";
    case 0xC000001Du: return "illegal instruction";
    case 0xC0000096u: return "privileged instruction";
    case 0xC000008Cu: return "array bounds exceeded";
    case 0xC0000006u: return "in-page error (the disc could not be read)";
    case 0x80000003u: return "breakpoint";
    case 0xC0000409u: return "stack buffer overrun";
    case 0xC0000374u: return "heap corruption";
    case 0xC000008Eu: return "floating-point division by zero";
    case 0xC0000090u: return "floating-point invalid operation";
    default: return "exception " + Hex(code, 8);
  }
}

std::string CrashMessage(const FaultReport& report) {
  std::string text = "Pikko.exe met an unexpected error and must close.\n\n";
  if (report.code == 0) {
    text += "Unexpected error: ";
    text += report.what.empty() ? std::string("an exception nobody handled") : report.what;
    return text;
  }
  text += FaultName(report.code);
  if (report.code == 0xC0000005u || report.code == 0xC0000006u) {
    const char* verb = report.access == 1 ? " writing " : report.access == 8 ? " executing " : " reading ";
    if (report.access >= 0) text += std::string(verb) + "address " + Hex(report.target, 8);
  }
  text += " at ";
  if (!report.module.empty() && report.address >= report.moduleBase) {
    text += report.module + "+" + Hex(report.address - report.moduleBase, 1);
  } else {
    text += Hex(report.address, 8);
  }
  text += " (" + Hex(report.code, 8) + ").";
  return text;
}

}  // namespace pikko
