// What a screen reader finds in the menu: the real Pikko.exe on the demo
// disc, asked from this (another) process through AccessibleObjectFromWindow,
// walked with AccessibleChildren as screen readers walk it; and in this
// process, the events the keyboard raises.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "app/AccessibleTree_win.h"
#include "app/MenuConfig.h"
#include "demo/DemoDisc.h"
#include "platform/ScopedWin.h"
#include "tests/win/AccessibleChild.h"
#include "tests/win/ChildProcess.h"
#include "tests/win/FormHarness.h"
#include "tests/win/WinTestSupport.h"

namespace pikko::testing {
namespace {

std::wstring Wide(const std::string& s) {
  std::wstring out(s.size(), L'\0');
  const int n = ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(),
                                      static_cast<int>(out.size()));
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::wstring Take(BSTR b) {
  std::wstring s = b ? std::wstring(b, ::SysStringLen(b)) : std::wstring();
  ::SysFreeString(b);
  return s;
}

struct Element {
  long role = 0;
  std::wstring name, description;
  long state = 0;
  long parentRole = 0;  // the role of the object it was found in
};

Element Describe(IAccessible* object, long id, long parentRole) {
  Element e;
  e.parentRole = parentRole;
  const VARIANT child = AccessibleChild(id);
  VARIANT v;
  ::VariantInit(&v);
  if (object->get_accRole(child, &v) == S_OK && v.vt == VT_I4) e.role = v.lVal;
  ::VariantInit(&v);
  if (object->get_accState(child, &v) == S_OK && v.vt == VT_I4) e.state = v.lVal;
  BSTR text = nullptr;
  if (SUCCEEDED(object->get_accName(child, &text))) e.name = Take(text);
  text = nullptr;
  if (SUCCEEDED(object->get_accDescription(child, &text))) e.description = Take(text);
  return e;
}

// Every element below object, depth first, as AccessibleChildren gives them.
void Walk(IAccessible* object, long role, std::vector<Element>& out, int depth = 0) {
  ASSERT_LT(depth, 4) << "the tree is shallow";
  long count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  long got = 0;
  if (count) {
    ASSERT_TRUE(SUCCEEDED(::AccessibleChildren(object, 0, count, children.data(), &got)));
  }
  ASSERT_EQ(got, count);
  for (VARIANT& c : children) {
    if (c.vt == VT_DISPATCH) {
      win::ComPtr<IAccessible> inner;
      ASSERT_EQ(c.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(inner.Put())),
                S_OK);
      const Element e = Describe(inner.Get(), CHILDID_SELF, role);
      out.push_back(e);
      Walk(inner.Get(), e.role, out, depth + 1);
    } else {
      ASSERT_EQ(c.vt, VT_I4);
      out.push_back(Describe(object, c.lVal, role));
    }
    ::VariantClear(&c);
  }
}

std::vector<std::wstring> NamesOf(const std::vector<Element>& tree, long role) {
  std::vector<std::wstring> names;
  for (const Element& e : tree) {
    if (e.role == role) names.push_back(e.name);
  }
  return names;
}

const Element* Find(const std::vector<Element>& tree, long role, const std::wstring& name) {
  for (const Element& e : tree) {
    if (e.role == role && e.name == name) return &e;
  }
  return nullptr;
}

// What a tab of the demo disc must show: its rows and its batch install.
struct DemoTab {
  int tab;
  std::vector<std::wstring> rows, descriptions;
  std::wstring fullkit;
  bool nextPage;
  bool advertisement;  // the page with "Install Now" lies over the rows
};

// withAds: the demo disc as laid out, whose first tab is an advertisement.
DemoTab Expected(int tab, bool withAds) {
  DemoTab t{tab, {}, {}, {}, false, withAds && tab == 0};
  int listed = 0;
  for (const demo::DemoItem& item : demo::DemoItems()) {
    if (item.tab != tab || item.hidden) continue;
    if (item.fullkit) {
      t.fullkit = Wide(ExpandLineBreaks(item.description));
      continue;
    }
    if (t.advertisement) continue;
    if (++listed > 10) {
      t.nextPage = true;
      continue;
    }
    t.rows.push_back(Wide(item.title));
    t.descriptions.push_back(Wide(ExpandLineBreaks(item.description)));
  }
  return t;
}

void CheckTab(const std::vector<Element>& tree, const DemoTab& want) {
  const char* captions[] = {"Drivers", "Utilities", "Software", "Manuals", "Contact", "Home"};
  const std::vector<std::wstring> tabs = NamesOf(tree, ROLE_SYSTEM_PAGETAB);
  ASSERT_EQ(tabs.size(), std::size(captions));
  for (std::size_t t = 0; t < tabs.size(); ++t) {
    EXPECT_EQ(tabs[t], Wide(captions[t]));
    const Element* e = Find(tree, ROLE_SYSTEM_PAGETAB, tabs[t]);
    EXPECT_EQ(e->parentRole, ROLE_SYSTEM_PAGETABLIST);
    EXPECT_EQ((e->state & STATE_SYSTEM_SELECTED) != 0, static_cast<int>(t) == want.tab) << t;
  }
  EXPECT_EQ(NamesOf(tree, ROLE_SYSTEM_LISTITEM), want.rows) << want.tab;
  for (std::size_t r = 0; r < want.rows.size(); ++r) {
    const Element* e = Find(tree, ROLE_SYSTEM_LISTITEM, want.rows[r]);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->parentRole, ROLE_SYSTEM_LIST);
    EXPECT_EQ(e->description, want.descriptions[r]);
  }
  std::vector<std::wstring> buttons = {want.fullkit};
  const char* side[] = {"View a report of this computer's hardware.", "Browse the contents of this disc.",
                        "Read how to reach our technical support.", "See the list of files on this disc.",
                        "Open the help of this disc."};
  for (const char* s : side) buttons.push_back(Wide(s));
  if (want.nextPage) buttons.push_back(L"Next page");
  if (want.advertisement) buttons.push_back(L"Install Now");
  buttons.push_back(L"Minimize the window");
  buttons.push_back(L"Close this application");
  // The rows' manual buttons name the item in their description.
  std::vector<std::wstring> found;
  for (const Element& e : tree) {
    if (e.role != ROLE_SYSTEM_PUSHBUTTON) continue;
    if (e.name != L"Open the instruction manual") {
      found.push_back(e.name);
      continue;
    }
    EXPECT_NE(std::find(want.rows.begin(), want.rows.end(), e.description), want.rows.end())
        << "a manual button of a row on show";
  }
  EXPECT_EQ(found, buttons) << want.tab;
  const std::vector<std::wstring> texts = NamesOf(tree, ROLE_SYSTEM_STATICTEXT);
  ASSERT_EQ(texts.size(), 1u) << "the description panel";
  EXPECT_NE(texts[0].find(L"Welcome to the support disc"), std::wstring::npos);
  // The list is named by its tab.
  const std::vector<std::wstring> lists = NamesOf(tree, ROLE_SYSTEM_LIST);
  ASSERT_EQ(lists.size(), want.rows.empty() ? 0u : 1u);
}

