// The committed width table of disccheck (FontWidths.cpp) against GDI here:
// widths of titles and heights of word-wrapped descriptions as the menu's
// labels lay them out. When it fails, the fonts changed: print the table
// anew with make_font_widths.exe.
#include <gtest/gtest.h>

#include <memory>

#include "app/MenuConfig.h"
#include "demo/DemoDisc.h"
#include "disccheck/TextMetrics.h"

namespace pikko::disccheck {
std::unique_ptr<TextMeasurer> MakeMeasurer();
namespace {

TEST(FontTable, AgreesWithGdi) {
  const std::unique_ptr<TextMeasurer> gdi = MakeMeasurer();
  const TableMeasurer table;
  std::vector<std::string> texts = {"", "x", "Chipset Driver", "W W W", "caf\xE9 na\xEFve",
                                    std::string(60, 'm'), "a  b\tc"};
  for (const demo::DemoItem& item : demo::DemoItems()) {
    texts.push_back(item.title);
    texts.push_back(ExpandLineBreaks(item.description));
  }
  for (const FontSpec& font : {RowFont(), DescriptionFont()}) {
    for (const std::string& text : texts) {
      EXPECT_EQ(table.Width(font, text), gdi->Width(font, text)) << text;
      for (int width : {95, 253, 300})
        EXPECT_EQ(table.WrappedHeight(font, text, width), gdi->WrappedHeight(font, text, width))
            << text << " in " << width;
    }
  }
}

}  // namespace
}  // namespace pikko::disccheck
