// The preview's driver: starts a disc as a user's system does (the program
// autorun.inf names, in the disc's root), waits for the menu, visits every
// tab, every page of items and every promotion page through the menu's
// accessible tree, and saves one PNG a view. Message boxes are views too:
// each is saved, its text noted, and it is answered with OK.
//
//   PreviewDriver.exe <disc root> <out folder> <name> [<Windows>]
//
// <Windows>: the version Wine reports to the programs it starts from now on
// (winxp64, vista, win7, win10 ...), set before the disc starts.
//
// writes <out>\<name>-<k>.png and <out>\<name>.tsv, one line a view:
//   view <TAB> file <TAB> tab index <TAB> tab caption <TAB> page <TAB> rows (| between)
//        <TAB> each row's place in the picture, x,y,width,height (| between)
//   listed <TAB> tab index <TAB> title <TAB> 1 for a tab's Fullkit item, else 0
//   message <TAB> file <TAB> text
//   status <TAB> shown | not started <TAB> why
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "demo/Png.h"
#include "platform/ScopedWin.h"
#include "tests/win/AccessibleChild.h"
#include "tests/win/ChildProcess.h"
#include "tests/win/ScreenCapture.h"

namespace {

using namespace pikko;
using pikko::testing::AccessibleChild;

// The ids the menu's accessible tree gives its elements.
constexpr long kTabList = 1, kItemList = 2;
constexpr long kNextPage = 316, kPromotionNext = 321;
constexpr DWORD kStartTimeoutMs = 40000;

struct Sheet {
  std::string folder, name;
  std::ofstream tsv;
  int views = 0;
};

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

// Tabs and line ends would break the notes' lines.
std::string OneLine(std::string s) {
  for (char& c : s)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return s;
}

// The bytes of a 24-bit capture, row after row.
std::string BytesOf(Bitmap& shot) {
  std::string bytes;
  const std::size_t row = static_cast<std::size_t>(shot.Width()) * 3;
  for (int y = 0; y < shot.Height(); ++y)
    bytes.append(reinterpret_cast<const char*>(shot.ScanLine(y)), row);
  return bytes;
}

// The screen inside r, once it has stopped changing (painted): two captures
// a short while apart that agree, or the last one after a bound.
demo::RgbaImage SettledPicture(const RECT& r) {
  Bitmap shot = testing::CaptureScreen(r);
  std::string before = BytesOf(shot);
  for (int tries = 0; tries < 20; ++tries) {
    ::Sleep(80);
    shot = testing::CaptureScreen(r);
    std::string now = BytesOf(shot);
    if (now == before) break;
    before = std::move(now);
  }
  demo::RgbaImage image(shot.Width(), shot.Height());
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const TColor c = shot.Pixel(x, y);
      image.Set(x, y, {GetRValue(c), GetGValue(c), GetBValue(c), 255});
    }
  return image;
}

// The screen inside r as a PNG file; its name, empty when it cannot be written.
std::string SaveView(Sheet& sheet, const RECT& r) {
  const std::string file = sheet.name + "-" + std::to_string(++sheet.views) + ".png";
  const std::string png = demo::EncodePng(SettledPicture(r));
  std::ofstream out(sheet.folder + "\\" + file, std::ios::binary);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  return out ? file : std::string();
}

// Every message box on the desktop: saved, noted and answered.
bool AnswerMessages(Sheet& sheet) {
  bool any = false;
  for (HWND box = ::FindWindowA("#32770", nullptr); box; box = ::FindWindowA("#32770", nullptr)) {
    if (!::IsWindowVisible(box)) break;
    any = true;
    RECT r;
    ::GetWindowRect(box, &r);
    char text[2048] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, static_cast<int>(std::size(text)));
    char caption[256] = {};
    ::GetWindowTextA(box, caption, static_cast<int>(std::size(caption)));
    sheet.tsv << "message\t" << SaveView(sheet, r) << "\t" << OneLine(caption) << ": "
              << OneLine(text) << "\n";
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 50 && ::IsWindow(box) && ::IsWindowVisible(box); ++i) ::Sleep(20);
  }
  return any;
}

