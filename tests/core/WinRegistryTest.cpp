#include "Manual_Opener/WinRegistry.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Assert.h"
#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

class WinRegistryTest : public ::testing::Test {
 protected:
  fakes::FakeSystem sys;
  ThrowingAssertions throwing;
  reg::Key Root() { return sys.classes.ClassesRoot(); }

  std::vector<std::string> Names(const RegKeySet& set) {
    std::vector<std::string> names;
    for (const std::string& name : set) names.push_back(name);
    return names;
  }
  // The expression a failed check names.
  template <class F>
  std::string FailedCheck(F&& f) {
    try {
      f();
    } catch (const AssertionFailure& failure) {
      EXPECT_EQ(failure.unit, "WinRegistry");
      return failure.expression;
    }
    return "(no check failed)";
  }
};

TEST_F(WinRegistryTest, MissingKeyIsNotOpenAndHasAnEmptySet) {
  RegReader reader;
  EXPECT_FALSE(reader.Open(Root(), ".pdf\\OpenWithList"));
  EXPECT_FALSE(reader.IsOpen());
  const RegKeySet set(reader);
  EXPECT_EQ(set.size(), 0u);
  EXPECT_TRUE(set.empty());
  EXPECT_TRUE(set.begin() == set.end());
  EXPECT_EQ(sys.classes.OpenHandles(), 0);
}

TEST_F(WinRegistryTest, KeyWithoutSubkeysIsAnEmptyRange) {
  sys.classes.AddKey(".pdf\\OpenWithList");
  RegReader reader;
  ASSERT_TRUE(reader.Open(Root(), ".pdf\\OpenWithList"));
  const RegKeySet set(reader);
  EXPECT_TRUE(set.empty());
  EXPECT_TRUE(set.begin() == set.end());
}

TEST_F(WinRegistryTest, SubkeysComeInTheRegistrysOrderAndOpenWithoutRegardToCase) {
  for (const char* name : {"Zeta.exe", "alpha.exe", "Mid.exe"})
    sys.classes.AddKey(std::string("T\\") + name);
  RegReader reader;
  ASSERT_TRUE(reader.Open(Root(), "t"));
  const RegKeySet set(reader);
  EXPECT_EQ(set.size(), 3u);
  EXPECT_EQ(Names(set), (std::vector<std::string>{"Zeta.exe", "alpha.exe", "Mid.exe"}));
  RegKeyIterator it = set.begin();
  const RegKeyIterator before = it++;
  EXPECT_EQ(*before, "Zeta.exe");
  EXPECT_EQ(*it, "alpha.exe");
  for (unsigned access : sys.classes.accessRequested) EXPECT_EQ(access, 0x20019u);
}

TEST_F(WinRegistryTest, ReadStringTakesOnlyStringTypes) {
  struct Case {
    const char* what;
    unsigned type;
    std::string data;
    bool read;
    const char* text;
  };
  const std::string z(1, '\0');
  const Case cases[] = {
      {"plain", reg::TypeString, "open it" + z, true, "open it"},
      {"plain stored without its zero", reg::TypeString, "no zero", true, "no zero"},
      {"empty", reg::TypeString, z, true, ""},
      {"expandable, as stored", reg::TypeExpandString, "%ProgramFiles%\\r.exe" + z, true,
       "%ProgramFiles%\\r.exe"},
      {"multi-string: the first", reg::TypeMultiString, "one" + z + "two" + z + z, true, "one"},
      {"number", reg::TypeDword, std::string("\x01\x00\x00\x00", 4), false, "unchanged"},
      {"binary", reg::TypeBinary, "abc", false, "unchanged"},
  };
  for (const Case& c : cases) {
    sys.classes.SetValue("K", "", c.type, c.data);
    RegReader reader;
    ASSERT_TRUE(reader.Open(Root(), "K"));
    std::string out = "unchanged";
    EXPECT_EQ(reader.ReadString("", out), c.read) << c.what;
    EXPECT_EQ(out, c.text) << c.what;
  }
  RegReader reader;
  ASSERT_TRUE(reader.Open(Root(), "K"));
  std::string out = "unchanged";
  EXPECT_FALSE(reader.ReadString("missing", out));
  EXPECT_EQ(out, "unchanged");
}

TEST_F(WinRegistryTest, OwnedHandlesAreClosedAndAttachedOnesAreNot) {
  sys.classes.AddKey("A\\B");
  {
    RegReader reader;
    ASSERT_TRUE(reader.Open(Root(), "A"));
    EXPECT_EQ(sys.classes.OpenHandles(), 1);
  }
  EXPECT_EQ(sys.classes.OpenHandles(), 0);

  reg::Key key = nullptr;
  ASSERT_EQ(sys.classes.OpenKey(Root(), "A", reg::KeyRead, &key), reg::Success);
  {
    RegReader reader;
    reader.Attach(key);
    EXPECT_TRUE(reader.IsOpen());
    EXPECT_EQ(Names(RegKeySet(reader)), std::vector<std::string>{"B"});
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
  }
  EXPECT_EQ(sys.classes.OpenHandles(), 1);  // still the caller's
  EXPECT_EQ(sys.classes.CloseKey(key), reg::Success);
}

TEST_F(WinRegistryTest, ContractBreachesNameTheirExpression) {
  sys.classes.AddKey("A\\B");
  sys.classes.AddKey("C\\D");
  RegReader a, c;
  ASSERT_TRUE(a.Open(Root(), "A"));
  ASSERT_TRUE(c.Open(Root(), "C"));
  const RegKeySet setA(a), setC(c);
  EXPECT_EQ(FailedCheck([&] { a.Open(Root(), "C"); }), "!IsOpen()");
  EXPECT_EQ(FailedCheck([&] { a.Attach(Root()); }), "!IsOpen()");
  EXPECT_EQ(FailedCheck([&] {
              RegKeyIterator end = setA.end();
              ++end;
            }),
            "!IsDone()");
  EXPECT_EQ(FailedCheck([&] { (void)(setA.begin() == setC.begin()); }), "m_base == other.m_base");
  EXPECT_EQ(FailedCheck([&] { (void)RegKeyIterator().IsDone(); }), "m_base != NULL");
}

TEST_F(WinRegistryTest, AKeyThatCannotBeQueriedEnumeratesNothing) {
  sys.classes.AddKey("A\\B");
  sys.classes.failQueryInfo = true;
  RegReader reader;
  ASSERT_TRUE(reader.Open(Root(), "A"));
  ASSERT_NE(reader.SubKeys(), nullptr);
  EXPECT_EQ(reader.SubKeys()->BufferSize(), 0u);
  std::string name = "x";
  EXPECT_FALSE(reader.SubKeys()->NameAt(0, name));
  EXPECT_EQ(name, "");
  const RegKeySet set(reader);
  EXPECT_TRUE(set.empty());
  EXPECT_TRUE(set.begin() == set.end());
}

TEST_F(WinRegistryTest, ANameLongerThanTheBufferEndsTheEnumeration) {
  sys.classes.AddKey("A\\short");
  RegReader reader;
  ASSERT_TRUE(reader.Open(Root(), "A"));
  EXPECT_EQ(reader.SubKeys()->BufferSize(), 6u);  // the longest name and its zero
  // Added after the buffer was sized: it no longer fits, and the walk ends.
  sys.classes.AddKey("A\\a-much-longer-name");
  sys.classes.AddKey("A\\b");
  const RegKeySet set(reader);
  EXPECT_EQ(set.size(), 3u);
  EXPECT_EQ(Names(set), std::vector<std::string>{"short"});
}

}  // namespace
}  // namespace pikko