// Waits until the element's state has the bits, asking again and again (the
// program runs the action when its own loop gets to it).
bool WaitForState(IAccessible* object, long id, long bits) {
  for (int i = 0; i < 100; ++i) {
    VARIANT v;
    ::VariantInit(&v);
    if (object->get_accState(AccessibleChild(id), &v) == S_OK && v.vt == VT_I4 && (v.lVal & bits) == bits)
      return true;
    ::Sleep(50);
  }
  return false;
}

TEST(AccessibleTree, AnotherProcessFindsEveryTabRowAndButtonOfTheFirstTwoTabs) {
  testing::EnsurePlatformRecord();
  // The pointer away from where the window comes: a row under it would be
  // hovered and show its own description (a test before may leave it there).
  ::SetCursorPos(0, 0);
  const std::string folder = BuildPath("demo-disc/AUTORUN") + "\\";
  const testing::ChildProcess menu = testing::StartChild(folder + "Pikko.exe", "debug", folder);
  ASSERT_TRUE(menu.process);
  const std::vector<HWND> windows = testing::WaitForWindowsOf(menu.id, "TZkAutorunForm", 20000);
  ASSERT_FALSE(windows.empty()) << "the menu's window";
  HWND const window = windows.front();

  win::ComInit com;
  win::ComPtr<IAccessible> client;
  ASSERT_EQ(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                         IID_IAccessible, reinterpret_cast<void**>(client.Put())),
            S_OK);
  Element root = Describe(client.Get(), CHILDID_SELF, 0);
  EXPECT_EQ(root.role, ROLE_SYSTEM_CLIENT);
  EXPECT_EQ(root.name, L"Motherboard Support Disc");

  // The demo starts on its home tab; a screen reader's default action on a
  // tab switches to it as a click does.
  for (int tab : {0, 1}) {
    VARIANT tabList = AccessibleChild(AccessibleTree::kTabList);
    win::ComPtr<IDispatch> listDispatch;
    ASSERT_EQ(client->get_accChild(tabList, listDispatch.Put()), S_OK);
    win::ComPtr<IAccessible> list;
    ASSERT_EQ(listDispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(list.Put())), S_OK);
    ASSERT_EQ(list->accDoDefaultAction(AccessibleChild(AccessibleTree::TabId(tab))), S_OK);
    ASSERT_TRUE(WaitForState(list.Get(), AccessibleTree::TabId(tab), STATE_SYSTEM_SELECTED)) << tab;
    std::vector<Element> tree;
    Walk(client.Get(), ROLE_SYSTEM_CLIENT, tree);
    CheckTab(tree, Expected(tab, true));
  }
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(menu.process.Get(), 10000), WAIT_OBJECT_0);
}

