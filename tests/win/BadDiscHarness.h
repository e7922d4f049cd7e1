// The real menu window over a disc laid out wherever a test wants it (a
// folder with blanks, with characters of the system code page, near the
// longest path the system takes), with the Windows folder beside the disc,
// recorded message boxes and program starts. And the guards a test of
// damaged discs needs: a fault that the menu did not handle names the disc
// it happened on, a disc that keeps the menu busy too long ends the run with
// its name, and the disc's files are compared before and after.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Graphics/PngReader.h"
#include "Manual_Opener/Manualini.h"
#include "app/Autorun3_win.h"
#include "demo/DemoDisc.h"
#include "platform/ScopedWin.h"
#include "platform/Win32Ports.h"
#include "platform/fakes/FakeManualPorts.h"
#include "platform/fakes/FakePorts.h"
#include "tests/TempFolder.h"
#include "tests/win/WinTestSupport.h"
#include "tests/win/WindowFinder.h"
#include "toolkit/Application_win.h"

namespace pikko::testing {

namespace fs = std::filesystem;

// Where a disc sits below the test's temporary folder.
enum class DiscPlace { Plain, Blanks, CodePage, NearMaxPath, BeyondMaxPath };

// A folder name in the system code page that is not plain ASCII, or empty
// when this code page has none of the candidates.
inline std::string CodePageFolderName() {
  const wchar_t* candidates[] = {L"Treiber \u00C4\u00D6\u00DC \u00E9t\u00E9",
                                 L"\u30C9\u30E9\u30A4\u30D0", L"\u9A71\u52A8\u7A0B\u5E8F",
                                 L"\u0414\u0440\u0430\u0439\u0432\u0435\u0440"};
  for (const wchar_t* name : candidates) {
    char bytes[MAX_PATH];
    BOOL lossy = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, bytes,
                                        static_cast<int>(std::size(bytes)), nullptr, &lossy);
    if (n > 1 && !lossy) return std::string(bytes);
  }
  return {};
}

// The files below a folder with their sizes and write times, relative names.
using FileTree = std::map<std::string, std::pair<std::uintmax_t, long long>>;
inline FileTree TreeOf(const fs::path& root) {
  FileTree tree;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().lexically_relative(root).generic_string();
    if (it->is_directory(ec)) {
      tree[name + "/"] = {0, 0};
      continue;
    }
    const auto size = it->file_size(ec);
    const auto time = it->last_write_time(ec).time_since_epoch().count();
    tree[name] = {size, static_cast<long long>(time)};
  }
  return tree;
}

// Sets or clears the read-only attribute of every file and folder below root.
inline void SetReadOnly(const fs::path& root, bool readOnly) {
  std::error_code ec;
  std::vector<fs::path> all{root};
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
    all.push_back(it->path());
  for (const fs::path& p : all) {
    DWORD a = ::GetFileAttributesW(p.wstring().c_str());
    if (a == INVALID_FILE_ATTRIBUTES) continue;
    a = readOnly ? (a | FILE_ATTRIBUTE_READONLY) : (a & ~DWORD{FILE_ATTRIBUTE_READONLY});
    ::SetFileAttributesW(p.wstring().c_str(), a);
  }
}

// Ends the run with the disc's name when a disc keeps the menu busy past
// its time: a hang would otherwise only show as a stuck test binary.
class RowWatch {
 public:
  RowWatch(std::string name, std::chrono::milliseconds limit)
      : name_(std::move(name)), thread_([this, limit] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
            std::fprintf(stderr, "\nBAD DISC \"%s\": the menu was still busy after %lld ms\n",
                         name_.c_str(), static_cast<long long>(limit.count()));
            std::fflush(stderr);
            ::TerminateProcess(::GetCurrentProcess(), 4);
          }
        }) {}
  ~RowWatch() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      finished_ = true;
    }
    done_.notify_all();
    thread_.join();
  }
  RowWatch(const RowWatch&) = delete;
  RowWatch& operator=(const RowWatch&) = delete;

 private:
  std::string name_;
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

