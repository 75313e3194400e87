#pragma once

#include <string>

#include "NetInfo.h"

// One entry of the profile list: the caption the list shows (the profile's name, its
// section in the store and its item in the tray menu) and the profile it holds for its
// lifetime.
struct TListEntry {
  std::string Caption;
  TNetInfo Profile;
};
