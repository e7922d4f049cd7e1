// Times the window shape built from a skin: the fast build (one region
// from the opaque runs, in batches) against the plain one (one subtraction
// per transparent run), on a skin file and on a checkerboard, the worst
// case. Prints numbers; it judges nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Graphics/WinRegion_win.h"
#include "tests/win/RegionReference_win.h"

namespace {

double Milliseconds(const std::function<void()>& work, int runs) {
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Compare(const char* name, pikko::Bitmap& bitmap, int runs) {
  const pikko::TColor key = bitmap.TransparentColor();
  const double plain = Milliseconds(
      [&] { ::DeleteObject(pikko::testing::ReferenceRegion(bitmap, key)); }, runs);
  const double fast = Milliseconds([&] { pikko::WinRegion region(bitmap, key); }, runs);
  std::printf("region %-28s %4dx%-4d plain %9.2f ms  fast %7.2f ms  ratio %6.1fx\n", name,
              bitmap.Width(), bitmap.Height(), plain, fast, fast > 0 ? plain / fast : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    pikko::Bitmap skin;
    if (!skin.LoadFromFile(argv[1])) {
      std::fprintf(stderr, "cannot read the skin %s\n", argv[1]);
      return 1;
    }
    Compare("skin (median of 9)", skin, 9);
  }
  // Every other pixel transparent: one run per two pixels.
  pikko::Bitmap board;
  board.Create(200, 150, 24);
  for (int y = 0; y < board.Height(); ++y)
    for (int x = 0; x < board.Width(); ++x) {
      std::uint8_t* p = board.ScanLine(y) + 3 * x;
      const bool cut = (x + y) % 2 == 1;
      p[0] = cut ? 255 : 10;
      p[1] = cut ? 0 : 20;
      p[2] = cut ? 255 : 30;
    }
  board.SetTransparentColor(RGB(255, 0, 255));
  Compare("checkerboard (median of 3)", board, 3);
  return 0;
}
