// The fuzz targets of every parser of disc data. Each target takes one
// input, runs the code under test over it and checks what must hold for any
// input (the oracles below each target); a broken oracle throws
// OracleFailure. The libFuzzer programs (FuzzMain.cpp) run one target each;
// the core tests replay the seeds and the kept crashing inputs through the
// same functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pikko::fuzz {

using TargetFunction = void (*)(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
  const char* name;  // also the program's name (fuzz_<name>) and its corpus folder
  TargetFunction run;
  std::size_t maxLength;  // the longest input worth mutating
};

// Every target, in a fixed order.
const std::vector<FuzzTarget>& AllTargets();
// The target of that name, or null.
const FuzzTarget* FindTarget(std::string_view name);

// What a target throws when one of its oracles does not hold.
struct OracleFailure : std::logic_error {
  explicit OracleFailure(const std::string& what) : std::logic_error(what) {}
};

inline void Expect(bool cond, const char* what) {
  if (!cond) throw OracleFailure(what);
}

// The folder of the kept crashing inputs, one folder per target.
std::string RegressionFolder();

// The targets of each group (TextTargets.cpp, DiscFileTargets.cpp,
// PixelTargets.cpp, PngFileTarget.cpp, SystemTargets.cpp).
void FuzzIniReader(const std::uint8_t* data, std::size_t size);
void FuzzStrToInt(const std::uint8_t* data, std::size_t size);
void FuzzParseRgb(const std::uint8_t* data, std::size_t size);
void FuzzNormalizePath(const std::uint8_t* data, std::size_t size);
void FuzzMenuConfig(const std::uint8_t* data, std::size_t size);
void FuzzExceptionModel(const std::uint8_t* data, std::size_t size);
void FuzzManualSetting(const std::uint8_t* data, std::size_t size);
void FuzzHomeTab(const std::uint8_t* data, std::size_t size);
void FuzzVendorAd(const std::uint8_t* data, std::size_t size);
void FuzzPngRows(const std::uint8_t* data, std::size_t size);
void FuzzPngFile(const std::uint8_t* data, std::size_t size);
void FuzzAlphaBlend(const std::uint8_t* data, std::size_t size);
void FuzzRegionRuns(const std::uint8_t* data, std::size_t size);
void FuzzGlowFilter(const std::uint8_t* data, std::size_t size);
void FuzzSmbios(const std::uint8_t* data, std::size_t size);
void FuzzOpenWith(const std::uint8_t* data, std::size_t size);
void FuzzLanguageFile(const std::uint8_t* data, std::size_t size);

}  // namespace pikko::fuzz
