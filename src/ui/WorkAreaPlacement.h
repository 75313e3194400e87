#pragma once

#include <windows.h>

// Moves a top-level window wholly into the work area of the monitor it is mostly on (the
// nearest one when it is on none), cut to that work area when it is larger: a window
// designed for a large screen, scaled up for 150 % or 200 %, may otherwise open with its
// bottom under the taskbar or off the screen. Nothing happens to a window that fits.
void MoveIntoWorkArea(HWND window);
