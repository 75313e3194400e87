#pragma once

#include <string>

#include "ProfileIni.h"

// The two lists the crash test's child saves in turn: large enough that a save takes a
// while, and different in every section so that any mixture of the two shows.
inline TProfileList CrashTestProfiles(int which) {
  TProfileList profiles;
  const std::string mark = which == 0 ? "old" : "new";
  for (int i = 0; i < 3000 + which; ++i) {
    const std::string n = std::to_string(i);
    profiles.push_back(
        {"Profile " + n,
         {"Local Area Connection " + mark, which == 1, "10 .0  .0  ." + n.substr(0, 3),
          "255.255.255.0  ", mark + n, "", "", ""}});
  }
  return profiles;
}
