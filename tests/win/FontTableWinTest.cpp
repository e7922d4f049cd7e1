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
  std::vector<std::string> titles = {"", "x", "Chipset Driver", "W W W", "caf\xE9 na\xEFve",
                                     std::string(60, 'm')};
  std::vector<std::string> descriptions;
  for (const demo::DemoItem& item : demo::DemoItems()) {
    titles.push_back(item.title);
    descriptions.push_back(ExpandLineBreaks(item.description));
  }
  // What the checker measures: a title's width in the row and, unfolded, in
  // two lines of the row's 300 pixels; a description in the 253-pixel panel;
  // a tab caption in its 95-pixel label.
  for (const std::string& title : titles) {
    EXPECT_EQ(table.Width(RowFont(), title), gdi->Width(RowFont(), title)) << title;
    EXPECT_EQ(table.WrappedHeight(RowFont(), title, 300), gdi->WrappedHeight(RowFont(), title, 300))
        << title;
  }
  for (const std::string& text : descriptions)
    EXPECT_EQ(table.WrappedHeight(DescriptionFont(), text, 253),
              gdi->WrappedHeight(DescriptionFont(), text, 253))
        << text;
  for (const char* caption : {"Drivers", "Utilities", "Software", "Manuals", "Contact",
                              "Drivers and Utilities", "Vendor Software Suite"})
    EXPECT_EQ(table.WrappedHeight(TabCaptionFont(), caption, 95),
              gdi->WrappedHeight(TabCaptionFont(), caption, 95))
        << caption;
}

}  // namespace
}  // namespace pikko::disccheck
