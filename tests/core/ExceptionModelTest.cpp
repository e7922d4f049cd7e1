#include "actions/ExceptionModel.h"

#include <gtest/gtest.h>

#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

TEST(IsExceptionModel, Table) {
  struct Case {
    const char* what;
    const char* file;  // nullptr: no ExceptionModel.ini
    const char* product;
    const char* maker;
    bool expected;
  };
  const char* list = "[Intel]\nNum=2\nModel1=Z77X\nModel2=H61M\n[AMD]\nNum=1\nModel1=A88X\n";
  const Case cases[] = {
      {"listed", list, "H61M", "Intel", true},
      {"listed under another maker", list, "A88X", "Intel", false},
      {"case counts", list, "z77x", "Intel", false},
      {"maker section in other case", list, "Z77X", "INTEL", true},
      {"not listed", list, "B75", "Intel", false},
      {"no file", nullptr, "Z77X", "Intel", false},
      {"Num missing", "[Intel]\nModel1=Z77X\n", "Z77X", "Intel", false},
      {"Num not a number", "[Intel]\nNum=two\nModel1=Z77X\n", "Z77X", "Intel", false},
      {"Num negative", "[Intel]\nNum=-1\nModel1=Z77X\n", "Z77X", "Intel", false},
      {"first model key missing", "[Intel]\nNum=2\nModel2=Z77X\n", "Z77X", "Intel", true},
      {"beyond Num", "[Intel]\nNum=1\nModel1=A\nModel2=Z77X\n", "Z77X", "Intel", false},
      {"hex Num", "[Intel]\nNum=0x2\nModel2=Z77X\n", "Z77X", "Intel", true},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem sys;
    if (c.file) sys.files.AddFile("D:\\AUTORUN\\ExceptionModel.ini", c.file);
    EXPECT_EQ(IsExceptionModel("D:\\AUTORUN\\", c.product, c.maker), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace pikko
