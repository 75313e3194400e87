#pragma once

// A rectangle of screen pixels: left and top inside it, right and bottom just outside.
struct TScreenRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};

// `window` moved as little as it takes to lie wholly inside `workArea`. A window wider or
// taller than the work area is first cut to its width or height, so that its title bar
// and its edges stay reachable. A window that fits already comes back unchanged.
TScreenRect FitIntoWorkArea(const TScreenRect& window, const TScreenRect& workArea);