// The ids of an object's children (the containers' own ids are known).
std::vector<long> ChildIds(IAccessible* object) {
  long count = 0;
  std::vector<long> ids;
  if (object->get_accChildCount(&count) != S_OK || count <= 0) return ids;
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  long got = 0;
  if (FAILED(::AccessibleChildren(object, 0, count, children.data(), &got))) return ids;
  for (long i = 0; i < got; ++i) {
    if (children[i].vt == VT_I4) ids.push_back(children[i].lVal);
    // The two lists come as objects of their own, known by their role.
    win::ComPtr<IAccessible> inner;
    if (children[i].vt == VT_DISPATCH && children[i].pdispVal &&
        children[i].pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(inner.Put())) == S_OK) {
      VARIANT role;
      ::VariantInit(&role);
      if (inner->get_accRole(AccessibleChild(CHILDID_SELF), &role) == S_OK && role.vt == VT_I4) {
        if (role.lVal == ROLE_SYSTEM_PAGETABLIST) ids.push_back(kTabList);
        if (role.lVal == ROLE_SYSTEM_LIST) ids.push_back(kItemList);
      }
    }
    ::VariantClear(&children[i]);
  }
  return ids;
}

win::ComPtr<IAccessible> Container(IAccessible* client, long id) {
  win::ComPtr<IDispatch> dispatch;
  win::ComPtr<IAccessible> object;
  if (client->get_accChild(AccessibleChild(id), dispatch.Put()) == S_OK && dispatch)
    dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(object.Put()));
  return object;
}

std::string NameOf(IAccessible* object, long id) {
  BSTR text = nullptr;
  std::wstring name;
  if (SUCCEEDED(object->get_accName(AccessibleChild(id), &text)) && text) name.assign(text, ::SysStringLen(text));
  ::SysFreeString(text);
  return Narrow(name);
}

long StateOf(IAccessible* object, long id) {
  VARIANT v;
  ::VariantInit(&v);
  return object->get_accState(AccessibleChild(id), &v) == S_OK && v.vt == VT_I4 ? v.lVal : 0;
}

bool Has(const std::vector<long>& ids, long id) {
  for (long i : ids)
    if (i == id) return true;
  return false;
}

// What the window shows now: a picture, the rows on show and where each
// row lies in the picture (x,y,width,height).
void NoteView(Sheet& sheet, HWND window, IAccessible* client, int tab, const std::string& caption,
              const std::string& page) {
  RECT r;
  ::GetWindowRect(window, &r);
  const std::string file = SaveView(sheet, r);
  std::string rows, places;
  if (Has(ChildIds(client), kItemList))
    if (const auto list = Container(client, kItemList))
      for (long id : ChildIds(list.Get())) {
        long x = 0, y = 0, w = 0, h = 0;
        if (list->accLocation(&x, &y, &w, &h, AccessibleChild(id)) != S_OK) x = y = w = h = 0;
        rows += (rows.empty() ? "" : "|") + OneLine(NameOf(list.Get(), id));
        places += (places.empty() ? "" : "|") + std::to_string(x - r.left) + "," +
                  std::to_string(y - r.top) + "," + std::to_string(w) + "," + std::to_string(h);
      }
  sheet.tsv << "view\t" << file << "\t" << tab << "\t" << OneLine(caption) << "\t" << page << "\t"
            << rows << "\t" << places << "\n";
}

// The items the companion listed for this system in the menu configuration
// file, whether or not a view shows them (an advertisement tab hides its
// rows); a tab's Fullkit item is its "Install All" button, not a row.
void NoteListed(Sheet& sheet, const std::string& file) {
  const char* path = file.c_str();
  const int count = static_cast<int>(::GetPrivateProfileIntA("SETUP_ITEM", "ItemNumber", 0, path));
  for (int n = 1; n <= count && n <= 1000; ++n) {
    const std::string key = "(" + std::to_string(n) + ")";
    char title[512] = {};
    ::GetPrivateProfileStringA("SETUP_ITEM", (key + "Title").c_str(), "", title,
                               static_cast<DWORD>(std::size(title)), path);
    const int tab = static_cast<int>(
        ::GetPrivateProfileIntA("SETUP_ITEM", (key + "Tab").c_str(), -1, path));
    const int fullkit = static_cast<int>(
        ::GetPrivateProfileIntA("SETUP_ITEM", (key + "IsZekaFullkit").c_str(), 0, path));
    sheet.tsv << "listed\t" << tab << "\t" << OneLine(title) << "\t" << (fullkit == 1 ? 1 : 0) << "\n";
  }
}

// Presses an element and waits for the menu's loop to have run it.
void Press(IAccessible* object, long id) {
  object->accDoDefaultAction(AccessibleChild(id));
  ::Sleep(40);
}