// Without the advertisement the first tab lists its drivers; the same walk
// in this process (the window answers its own thread as it answers others).
TEST(AccessibleTree, DriversTabListsItsRowsWithDescriptions) {
  FormHarness h;
  demo::TestDiscOptions options;
  options.promotion = true;
  h.Disc(demo::DemoMenuIni(), options);
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  f.imgTitle0Click(*f.TabImages[0]);
  h.Pump();
  win::ComPtr<IAccessible> client;
  ASSERT_EQ(::AccessibleObjectFromWindow(f.Handle(), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void**>(client.Put())),
            S_OK);
  std::vector<Element> tree;
  Walk(client.Get(), ROLE_SYSTEM_CLIENT, tree);
  CheckTab(tree, Expected(0, false));
  // The second page: the rest of the drivers, and the way back.
  f.ImgNextClick(*f.zkbNext);
  tree.clear();
  Walk(client.Get(), ROLE_SYSTEM_CLIENT, tree);
  EXPECT_EQ(NamesOf(tree, ROLE_SYSTEM_LISTITEM),
            (std::vector<std::wstring>{L"Card Reader Driver", L"Serial IO Driver",
                                       L"Trusted Platform Module Driver"}));
  EXPECT_TRUE(Find(tree, ROLE_SYSTEM_PUSHBUTTON, L"Previous page"));
  EXPECT_FALSE(Find(tree, ROLE_SYSTEM_PUSHBUTTON, L"Next page"));
  // A screen reader's default action on a row starts it as a click does.
  win::ComPtr<IDispatch> listDispatch;
  ASSERT_EQ(client->get_accChild(AccessibleChild(AccessibleTree::kItemList), listDispatch.Put()), S_OK);
  win::ComPtr<IAccessible> list;
  ASSERT_EQ(listDispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(list.Put())), S_OK);
  ASSERT_EQ(list->accDoDefaultAction(AccessibleChild(AccessibleTree::RowId(2))), S_OK);
  h.Pump();
  ASSERT_EQ(h.shell.calls.size(), 1u);
  EXPECT_NE(h.shell.calls[0].file.find("TPM\\Setup.exe"), std::string::npos);
  EXPECT_EQ(list->accDoDefaultAction(AccessibleChild(AccessibleTree::RowId(5))), E_INVALIDARG)
      << "a row not on show";
  // Once the window has gone, a client still holding an object is told so.
  h.form.reset();
  long count = 0;
  EXPECT_TRUE(FAILED(client->get_accChildCount(&count)));
}

// The events a screen reader follows, and what it reads from them.
struct Heard {
  DWORD event;
  std::wstring name;
};
std::vector<Heard>* g_heard = nullptr;

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (!g_heard || object != OBJID_CLIENT) return;
  char cls[64] = {};
  ::GetClassNameA(hwnd, cls, static_cast<int>(std::size(cls)));
  if (std::string(cls) != "TZkAutorunForm") return;
  win::ComPtr<IAccessible> source;
  VARIANT id;
  ::VariantInit(&id);
  if (::AccessibleObjectFromEvent(hwnd, object, child, source.Put(), &id) != S_OK) return;
  BSTR name = nullptr;
  source->get_accName(id, &name);
  g_heard->push_back({event, Take(name)});
}

TEST(AccessibleTree, KeyboardMovesAreHeardWithTheirNames) {
  FormHarness h;
  demo::TestDiscOptions options;
  options.promotion = true;
  h.Disc(demo::DemoMenuIni(), options);
  h.Start();
  ASSERT_TRUE(h.WindowShown());
  std::vector<Heard> heard;
  g_heard = &heard;
  const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr,
                                               &Listen, 0, 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(hook);
  struct Case {
    UINT key;
    bool ctrl;
    DWORD event;
    const wchar_t* name;
  } cases[] = {
      {VK_TAB, true, EVENT_OBJECT_FOCUS, L"Drivers"},
      {VK_DOWN, false, EVENT_OBJECT_FOCUS, L"Chipset Driver"},
      {VK_RIGHT, false, EVENT_OBJECT_SELECTION, L"Utilities"},
      {VK_END, false, EVENT_OBJECT_FOCUS, L"Network Priority Manager"},
      {VK_TAB, false, EVENT_OBJECT_FOCUS, L"Installs every utility of this disc in one go."},
  };
  for (const Case& c : cases) {
    heard.clear();
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = c.ctrl ? 0x80 : 0;
    ::SetKeyboardState(state);
    HWND target = ::GetFocus();
    if (!target || (target != h.form->Handle() && !::IsChild(h.form->Handle(), target)))
      target = h.form->Handle();
    ::PostMessageA(target, WM_KEYDOWN, c.key, 1);
    h.Pump(100);
    state[VK_CONTROL] = 0;
    ::SetKeyboardState(state);
    bool found = false;
    for (const Heard& e : heard) found = found || (e.event == c.event && e.name == c.name);
    EXPECT_TRUE(found) << "key " << c.key << ": " << heard.size() << " events";
  }
  ::UnhookWinEvent(hook);
  g_heard = nullptr;
}

}  // namespace
}  // namespace pikko::testing
