#include "fuzz/FuzzTargets.h"

namespace pikko::fuzz {

const std::vector<FuzzTarget>& AllTargets() {
  // The longest inputs are a little beyond the demo disc's files of each kind.
  static const std::vector<FuzzTarget> targets = {
      {"ini_reader", &FuzzIniReader, 8192},
      {"str_to_int", &FuzzStrToInt, 64},
      {"parse_rgb", &FuzzParseRgb, 512},
      {"normalize_path", &FuzzNormalizePath, 1024},
      {"menu_config", &FuzzMenuConfig, 12288},
      {"exception_model", &FuzzExceptionModel, 4096},
      {"manual_setting", &FuzzManualSetting, 4096},
      {"home_tab", &FuzzHomeTab, 8192},
      {"vendor_ad", &FuzzVendorAd, 4096},
      {"png_rows", &FuzzPngRows, 8192},
      {"png_file", &FuzzPngFile, 16384},
      {"alpha_blend", &FuzzAlphaBlend, 16384},
      {"region_runs", &FuzzRegionRuns, 16384},
      {"glow_filter", &FuzzGlowFilter, 2560},
      {"smbios", &FuzzSmbios, 4096},
      {"open_with", &FuzzOpenWith, 4096},
      {"language_file", &FuzzLanguageFile, 8192},
  };
  return targets;
}

const FuzzTarget* FindTarget(std::string_view name) {
  for (const FuzzTarget& t : AllTargets())
    if (name == t.name) return &t;
  return nullptr;
}

std::string RegressionFolder() { return PIKKO_FUZZ_REGRESSIONS; }

}  // namespace pikko::fuzz
