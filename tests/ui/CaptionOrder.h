#pragma once

#include <string_view>

// The order of the profile list: alphabetical by letter whatever its case, lower case
// before upper case only where the letters are otherwise equal ('alpha' < 'Alpha' <
// 'beta' < 'Zeta'), as the system's locale-aware, case-sensitive comparison (lstrcmpA)
// orders plain ASCII captions. The list sorts with lstrcmpA itself; this copy of the rule
// states the order natively and is checked against lstrcmpA under Wine.
//
// Negative when a comes first, positive when b does, 0 when equal.
int CompareCaptionsLikeLocale(std::string_view a, std::string_view b);