// Processor faults while a disc is tried: recorded with the disc's name
// (the menu must not fault, even when something would handle it), and a
// fault nothing handles ends the run naming the disc.
class FaultWatch {
 public:
  explicit FaultWatch(const std::string& name) {
    Current() = name;
    Faults() = 0;
    handler_ = ::AddVectoredExceptionHandler(1, &OnException);
    previous_ = ::SetUnhandledExceptionFilter(&OnUnhandled);
  }
  ~FaultWatch() {
    ::SetUnhandledExceptionFilter(previous_);
    if (handler_) ::RemoveVectoredExceptionHandler(handler_);
    Current().clear();
  }
  FaultWatch(const FaultWatch&) = delete;
  FaultWatch& operator=(const FaultWatch&) = delete;
  // The faults seen since the watch began, and the first one's code.
  int Count() const { return Faults(); }
  unsigned long FirstCode() const { return First(); }

 private:
  static bool IsFault(DWORD code) {
    switch (code) {
      case EXCEPTION_ACCESS_VIOLATION:
      case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      case EXCEPTION_DATATYPE_MISALIGNMENT:
      case EXCEPTION_ILLEGAL_INSTRUCTION:
      case EXCEPTION_INT_DIVIDE_BY_ZERO:
      case EXCEPTION_PRIV_INSTRUCTION:
      case EXCEPTION_STACK_OVERFLOW:
      case EXCEPTION_IN_PAGE_ERROR:
        return true;
      default:
        return false;
    }
  }
  static LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (IsFault(code) && Faults()++ == 0) First() = code;
    return EXCEPTION_CONTINUE_SEARCH;
  }
  static LONG WINAPI OnUnhandled(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "\nBAD DISC \"%s\": unhandled exception 0x%08lX\n", Current().c_str(),
                 info->ExceptionRecord->ExceptionCode);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
  }
  static std::string& Current() {
    static std::string name;
    return name;
  }
  static std::atomic<int>& Faults() {
    static std::atomic<int> faults{0};
    return faults;
  }
  static std::atomic<unsigned long>& First() {
    static std::atomic<unsigned long> code{0};
    return code;
  }
  void* handler_ = nullptr;
  LPTOP_LEVEL_EXCEPTION_FILTER previous_ = nullptr;
};

// One disc and the menu window over it. The disc is laid out in a short
// plain folder (Stage()), where the test damages it; Place() moves it to
// its final name, and the form runs there. Folders: base\WINDOWS beside
// base\<disc>\AUTORUN.
class BadDiscHarness {
 public:
  BadDiscHarness()
      : stage_(temp_.Path() / "disc"),
        windowsFolder_((temp_.Path() / "WINDOWS").string()),
        scope_(MakePorts()) {
    fs::create_directories(windowsFolder_);
  }
  ~BadDiscHarness() {
    form.reset();
    Application::Instance().Reset();
    Unplace();
    std::error_code ec;
    SetReadOnly(stage_, false);
    fs::remove_all(stage_, ec);
  }
  BadDiscHarness(const BadDiscHarness&) = delete;
  BadDiscHarness& operator=(const BadDiscHarness&) = delete;

  // The disc's root while it is being laid out and damaged.
  const fs::path& Stage() const { return stage_; }
  fs::path StageProgram() const { return stage_ / "AUTORUN"; }

  bool LayOut(const std::string& menuIni, const demo::TestDiscOptions& options) {
    if (!demo::WriteTestDisc(StageProgram().string(), menuIni, options).Ok()) return false;
    return ::CopyFileA(BuildPath("stand-ins-payload/pngio.dll").c_str(),
                       (StageProgram() / "pngio.dll").string().c_str(), FALSE) != 0;
  }

