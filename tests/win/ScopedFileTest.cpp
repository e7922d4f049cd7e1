// The owners of file and search handles: a failed CreateFileA or
// FindFirstFileA gives INVALID_HANDLE_VALUE, which they hold as empty; a
// real handle they close once, after any move.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/ScopedWin.h"
#include "tests/TempFolder.h"

namespace pikko {
namespace {

bool IsOpen(HANDLE h) {
  DWORD flags = 0;
  return ::GetHandleInformation(h, &flags) != FALSE;
}

HANDLE OpenForReading(const std::string& path) {
  return ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(ScopedWin, FileOwnersAreEmptyAtInvalidHandleValue) {
  const testing::TempFolder temp;
  EXPECT_FALSE(win::ScopedFile(OpenForReading(temp.Path().string() + "\\absent.bmp")))
      << "a failed open owns nothing";
  WIN32_FIND_DATAA found{};
  const std::string pattern = temp.Path().string() + "\\*.bmp";
  EXPECT_FALSE(win::ScopedFind(::FindFirstFileA(pattern.c_str(), &found))) << "no file found";
  EXPECT_EQ(win::ScopedFile().Get(), INVALID_HANDLE_VALUE) << "empty from the start";

  win::ScopedFile kept;
  win::ScopedFile opened(OpenForReading(temp.Write("present.bmp", "BM")));
  ASSERT_TRUE(opened);
  const HANDLE raw = opened.Get();
  kept = std::move(opened);
  EXPECT_EQ(opened.Get(), INVALID_HANDLE_VALUE) << "moved from: empty, not null";
  opened.Reset();
  EXPECT_TRUE(IsOpen(raw)) << "the moved-from owner closed nothing";
  kept.Reset();
  EXPECT_FALSE(IsOpen(raw)) << "the owner closed its file";
}

}  // namespace
}  // namespace pikko
