// Writes the seed corpora of the fuzz targets, one folder per target:
//   make_fuzz_seeds <corpus folder> [<language files folder>]
//   make_fuzz_seeds --list      the targets and their longest inputs, a line each
// The language files of the translation stand-in (stand-ins/lang/*.ini)
// join the language target's seeds when their folder is given.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/FuzzTargets.h"
#include "fuzz/SeedCorpus.h"

namespace fs = std::filesystem;

namespace {

bool Write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--list") {
    for (const pikko::fuzz::FuzzTarget& target : pikko::fuzz::AllTargets())
      std::printf("%s %zu\n", target.name, target.maxLength);
    return 0;
  }
  if (argc < 2 || argc > 3) {
    std::fputs("usage: make_fuzz_seeds <corpus folder> [<language files folder>]\n", stderr);
    return 2;
  }
  auto corpus = pikko::fuzz::SeedCorpus();
  if (argc == 3) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(argv[2], ec)) {
      if (entry.path().extension() != ".ini") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      corpus["language_file"].push_back(
          {"lang-" + entry.path().filename().string(),
           std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())});
    }
    if (ec) {
      std::fprintf(stderr, "make_fuzz_seeds: cannot read %s\n", argv[2]);
      return 1;
    }
  }
  std::size_t files = 0, bytes = 0;
  for (const pikko::fuzz::FuzzTarget& target : pikko::fuzz::AllTargets()) {
    const fs::path folder = fs::path(argv[1]) / target.name;
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (const pikko::fuzz::Seed& seed : corpus[target.name]) {
      if (ec || !Write(folder / ("seed-" + seed.name), seed.bytes)) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write into %s\n", folder.string().c_str());
        return 1;
      }
      ++files;
      bytes += seed.bytes.size();
    }
  }
  std::printf("make_fuzz_seeds: %zu seeds, %zu bytes, in %s\n", files, bytes, argv[1]);
  return 0;
}
