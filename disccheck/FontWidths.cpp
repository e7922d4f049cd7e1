// Character widths of "MS Sans Serif" as GDI measures them under Wine,
// printed by make_font_widths.exe (disccheck/make_font_widths_win.cpp).
// Regenerate it there if the menu's fonts change; FontTableWinTest checks
// that it agrees with GDI.
#include "disccheck/TextMetrics.h"

#include "env/Text.h"

namespace pikko::disccheck {
namespace {

const FontWidthTable kTables[] = {
    {"MS Sans Serif", 13, true, 15, 0, {
        5,6,7,11,9,13,11,4,6,6,7,11,5,5,5,5,
        9,9,9,9,9,9,9,9,9,9,5,5,11,11,11,8,
        13,10,10,10,11,9,9,11,11,5,5,10,8,13,11,11,
        10,11,10,9,9,11,10,14,10,9,9,6,5,6,11,7,
        7,9,9,8,9,9,6,9,9,4,4,9,4,14,9,9,
        9,9,6,8,6,9,8,12,8,8,8,9,5,9,11,8,
        9,8,5,6,9,13,7,7,7,19,9,5,15,8,9,8,
        8,5,5,9,9,8,7,13,7,13,8,5,14,8,8,9,
        5,6,9,9,8,9,5,7,7,13,7,8,11,5,13,7,
        7,11,6,6,7,10,8,5,7,6,7,8,13,13,13,8,
        10,10,10,10,10,10,14,10,9,9,9,9,5,5,5,5,
        11,11,11,11,11,11,11,11,11,11,11,11,11,9,10,9,
        9,9,9,9,9,9,14,8,9,9,9,9,4,4,4,4,
        9,9,9,9,9,9,9,11,9,9,9,9,9,8,9,8,}},
    {"MS Sans Serif", 11, false, 13, 0, {
        4,4,5,9,7,10,9,3,4,4,6,9,4,4,4,4,
        7,7,7,7,7,7,7,7,7,7,4,4,9,9,9,6,
        11,8,8,8,8,7,6,9,8,3,3,7,6,9,8,9,
        7,9,8,7,7,8,8,11,8,7,8,4,4,4,9,6,
        6,7,7,6,7,7,4,7,7,3,3,6,3,11,7,7,
        7,7,5,6,4,7,7,9,7,7,6,7,4,7,9,7,
        7,7,4,4,6,11,6,6,6,15,7,4,12,7,8,7,
        7,4,4,6,6,6,6,11,6,11,6,4,11,7,6,7,
        4,4,7,7,7,7,4,6,6,11,5,7,9,4,11,6,
        6,9,4,4,6,7,7,4,6,4,5,7,11,11,11,6,
        8,8,8,8,8,8,11,8,7,7,7,7,3,3,3,3,
        9,8,9,9,9,9,9,9,9,8,8,8,8,7,7,7,
        7,7,7,7,7,7,11,6,7,7,7,7,3,3,3,3,
        7,7,7,7,7,7,7,9,7,7,7,7,7,7,7,7,}},
};

}  // namespace

const FontWidthTable* FindWidthTable(const FontFace& font) {
  for (const FontWidthTable& t : kTables) {
    if (SameText(font.name, t.name) && font.height == t.height && font.bold == t.bold) return &t;
  }
  return nullptr;
}

}  // namespace pikko::disccheck
