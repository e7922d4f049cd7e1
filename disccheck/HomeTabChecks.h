// The home-tab promotion of a disc, loaded as the menu loads it for every
// platform and language the disc's files name.
#pragma once

#include <string>

#include "app/MenuConfig.h"

namespace pikko::disccheck {

class Checker;

struct HomeTabFacts {
  int tab = -1;  // the home tab, counted from 1; -1: none
};

HomeTabFacts CheckHomeTab(Checker& checker, const MenuModel& model, const std::string& platform,
                          const std::string& language);

}  // namespace pikko::disccheck
