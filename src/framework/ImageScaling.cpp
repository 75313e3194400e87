#include "ImageScaling.h"

#include <algorithm>
#include <stdexcept>

namespace {

// One old pixel under a new one along an axis, and how much of the new pixel it covers.
struct TCover {
  int Source;
  std::int64_t Weight;
};

// For each new pixel along an axis, the old pixels under it. Lengths are measured in
// units of 1/newLength of an old pixel: new pixel t spans [t*oldLength, (t+1)*oldLength)
// and old pixel s spans [s*newLength, (s+1)*newLength), so a new pixel's weights add up
// to oldLength.
std::vector<std::vector<TCover>> Covers(int oldLength, int newLength) {
  std::vector<std::vector<TCover>> covers(static_cast<std::size_t>(newLength));
  for (int target = 0; target < newLength; ++target) {
    const std::int64_t begin = static_cast<std::int64_t>(target) * oldLength;
    const std::int64_t end = begin + oldLength;
    for (int source = static_cast<int>(begin / newLength); source < oldLength; ++source) {
      const std::int64_t sourceBegin = static_cast<std::int64_t>(source) * newLength;
      if (sourceBegin >= end) break;
      const std::int64_t overlap =
          std::min(end, sourceBegin + newLength) - std::max(begin, sourceBegin);
      if (overlap > 0) covers[static_cast<std::size_t>(target)].push_back({source, overlap});
    }
  }
  return covers;
}

// The first byte of pixel (x, y) of image `image` in a strip of `images` images of `size`.
std::size_t PixelAt(TImageStripSize size, int images, int image, int x, int y) {
  const std::size_t stride = static_cast<std::size_t>(images) * size.ImageWidth;
  return (static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(image) * size.ImageWidth +
          static_cast<std::size_t>(x)) *
         4;
}

std::uint8_t Rounded(std::int64_t numerator, std::int64_t denominator) {
  return static_cast<std::uint8_t>((numerator + denominator / 2) / denominator);
}

}  // namespace

std::vector<std::uint8_t> ScaleImageStrip(std::span<const std::uint8_t> pixels,
                                          TImageStripSize from, TImageStripSize to) {
  if (from.ImageWidth <= 0 || from.ImageHeight <= 0 || to.ImageWidth <= 0 || to.ImageHeight <= 0) {
    throw std::invalid_argument("An image size is not positive");
  }
  const std::size_t oldImageBytes =
      static_cast<std::size_t>(from.ImageWidth) * static_cast<std::size_t>(from.ImageHeight) * 4;
  if (pixels.size() % oldImageBytes != 0) {
    throw std::invalid_argument("The image strip does not hold whole images");
  }
  const int images = static_cast<int>(pixels.size() / oldImageBytes);
  const auto columns = Covers(from.ImageWidth, to.ImageWidth);
  const auto rows = Covers(from.ImageHeight, to.ImageHeight);
  // What a new pixel's weights add up to.
  const std::int64_t area = static_cast<std::int64_t>(from.ImageWidth) * from.ImageHeight;

  std::vector<std::uint8_t> scaled(PixelAt(to, images, 0, 0, to.ImageHeight));
  for (int image = 0; image < images; ++image) {
    for (int y = 0; y < to.ImageHeight; ++y) {
      for (int x = 0; x < to.ImageWidth; ++x) {
        // Sums of alpha and of alpha-weighted colour: the mean of premultiplied pixels.
        std::int64_t alpha = 0;
        std::int64_t colour[3] = {0, 0, 0};
        for (const TCover& row : rows[static_cast<std::size_t>(y)]) {
          for (const TCover& column : columns[static_cast<std::size_t>(x)]) {
            const std::size_t at = PixelAt(from, images, image, column.Source, row.Source);
            const std::int64_t weight = row.Weight * column.Weight * pixels[at + 3];
            alpha += weight;
            for (int channel = 0; channel < 3; ++channel) {
              colour[channel] += weight * pixels[at + channel];
            }
          }
        }
        const std::size_t out = PixelAt(to, images, image, x, y);
        for (int channel = 0; channel < 3; ++channel) {
          scaled[out + channel] = alpha > 0 ? Rounded(colour[channel], alpha) : 0;
        }
        scaled[out + 3] = Rounded(alpha, area);
      }
    }
  }
  return scaled;
}
