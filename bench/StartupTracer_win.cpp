// The benchmarks' start-up tracer, built into PikkoTraced.exe only: each
// mark prints the milliseconds since the process was created and what has
// just been done, to the standard error. At the first paint it prints what
// the start made before it: the windows (and how many of them the first
// paint does not show) and the libraries loaded since the entry.
// PIKKO_STARTUP_TRACE=sample also samples the main thread's stack every
// millisecond until the first paint (scripts/startup-profile.sh).
#include "app/StartupTrace_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace pikko {
namespace {

ULONGLONG Ticks(const FILETIME& t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

bool Sampling() {
  char value[16] = {};
  const DWORD n = ::GetEnvironmentVariableA("PIKKO_STARTUP_TRACE", value, sizeof value);
  return n > 0 && n < sizeof value && std::strcmp(value, "sample") == 0;
}

// Windows made on the main thread, as the system tells of each creation.
constexpr int kMaxWindows = 512;
HWND windows[kMaxWindows];
int windowCount = 0;
HHOOK creationHook = nullptr;

LRESULT CALLBACK CountCreation(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    if (windowCount < kMaxWindows) windows[windowCount] = reinterpret_cast<HWND>(wp);
    ++windowCount;
  }
  return ::CallNextHookEx(creationHook, code, wp, lp);
}

std::set<std::string> LoadedLibraries() {
  std::set<std::string> names;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Module32First(snapshot, &entry); more; more = ::Module32Next(snapshot, &entry)) {
    std::string name = entry.szModule;
    for (char& c : name) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    names.insert(name);
  }
  ::CloseHandle(snapshot);
  return names;
}

std::set<std::string> librariesAtEntry;

void PrintCounts() {
  int shown = 0, alive = 0;
  std::string hidden;
  for (int i = 0; i < windowCount && i < kMaxWindows; ++i) {
    if (!::IsWindow(windows[i])) continue;
    ++alive;
    if (::IsWindowVisible(windows[i])) {
      ++shown;
      continue;
    }
    char name[64] = {};
    ::GetClassNameA(windows[i], name, sizeof name);
    hidden += std::string(" ") + name;
  }
  std::fprintf(stderr, "counts windows created %d, alive %d, shown %d, hidden %d:%s\n", windowCount,
               alive, shown, alive - shown, hidden.c_str());
  const std::set<std::string> now = LoadedLibraries();
  std::string later;
  for (const std::string& name : now)
    if (!librariesAtEntry.count(name)) later += " " + name;
  std::fprintf(stderr, "counts libraries at entry %zu, at the first paint %zu, loaded between:%s\n",
               librariesAtEntry.size(), now.size(), later.c_str());
}

#if defined(__x86_64__)
// The sampler (64-bit builds only) works with fixed arrays only: the sampled thread may be
// stopped inside the heap.
constexpr int kMaxSamples = 4000;
constexpr int kFramesPerSample = 24;
struct Sample {
  DWORD64 pc;
  DWORD64 frames[kFramesPerSample];
  int count;
};
Sample samples[kMaxSamples];
volatile LONG sampleCount = 0;
volatile LONG sampling = 0;
HANDLE mainThread = nullptr;
DWORD64 textBegin = 0, textEnd = 0;

DWORD WINAPI SampleMainThread(void*) {
  while (sampling && sampleCount < kMaxSamples) {
    ::Sleep(1);
    if (::SuspendThread(mainThread) == static_cast<DWORD>(-1)) break;
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
    if (::GetThreadContext(mainThread, &context)) {
      Sample& s = samples[sampleCount];
      s.pc = context.Rip;
      s.count = 0;
      // Return addresses into the program's code found on the stack: the
      // callers (and some stale values, which the counts outweigh).
      const DWORD64* slot = reinterpret_cast<const DWORD64*>(context.Rsp);
      MEMORY_BASIC_INFORMATION stack{};
      ::VirtualQuery(slot, &stack, sizeof stack);
      const DWORD64* end = reinterpret_cast<const DWORD64*>(
          static_cast<const char*>(stack.BaseAddress) + stack.RegionSize);
      for (; slot < end && s.count < kFramesPerSample; ++slot)
        if (*slot >= textBegin && *slot < textEnd) s.frames[s.count++] = *slot;
      ++sampleCount;
    }
    ::ResumeThread(mainThread);
  }
  return 0;
}

void StartSampling() {
  const auto* base = reinterpret_cast<const unsigned char*>(::GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  textBegin = reinterpret_cast<DWORD64>(base) + nt->OptionalHeader.BaseOfCode;
  textEnd = textBegin + nt->OptionalHeader.SizeOfCode;
  ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &mainThread,
                    0, FALSE, DUPLICATE_SAME_ACCESS);
  sampling = 1;
  if (HANDLE sampler = ::CreateThread(nullptr, 0, &SampleMainThread, nullptr, 0, nullptr)) {
    ::SetThreadPriority(sampler, THREAD_PRIORITY_TIME_CRITICAL);
    ::CloseHandle(sampler);
  }
}

void StopSamplingAndPrint() {
  sampling = 0;
  ::Sleep(5);
  const DWORD64 image = reinterpret_cast<DWORD64>(::GetModuleHandleA(nullptr));
  for (LONG i = 0; i < sampleCount; ++i) {
    const Sample& s = samples[i];
    const bool own = s.pc >= textBegin && s.pc < textEnd;
    char module[MAX_PATH] = "?";
    HMODULE holder = nullptr;
    if (!own && ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                     reinterpret_cast<LPCSTR>(s.pc), &holder))
      ::GetModuleFileNameA(holder, module, MAX_PATH);
    const char* name = module;
    for (const char* c = module; *c; ++c)
      if (*c == '\\') name = c + 1;
    std::fprintf(stderr, "sample %s", own ? "self" : name);
    if (s.pc >= textBegin && s.pc < textEnd)
      std::fprintf(stderr, " %llx", static_cast<unsigned long long>(s.pc - image + 0x140000000ull));
    for (int f = 0; f < s.count; ++f)
      std::fprintf(stderr, " %llx", static_cast<unsigned long long>(s.frames[f] - image + 0x140000000ull));
    std::fprintf(stderr, "\n");
  }
  std::fflush(stderr);
}

#else
void StartSampling() {}
void StopSamplingAndPrint() {}
#endif

void Trace(const char* what) noexcept {
  static const bool sampling = Sampling();
  const bool entry = std::strcmp(what, "entry") == 0;
  const bool firstPaint = std::strcmp(what, "first paint") == 0;
  if (entry) {
    librariesAtEntry = LoadedLibraries();
    creationHook = ::SetWindowsHookExA(WH_CBT, &CountCreation, nullptr, ::GetCurrentThreadId());
    if (sampling) StartSampling();
  }
  FILETIME created{}, exited{}, kernel{}, user{}, now{};
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  ::GetSystemTimeAsFileTime(&now);
  // File times count 100 ns steps.
  const double ms = static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0;
  std::fprintf(stderr, "startup %8.1f ms  %s\n", ms, what);
  if (firstPaint) {
    try {
      PrintCounts();
    } catch (...) {
      // Out of memory while counting: the marks go on.
    }
    if (creationHook) ::UnhookWindowsHookEx(creationHook);
    creationHook = nullptr;
    if (sampling) StopSamplingAndPrint();
  }
  std::fflush(stderr);
}

}  // namespace

void InstallStartupTracer() noexcept { SetStartupTracer(&Trace); }

}  // namespace pikko
