// The menu file read once: while a snapshot lives, its file is answered
// from memory exactly as key-by-key reads answer it, other files as before,
// and the port in force comes back afterwards.
#include "platform/IniSnapshot.h"

#include <gtest/gtest.h>

#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

const char kMenu[] =
    "[SETUP_ITEM]\r\n(1)Title=First\r\n(1)title=shadowed\r\nQuoted=\"a b\"\r\n"
    "[setup_item]\r\n(2)Title=second section of the name is never read\r\n"
    "[TABS_INFO]\r\nNUM=2\r\n;comment=1\r\n";

TEST(IniSnapshot, AnswersLikeTheFileAndRestoresThePort) {
  fakes::FakeSystem sys;
  sys.files.AddFile("D:\\menu.ini", kMenu);
  sys.files.AddFile("D:\\other.ini", "[A]\r\nB=c\r\n");
  struct Read {
    const char *file, *section, *key, *def;
  } reads[] = {
      {"D:\\menu.ini", "SETUP_ITEM", "(1)Title", "-"}, {"D:\\menu.ini", "setup_item", "(1)TITLE", "-"},
      {"D:\\menu.ini", "SETUP_ITEM", "(2)Title", "No Title"}, {"D:\\menu.ini", "SETUP_ITEM", "Quoted", ""},
      {"D:\\MENU.INI", "TABS_INFO", "NUM", "0"},           {"D:\\menu.ini", "TABS_INFO", ";comment", "x"},
      {"D:\\menu.ini", "NOPE", "NUM", "dflt  "},           {"D:\\other.ini", "A", "B", ""},
      {"D:\\absent.ini", "A", "B", "def"},
  };
  std::vector<std::string> plain;
  for (const Read& r : reads) plain.push_back(Ini().ReadString(r.file, r.section, r.key, r.def));
  const int readsBefore = sys.files.iniReads;
  IniPort* before = CurrentPorts().ini;
  {
    ScopedIniSnapshot snapshot("D:\\menu.ini");
    EXPECT_TRUE(snapshot.Active());
    for (std::size_t i = 0; i < std::size(reads); ++i) {
      const Read& r = reads[i];
      EXPECT_EQ(Ini().ReadString(r.file, r.section, r.key, r.def), plain[i]) << r.key;
    }
    EXPECT_EQ(Ini().KeyNames("D:\\menu.ini", "TABS_INFO"), sys.files.KeyNames("D:\\menu.ini", "TABS_INFO"));
    EXPECT_EQ(sys.files.iniReads - readsBefore, 3) << "only the other files reach the port";
  }
  EXPECT_EQ(CurrentPorts().ini, before);
}

TEST(IniSnapshot, FilesWithAByteOrderMarkAndMissingFiles) {
  fakes::FakeSystem sys;
  sys.files.AddFile("D:\\wide.ini", std::string("\xFF\xFE[\0A\0]\0", 8));
  {
    ScopedIniSnapshot snapshot("D:\\wide.ini");
    EXPECT_FALSE(snapshot.Active()) << "left to the port, which knows the encodings";
  }
  ScopedIniSnapshot missing("D:\\none.ini");
  EXPECT_TRUE(missing.Active());
  EXPECT_EQ(Ini().ReadString("D:\\none.ini", "A", "B", "default"), "default");
  EXPECT_TRUE(Ini().SectionNames("D:\\none.ini").empty());
}

}  // namespace
}  // namespace pikko
