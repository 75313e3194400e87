#pragma once

#include "NetInfo.h"

// The profile the apply probe applies, as the editor would have stored it: a static
// address with the alternate DNS and WINS fields left untouched.
inline TNetInfo ApplyProbeProfile() {
  return TNetInfo{"Local Area Connection", false,
                  "192.168.1  .20 ",       "255.255.0  .0  ",
                  "192.168.1  .1  ",       "192.168.1  .1  ",
                  "   .   .   .   ",       "   .   .   .   "};
}