void VisitMenu(Sheet& sheet, HWND window, IAccessible* client) {
  const auto tabs = Container(client, kTabList);
  if (!tabs) return;
  const std::vector<long> tabIds = ChildIds(tabs.Get());
  for (std::size_t t = 0; t < tabIds.size(); ++t) {
    const long id = tabIds[t];
    const std::string caption = NameOf(tabs.Get(), id);
    Press(tabs.Get(), id);
    for (int i = 0; i < 40 && !(StateOf(tabs.Get(), id) & STATE_SYSTEM_SELECTED); ++i) ::Sleep(25);
    AnswerMessages(sheet);
    NoteView(sheet, window, client, static_cast<int>(t), caption, "1");
    // The pages of items, then the promotion's pages (a bound against a
    // menu whose button never goes away).
    for (int page = 2; page <= 50 && Has(ChildIds(client), kNextPage); ++page) {
      Press(client, kNextPage);
      NoteView(sheet, window, client, static_cast<int>(t), caption, std::to_string(page));
    }
    for (int page = 2; page <= 50; ++page) {
      const std::vector<long> now = ChildIds(client);
      if (!Has(now, kPromotionNext) || (StateOf(client, kPromotionNext) & STATE_SYSTEM_UNAVAILABLE)) break;
      Press(client, kPromotionNext);
      NoteView(sheet, window, client, static_cast<int>(t), caption, "promotion " + std::to_string(page));
    }
    AnswerMessages(sheet);
  }
}

// The program autorun.inf starts, relative to the disc's root.
std::string AutorunProgram(const std::string& root) {
  char open[MAX_PATH] = {};
  ::GetPrivateProfileStringA("autorun", "open", "", open, MAX_PATH, (root + "\\autorun.inf").c_str());
  return open;
}

}  // namespace

// Wine reads the version it reports from here when a program starts.
bool ReportWindows(const std::string& version) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG set = ::RegSetValueExA(key, "Version", 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(version.c_str()),
                                    static_cast<DWORD>(version.size() + 1));
  ::RegCloseKey(key);
  return set == ERROR_SUCCESS;
}

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: PreviewDriver <disc root> <out folder> <name> [<Windows>]\n");
    return 2;
  }
  if (argc == 5 && !ReportWindows(argv[4])) {
    std::fprintf(stderr, "cannot set the Windows version %s\n", argv[4]);
    return 2;
  }
  Sheet sheet{argv[2], argv[3], {}, 0};
  sheet.tsv.open(sheet.folder + "\\" + sheet.name + ".tsv", std::ios::binary);
  if (!sheet.tsv) {
    std::fprintf(stderr, "cannot write into %s\n", argv[2]);
    return 2;
  }
  const std::string root = argv[1], open = AutorunProgram(root);
  if (open.empty()) {
    sheet.tsv << "status\tnot started\t" << root << "\\autorun.inf names no program (open=)\n";
    return 0;
  }
  // The file a companion wrote for an earlier system must not show here.
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  ::DeleteFileA((std::string(windows) + "\\Zkcd_tmp.ini").c_str());
  ::SetCursorPos(0, 0);  // no row is pointed at

  const std::string program = open.substr(0, open.find(' '));
  const std::string arguments = open.size() > program.size() ? open.substr(program.size() + 1) : "";
  testing::ChildProcess start = testing::StartChild(root + "\\" + program, arguments, root);
  if (!start.process) {
    sheet.tsv << "status\tnot started\tcannot start " << OneLine(open) << "\n";
    return 0;
  }
  win::ComInit com;
  HWND window = nullptr;
  win::ComPtr<IAccessible> client;
  DWORD quiet = 0;  // how long nothing has been on show after the start ended
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 50) {
    const bool answered = AnswerMessages(sheet);
    window = ::FindWindowA("TZkAutorunForm", nullptr);
    if (window && ::IsWindowVisible(window)) {
      if (!client)
        ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                     reinterpret_cast<void**>(client.Put()));
      // Loaded once the tabs are on show (the waiting look has none).
      if (client && Has(ChildIds(client.Get()), kTabList)) break;
    }
    const bool ended = ::WaitForSingleObject(start.process.Get(), 0) == WAIT_OBJECT_0;
    quiet = (ended && !window && !answered) ? quiet + 50 : 0;
    if (quiet >= 2000) break;
    ::Sleep(50);
  }
  if (!client || !window || !Has(ChildIds(client.Get()), kTabList)) {
    DWORD code = 0;
    ::GetExitCodeProcess(start.process.Get(), &code);
    sheet.tsv << "status\tnot started\tno menu came up (" << OneLine(open) << " ended with code "
              << code << ")\n";
    if (window) ::PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  NoteListed(sheet, std::string(windows) + "\\Zkcd_tmp.ini");
  VisitMenu(sheet, window, client.Get());
  sheet.tsv << "status\tshown\t\n";
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  const win::ScopedHandle menu(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid));
  client.Reset();
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  if (menu && ::WaitForSingleObject(menu.Get(), 5000) != WAIT_OBJECT_0) ::TerminateProcess(menu.Get(), 1);
  return 0;
}
