// The boundary with the disc's libraries, as the menu crosses it: each
// library loaded from the build's stand-ins, each function looked up by its
// plain name and called through the menu's own declaration, many times, with
// the stack pointer read around the calls. On 32-bit Windows a declaration
// whose calling convention differs from the library's leaves the stack
// pointer a few bytes off after every call (standard-call functions pop
// their arguments, C functions leave them to the caller): a drift of zero
// is the proof that the two agree. The callbacks the PNG library calls back
// are crossed the other way in the same calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "Graphics/PngReader.h"
#include "actions/SideButtons.h"
#include "env/Translation.h"
#include "platform/ScopedWin.h"
#include "promotion/ProductProbe.h"
#include "tests/TempFolder.h"
#include "tests/win/WinTestSupport.h"

namespace pikko {
namespace {


#if UINTPTR_MAX == 0xFFFFFFFFu
#define PIKKO_READ_SP(out) asm volatile("movl %%esp, %0" : "=r"(out) : : "memory")
#else
#define PIKKO_READ_SP(out) asm volatile("movq %%rsp, %0" : "=r"(out) : : "memory")
#endif

// How far the stack pointer moved over `times` calls of proc(args...). The
// frame pointer keeps this function's own locals where they are whatever the
// callee does, and no pop of the caller is deferred past the second reading.
template <class Proc, class... Args>
__attribute__((noinline, optimize("no-omit-frame-pointer", "no-defer-pop"))) std::intptr_t
StackDrift(Proc proc, int times, Args... args) {
  std::uintptr_t before = 0, after = 0;
  PIKKO_READ_SP(before);
  for (int i = 0; i < times; ++i) proc(args...);
  PIKKO_READ_SP(after);
  return static_cast<std::intptr_t>(after - before);
}

constexpr int kTimes = 1000;

HMODULE LoadStandIn(const std::string& relative) {
  return ::LoadLibraryA(testing::BuildPath(relative).c_str());
}

template <class Proc>
Proc LookUp(HMODULE library, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

std::uint32_t PIKKO_STDCALL ReadNothing(void*, void*, std::uint32_t) { return 0; }
std::uint32_t PIKKO_STDCALL TakeAll(void*, const void*, std::uint32_t count) { return count; }

TEST(DiscLibraryAbi, ThePngLibraryAgreesWithTheMenusDeclarations) {
  win::ScopedModule library(LoadStandIn("stand-ins-payload/pngio.dll"));
  ASSERT_NE(library.Get(), nullptr);
  const auto read = LookUp<ReadPngExProc>(library.Get(), "ReadPngEx");
  const auto write = LookUp<WritePngExProc>(library.Get(), "WritePngEx");
  const auto allocate = LookUp<AllocatePngDataProc>(library.Get(), "AllocatePngData");
  const auto release = LookUp<FreePngDataProc>(library.Get(), "FreePngData");
  ASSERT_TRUE(read && write && allocate && release);

  PngImageRecord record{};
  EXPECT_EQ(StackDrift(read, kTimes, &record, &ReadNothing, static_cast<void*>(nullptr)), 0)
      << "ReadPngEx, an empty file";
  record.width = 2;
  record.height = 2;
  record.colourType = kPngColourTypeRgba;
  ASSERT_NE(allocate(&record), 0);
  ASSERT_NE(record.rows, nullptr);
  EXPECT_EQ(StackDrift(write, 20, &record, &TakeAll, static_cast<void*>(nullptr)), 0) << "WritePngEx";
  EXPECT_EQ(StackDrift(release, 1, &record), 0) << "FreePngData";
  EXPECT_EQ(record.rows, nullptr);
  EXPECT_EQ(StackDrift(allocate, 1, &record), 0) << "AllocatePngData";
  release(&record);
}

TEST(DiscLibraryAbi, TheTranslationAndAcpiLibrariesAgreeWithTheMenusDeclarations) {
  win::ScopedModule translation(LoadStandIn("stand-ins-payload/ZkMultiLang.dll"));
  ASSERT_NE(translation.Get(), nullptr);
  const auto translate = LookUp<ZkTranslateStrProc>(translation.Get(), "ZkTranslateStr");
  const auto languagePath = LookUp<ZkGetLangPathNameProc>(translation.Get(), "ZkGetLangPathName");
  ASSERT_TRUE(translate && languagePath);
  EXPECT_EQ(StackDrift(translate, kTimes, "Install Now"), 0) << "ZkTranslateStr";
  EXPECT_EQ(StackDrift(languagePath, kTimes), 0) << "ZkGetLangPathName";

  win::ScopedModule acpi(LoadStandIn("stand-ins-payload/zkwmiacpi.dll"));
  ASSERT_NE(acpi.Get(), nullptr);
  const auto open = LookUp<ZkWmiOpenProc>(acpi.Get(), "ZkWMI_Open");
  const auto exec = LookUp<ExecAcpiMethodProc>(acpi.Get(), "ExecACPIMethod");
  ASSERT_TRUE(open && exec);
  std::uint32_t output = 0;
  EXPECT_EQ(StackDrift(open, kTimes), 0) << "ZkWMI_Open";
  EXPECT_EQ(StackDrift(exec, kTimes, L"\\_SB.ATKD.DSTS", 0u, 0u, &output, 0u), 0) << "ExecACPIMethod";
}

TEST(DiscLibraryAbi, TheReportAndProbeLibrariesAgreeWithTheMenusDeclarations) {
  win::ScopedModule report(LoadStandIn("stand-ins-payload/ARunDmi.dll"));
  ASSERT_NE(report.Get(), nullptr);
  const auto fill = LookUp<DmiGetSysInfoExProc>(report.Get(), kReportExport);
  ASSERT_NE(fill, nullptr);
  testing::TempFolder folder;  // no report pages in it: the library only looks
  const std::string path = folder.Path().string();
  EXPECT_EQ(StackDrift(fill, 20, path.c_str(), 1), 0) << kReportExport;

  win::ScopedModule probe(LoadStandIn("stand-ins/ZkProbe.dll"));
  ASSERT_NE(probe.Get(), nullptr);
  const auto control = LookUp<ZekaIoControlProc>(probe.Get(), kProbeExport);
  ASSERT_NE(control, nullptr);
  std::uint32_t status = 0;
  std::uint8_t flag = 0;
  EXPECT_EQ(StackDrift(control, kTimes, 0u, 0u, 0u, 0u, 0u, &status, &flag), 0) << kProbeExport;

#if UINTPTR_MAX == 0xFFFFFFFFu
  // The measure itself: the C function declared standard-call leaves its
  // seven argument words on the stack at every call.
  using WronglyDeclared = std::int32_t(PIKKO_STDCALL*)(std::uint32_t, std::uint32_t, std::uint32_t,
                                                       std::uint32_t, std::uint32_t, std::uint32_t*,
                                                       std::uint8_t*);
  const auto wrong = reinterpret_cast<WronglyDeclared>(reinterpret_cast<void*>(control));
  EXPECT_EQ(StackDrift(wrong, 10, 0u, 0u, 0u, 0u, 0u, &status, &flag), -10 * 7 * 4);
#endif
}

}  // namespace
}  // namespace pikko
