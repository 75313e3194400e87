#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Same-sized images side by side in one row of 32-bit pixels, blue-green-red-alpha with
// straight alpha, top row first (the image list's strip).
struct TImageStripSize {
  int ImageWidth = 0;
  int ImageHeight = 0;
};

// The strip's images, each resampled on its own from `from` to `to` by area averaging: a
// new pixel is the mean of the old pixels under it, weighted by how much of each it
// covers and by its alpha (so a transparent pixel's colour never bleeds into its
// neighbours). At a whole multiple this is plain pixel repetition, crisp; between
// (150 %) edges are softened rather than some pixels doubled and others not.
// Throws std::invalid_argument when `pixels` does not hold whole images of `from` or a
// size is not positive.
std::vector<std::uint8_t> ScaleImageStrip(std::span<const std::uint8_t> pixels,
                                          TImageStripSize from, TImageStripSize to);
