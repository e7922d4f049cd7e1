// Prints FontWidths.cpp: the width of every character 0x20..0xFF of the
// system code page in the menu's fonts, as GDI measures them here, and the
// overhang that a text adds once (bold faces made from a regular font).
#include <windows.h>

#include <cstdio>
#include <string>

#include "disccheck/TextMetrics.h"
#include "platform/ScopedWin.h"

namespace {

int Extent(HDC dc, const std::string& s) {
  SIZE size{};
  ::GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size);
  return size.cx;
}

void PrintTable(const pikko::disccheck::FontFace& face) {
  pikko::win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
  LOGFONTA lf{};
  lf.lfHeight = -face.height;
  lf.lfWeight = face.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, face.name.c_str(), LF_FACESIZE);
  pikko::win::ScopedFont font(::CreateFontIndirectA(&lf));
  pikko::win::ScopedSelect select(dc.Get(), font.Get());
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc.Get(), &tm);
  // Two characters side by side show what one character adds.
  const int overhang = Extent(dc.Get(), "a") + Extent(dc.Get(), "b") - Extent(dc.Get(), "ab");
  RECT r{0, 0, 1000, 0};
  ::DrawTextA(dc.Get(), "x", 1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  std::printf("    {\"%s\", %d, %s, %ld, %d, {", face.name.c_str(), face.height,
              face.bold ? "true" : "false", static_cast<long>(r.bottom - r.top), overhang);
  for (int c = 0x20; c <= 0xFF; ++c) {
    if ((c - 0x20) % 16 == 0) std::printf("\n        ");
    const std::string s(1, static_cast<char>(c));
    std::printf("%d,", Extent(dc.Get(), s) - overhang);
  }
  std::printf("}},\n");
}

}  // namespace

int main() {
  PrintTable(pikko::disccheck::RowFont());
  PrintTable(pikko::disccheck::DescriptionFont());
  return 0;
}
