// Character widths of "MS Sans Serif" as GDI measures them under Wine,
// printed by make_font_widths.exe (disccheck/make_font_widths_win.cpp).
// Regenerate it there if the menu's fonts change; FontTableWinTest checks
// that it agrees with GDI.
#include "disccheck/TextMetrics.h"

#include "env/Text.h"

namespace pikko::disccheck {
namespace {

// PLACEHOLDER: replaced by the measured table.
const FontWidthTable kTables[] = {
    {"MS Sans Serif", 13, true, 16, 0, {}},
    {"MS Sans Serif", 11, false, 13, 0, {}},
};

}  // namespace

const FontWidthTable* FindWidthTable(const FontSpec& font) {
  for (const FontWidthTable& t : kTables) {
    if (SameText(font.name, t.name) && font.height == t.height && font.bold == t.bold) return &t;
  }
  return nullptr;
}

}  // namespace pikko::disccheck
