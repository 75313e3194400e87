#pragma once

#include <string_view>

// The order of the profile list: alphabetical by letter whatever its case, lower case
// before upper case only where the letters are otherwise equal ('alpha' < 'Alpha' <
// 'beta' < 'Zeta'), as the system's locale-aware, case-sensitive comparison (lstrcmpA)
// orders plain ASCII captions. On Windows the list sorts with lstrcmpA itself; this
// copy of the rule lets the platform-free code and its tests use the same order.
//
// Negative when a comes first, positive when b does, 0 when equal.
int CompareCaptionsLikeLocale(std::string_view a, std::string_view b);
