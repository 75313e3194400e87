#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The shell's tooltip buffer: 127 characters and a terminating zero.
constexpr std::size_t TrayTipSize = 128;
using TTrayTip = std::array<char, TrayTipSize>;

// The tooltip sent to the shell: the hint cut to its first 127 characters, or all zeros
// when there is no hint or hints are switched off.
TTrayTip TrayTipText(std::string_view hint, bool showHint);

// The icon index kept for a list of `count` images: a value at or past the end becomes the
// last image (-1 for an empty list); negative values are left as they are.
std::int32_t ClampedIconIndex(std::int32_t value, std::int32_t count);

// The image an animation step moves to: the next one, or back to the first after the last.
std::int32_t NextCycleIndex(std::int32_t index, std::int32_t count);

// Whether a common-controls library of this version sends the shell's "TaskbarCreated"
// broadcast (4.71 or newer).
bool ReportsTaskbarRestart(std::uint32_t major, std::uint32_t minor);