  // Moves the disc to its place; false when this system cannot have it
  // there (no name of the code page fits).
  bool Place(DiscPlace place) {
    std::string name;
    switch (place) {
      case DiscPlace::Plain:
        return Final(stage_.string());
      case DiscPlace::Blanks:
        name = "Support Disc  (Rev 1.0)";
        break;
      case DiscPlace::CodePage:
        name = CodePageFolderName();
        if (name.empty()) return false;
        break;
      case DiscPlace::NearMaxPath:
      case DiscPlace::BeyondMaxPath: {
        // Near: the program folder's path plus the longest name the normal
        // look opens in it ("BtnImages\MB\256\prev_page_n.png", 32
        // characters) is MAX_PATH - 1 characters long. Beyond: only the
        // menu file and the background ("zkcd_dbg.ini", 12) still fit.
        const std::size_t base = temp_.Path().string().size() + 1 + std::string("\\AUTORUN\\").size();
        const std::size_t longest = place == DiscPlace::NearMaxPath ? 32 : 12;
        name = std::string(MAX_PATH - 1 - longest - base, 'L');
        break;
      }
    }
    const std::string target = temp_.Path().string() + "\\" + name;
    if (!::MoveFileA(stage_.string().c_str(), target.c_str())) return false;
    return Final(target);
  }

  // The placed disc's root and program folder, with their backslash.
  const std::string& Root() const { return root_; }
  const std::string& ProgramFolder() const { return programFolder_; }
  const std::string& WindowsFolder() const { return windowsFolder_; }

  // Starts the window over the placed disc; depth 0 takes the display's.
  TZkAutorunForm& Start(int depth = 32) {
    Application::Instance().Reset();
    ManualIni::ResetForTests();
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    StartOptions options;
    options.argumentText = "debug";
    if (depth) options.colourDepth = [depth] { return depth; };
    form = TZkAutorunForm::Create(options);
    Pump();
    return *form;
  }
  bool WindowShown() const { return form && form->Handle() && ::IsWindowVisible(form->Handle()); }
  // Programs really start through the shell from now on.
  void UseRealShell() { CurrentPorts().shell = Win32Ports().shell; }
  // Moves the disc back to its stage, so that it is looked at and removed
  // by a plain path.
  void Unplace() {
    if (placed_.empty() || placed_ == stage_.string()) return;
    ::MoveFileA(placed_.c_str(), stage_.string().c_str());
    placed_.clear();
  }

  void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }

  // Mouse input to the window under a client point of the form, as the
  // system would send it; what it changes paints at the next Pump().
  void Move(const Control& c) { SendAt(WM_MOUSEMOVE, 0, Centre(c)); }
  void Click(const Control& c) {
    const POINT p = Centre(c);
    SendAt(WM_MOUSEMOVE, 0, p);
    SendAt(WM_LBUTTONDOWN, MK_LBUTTON, p);
    SendAt(WM_LBUTTONUP, 0, p);
  }
  void MoveTo(int x, int y) { SendAt(WM_MOUSEMOVE, 0, POINT{x, y}); }

  POINT Centre(const Control& c) const { return CentreOf(form->Handle(), c); }

  fakes::FakeMessageBoxes messages;
  fakes::FakeShell shell;
  fakes::FakeShellExtended shellEx;
  fakes::FakeProcesses processes;
  fakes::FakeVersion version;
  std::unique_ptr<TZkAutorunForm> form;

 private:
  bool Final(const std::string& root) {
    placed_ = root;
    root_ = root + "\\";
    programFolder_ = root_ + "AUTORUN\\";
    folders_ = std::make_unique<ProgramInFolder>(*Win32Ports().folders,
                                                 programFolder_ + "Pikko.exe", windowsFolder_);
    CurrentPorts().folders = folders_.get();
    return true;
  }
  Ports MakePorts() {
    Ports p = Win32Ports();
    p.messages = &messages;
    p.shell = &shell;
    p.shellEx = &shellEx;
    p.processes = &processes;
    p.version = &version;
    return p;
  }
  void SendAt(UINT msg, WPARAM keys, POINT p) {
    if (!form || !form->Handle()) return;
    const HWND target = WindowAt(form->Handle(), p);
    ::SendMessageA(target, msg, keys, MAKELPARAM(p.x, p.y));
  }
  TempFolder temp_;
  fs::path stage_;
  std::string windowsFolder_;
  std::string placed_, root_, programFolder_;
  std::unique_ptr<ProgramInFolder> folders_;
  ScopedPorts scope_;
  win::ComInit com_;
};

}  // namespace pikko::testing
