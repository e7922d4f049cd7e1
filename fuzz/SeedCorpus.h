// The seed inputs of every fuzz target, made from the demo disc's files:
// its menu file, manual settings, promotion and advertisement files, skins
// and button pictures, in the input forms of the targets (FuzzTargets.h).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace pikko::fuzz {

struct Seed {
  std::string name;   // a file name for the corpus folder
  std::string bytes;
};

// Target name to its seeds; every target has some.
std::map<std::string, std::vector<Seed>> SeedCorpus();

}  // namespace pikko::fuzz
