#include "ImageScaling.h"

#include <algorithm>
#include <stdexcept>

namespace {

// How much of old pixel `source` new pixel `target` covers along one axis, in units of
// 1/(oldLength * newLength) of a pixel's area side: new pixel t spans [t*old, (t+1)*old)
// and old pixel s spans [s*new, (s+1)*new) on a scale where both lengths are
// oldLength * newLength units long.
struct TCover {
  int Source;
  std::int64_t Weight;
};

std::vector<std::vector<TCover>> Covers(int oldLength, int newLength) {
  std::vector<std::vector<TCover>> covers(static_cast<std::size_t>(newLength));
  for (int target = 0; target < newLength; ++target) {
    const std::int64_t begin = static_cast<std::int64_t>(target) * oldLength;
    const std::int64_t end = begin + oldLength;
    for (int source = static_cast<int>(begin / newLength);
         source < oldLength && static_cast<std::int64_t>(source) * newLength < end; ++source) {
      const std::int64_t sourceBegin = static_cast<std::int64_t>(source) * newLength;
      const std::int64_t overlap =
          std::min(end, sourceBegin + newLength) - std::max(begin, sourceBegin);
      if (overlap > 0) covers[static_cast<std::size_t>(target)].push_back({source, overlap});
    }
  }
  return covers;
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
  const int oldStride = images * from.ImageWidth;
  const int newStride = images * to.ImageWidth;
  const auto columns = Covers(from.ImageWidth, to.ImageWidth);
  const auto rows = Covers(from.ImageHeight, to.ImageHeight);
  // Each new pixel's weights add up to the product of an old image's side lengths.
  const std::int64_t area = static_cast<std::int64_t>(from.ImageWidth) * from.ImageHeight;

  std::vector<std::uint8_t> scaled(static_cast<std::size_t>(newStride) *
                                   static_cast<std::size_t>(to.ImageHeight) * 4);
  for (int image = 0; image < images; ++image) {
    for (int y = 0; y < to.ImageHeight; ++y) {
      for (int x = 0; x < to.ImageWidth; ++x) {
        std::int64_t alpha = 0;
        std::int64_t colour[3] = {0, 0, 0};
        for (const TCover& row : rows[static_cast<std::size_t>(y)]) {
          for (const TCover& column : columns[static_cast<std::size_t>(x)]) {
            const std::size_t at = (static_cast<std::size_t>(row.Source) * oldStride +
                                    static_cast<std::size_t>(image) * from.ImageWidth +
                                    static_cast<std::size_t>(column.Source)) * 4;
            const std::int64_t weight = row.Weight * column.Weight * pixels[at + 3];
            alpha += weight;
            for (int channel = 0; channel < 3; ++channel) colour[channel] += weight * pixels[at + channel];
          }
        }
        const std::size_t out = (static_cast<std::size_t>(y) * newStride +
                                 static_cast<std::size_t>(image) * to.ImageWidth +
                                 static_cast<std::size_t>(x)) * 4;
        for (int channel = 0; channel < 3; ++channel) {
          scaled[out + channel] = alpha > 0 ? Rounded(colour[channel], alpha) : 0;
        }
        scaled[out + 3] = Rounded(alpha, area);
      }
    }
  }
  return scaled;
}
