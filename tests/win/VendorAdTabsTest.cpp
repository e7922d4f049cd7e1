// The vendor advertisement tabs in the real window: an advertisement tab
// shows its page with "Install Now", which starts the tab's first item; a
// hovered item shows its own page; missing pictures end the start.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/FormHarness.h"

namespace pikko::testing {
namespace {

// Tab 0 is the advertisement tab of the demo's advertisement file; tab 1
// has an item with a page of its own.
std::string AdMenu() {
  return MenuIni(3, {0, 0, 1}) + "(1)Run=Setup.exe\r\n(1)Path=..\\Drivers\\Chipset\r\n"
         "(3)AD=VendorAD\\item.htm\r\n";
}

TEST(VendorAdTabs, AdvertisementTabAndItsInstallButton) {
  FormHarness h;
  demo::TestDiscOptions options;
  options.vendorAds = true;
  h.Disc(AdMenu(), options);
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  EXPECT_TRUE(f.VendorAdMode);
  ASSERT_EQ(f.AdPages.size(), 1u);
  EXPECT_EQ(f.SelectedTab, 0);
  EXPECT_TRUE(f.plAD->Visible());
  EXPECT_TRUE(f.plADUp->Visible());
  EXPECT_FALSE(f.ItemRows[0]->Visible()) << "the page replaces the item list";
  EXPECT_FALSE(f.zkbADInstall->IsBitmapEmpty(0));

  h.Click(*f.zkbADInstall);
  ASSERT_EQ(h.shell.calls.size(), 1u);
  EXPECT_NE(h.shell.calls[0].file.find("Drivers\\Chipset\\Setup.exe"), std::string::npos)
      << h.shell.calls[0].file;

  // Another tab lists its items; hovering the one with a page shows it.
  h.Click(*f.TabCaptions[1]);
  EXPECT_FALSE(f.plAD->Visible());
  EXPECT_TRUE(f.sExplain->Visible());
  h.Move(*f.ItemRows[0]);
  EXPECT_TRUE(f.plItemAD->Visible());
  h.Click(*f.TabCaptions[0]);
  EXPECT_FALSE(f.plItemAD->Visible()) << "every tab switch hides the item's page";
}

TEST(VendorAdTabs, InstallNowOnATabWithoutItems) {
  FormHarness h;
  demo::TestDiscOptions options;
  options.vendorAds = true;
  h.Disc(MenuIni(2, {1}), options);
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  h.Click(*f.zkbADInstall);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "Does not support this OS.");
  EXPECT_EQ(h.messages.shown[0].caption, "Setup");
  EXPECT_EQ(h.messages.shown[0].style & 0xF0, mb::IconError);
  EXPECT_TRUE(h.shell.calls.empty());
}

TEST(VendorAdTabs, AMissingInstallPictureEndsTheStart) {
  FormHarness h;
  demo::TestDiscOptions options;
  options.vendorAds = true;
  h.Disc(AdMenu(), options);
  ::DeleteFileA((h.ProgramFolder() + "VendorAD\\install_d.bmp").c_str());
  h.Start();
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_NE(h.messages.shown[0].text.find("install_d.bmp"), std::string::npos);
  EXPECT_TRUE(Application::Instance().Terminated());
  EXPECT_FALSE(h.WindowShown());
}

}  // namespace
}  // namespace pikko::testing
