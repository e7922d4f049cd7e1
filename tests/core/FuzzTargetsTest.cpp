// The fuzz targets in the normal test run: every seed made from the demo
// disc and every kept crashing input (fuzz/regressions/<target>/) goes
// through its target, whose oracles must hold; and the input reader the
// targets share.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/SeedCorpus.h"
#include "platform/Assert.h"

namespace pikko::fuzz {
namespace {

namespace fs = std::filesystem;

// Runs one input; a failed oracle or check is reported, not fatal.
void Replay(const FuzzTarget& target, const std::string& bytes, const std::string& what) {
  const ThrowingAssertions throwing;
  try {
    target.run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  } catch (const std::exception& e) {
    ADD_FAILURE() << target.name << " " << what << ": " << e.what();
  }
}

TEST(FuzzTargets, EverySeedPassesItsTarget) {
  const auto corpus = SeedCorpus();
  for (const FuzzTarget& target : AllTargets()) {
    const auto it = corpus.find(target.name);
    ASSERT_TRUE(it != corpus.end() && !it->second.empty()) << target.name << " has no seeds";
    for (const Seed& seed : it->second) {
      EXPECT_LE(seed.bytes.size(), target.maxLength) << target.name << " " << seed.name;
      Replay(target, seed.bytes, seed.name);
    }
  }
  // Seeds belong to targets that exist.
  for (const auto& entry : corpus) EXPECT_NE(FindTarget(entry.first), nullptr) << entry.first;
}

TEST(FuzzTargets, EveryKeptCrashStaysFixed) {
  const fs::path folder(RegressionFolder());
  ASSERT_TRUE(fs::is_directory(folder)) << folder;
  int replayed = 0;
  for (const auto& targetFolder : fs::directory_iterator(folder)) {
    const FuzzTarget* target = FindTarget(targetFolder.path().filename().string());
    ASSERT_NE(target, nullptr) << "no target for " << targetFolder.path();
    for (const auto& file : fs::directory_iterator(targetFolder.path())) {
      std::ifstream in(file.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      Replay(*target, bytes, file.path().filename().string());
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}

TEST(FuzzInput, SplitsFilesAndReadsPastTheEndAsZeros) {
  struct Case {
    std::string text;
    std::vector<std::string> parts;
  };
  const Case cases[] = {
      {"", {""}},
      {"a", {"a"}},
      {"a\n=====\nb", {"a", "b"}},
      {"\n=====\n\n=====\n", {"", "", ""}},
      {"a\n====\nb", {"a\n====\nb"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitFiles(c.text), c.parts) << c.text;

  const std::uint8_t bytes[] = {0x34, 0x12, 0xFF};
  ByteReader in(bytes, sizeof bytes);
  EXPECT_EQ(in.U16(), 0x1234);
  EXPECT_EQ(in.U16(), 0x00FF);
  EXPECT_EQ(in.I32(), 0);
  EXPECT_EQ(in.Bytes(2), std::vector<std::uint8_t>(2, 0));
  EXPECT_EQ(in.Left(), 0u);
}

}  // namespace
}  // namespace pikko::fuzz
