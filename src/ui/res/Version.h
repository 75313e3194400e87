// The program's version, for its caption, its credits and the executable's version
// resource. Read by the resource compiler too: macros only.
#pragma once

#define ARDENIX_VERSION "1.01"
// The same version as the resource's four numbers (1.01 is 1.1).
#define ARDENIX_VERSION_NUMBERS 1, 1, 0, 0
