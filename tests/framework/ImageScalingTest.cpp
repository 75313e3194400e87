#include "ImageScaling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// One pixel of a strip: blue, green, red, alpha (straight).
struct Px {
  std::uint8_t B = 0, G = 0, R = 0, A = 0;
  friend bool operator==(const Px&, const Px&) = default;
};

void PrintTo(const Px& p, std::ostream* out) {
  *out << "(" << int(p.B) << "," << int(p.G) << "," << int(p.R) << "," << int(p.A) << ")";
}

constexpr Px kClear{0, 0, 0, 0};
constexpr Px kRed{0, 0, 255, 255};
constexpr Px Grey(std::uint8_t v) { return {v, v, v, 255}; }

std::vector<std::uint8_t> Bytes(const std::vector<Px>& pixels) {
  std::vector<std::uint8_t> bytes;
  for (const Px& p : pixels) bytes.insert(bytes.end(), {p.B, p.G, p.R, p.A});
  return bytes;
}

Px At(const std::vector<std::uint8_t>& strip, int stride, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * stride + x) * 4;
  return {strip[i], strip[i + 1], strip[i + 2], strip[i + 3]};
}

struct Spot {
  int X, Y;  // in the scaled strip
  Px Expected;
};

struct ScaleCase {
  const char* Name;
  std::vector<Px> Strip;  // rows of the whole strip, top first
  int From, To;           // square image sides
  std::vector<Spot> Spots;
};

void PrintTo(const ScaleCase& c, std::ostream* out) { *out << c.Name; }

// A transparent pixel whose colour must not show: white where the red's edge would turn pink.
constexpr Px kHiddenWhite{255, 255, 255, 0};

// Two 2 x 2 images side by side: a red pixel in the top-left corner of a transparent image,
// and four opaque greys.
const std::vector<Px> kTwoImages{kRed,         kHiddenWhite, Grey(0),   Grey(100),  // top row
                                 kHiddenWhite, kHiddenWhite, Grey(200), Grey(40)};  // bottom

const ScaleCase kCases[] = {
    {"SameSizeIsACopy", kTwoImages, 2, 2,
     {{0, 0, kRed}, {1, 1, kClear}, {3, 0, Grey(100)}, {2, 1, Grey(200)}}},
    // 200 %: every pixel becomes two by two; nothing of one image reaches the other.
    {"DoubleRepeatsEachPixel", kTwoImages, 2, 4,
     {{0, 0, kRed}, {1, 1, kRed}, {2, 0, kClear}, {3, 3, kClear},
      {4, 0, Grey(0)}, {5, 1, Grey(0)}, {6, 0, Grey(100)}, {7, 1, Grey(100)},
      {4, 2, Grey(200)}, {7, 3, Grey(40)}}},
    // 150 %: the middle row and column share the pixels on both sides. A transparent
    // neighbour thins the red out (alpha) without lending it its colour. A pixel with no
    // alpha at all comes out 0.
    {"OneAndAHalfAveragesByAreaAndAlpha", kTwoImages, 2, 3,
     {{0, 0, kRed}, {1, 0, {0, 0, 255, 128}}, {1, 1, {0, 0, 255, 64}}, {2, 2, kClear},
      {3, 0, Grey(0)}, {4, 1, Grey(85)}, {5, 0, Grey(100)}, {3, 2, Grey(200)}, {5, 2, Grey(40)}}},
    // Smaller: each new pixel is the mean of a block.
    {"HalfIsTheMeanOfEachBlock", kTwoImages, 2, 1, {{0, 0, {0, 0, 255, 64}}, {1, 0, Grey(85)}}},
};

class ImageStripScaling : public testing::TestWithParam<ScaleCase> {};

TEST_P(ImageStripScaling, ResamplesEachImageOnItsOwn) {
  const ScaleCase& c = GetParam();
  const int images = static_cast<int>(c.Strip.size()) / (c.From * c.From);
  const std::vector<std::uint8_t> scaled =
      ScaleImageStrip(Bytes(c.Strip), {c.From, c.From}, {c.To, c.To});
  ASSERT_EQ(scaled.size(), static_cast<std::size_t>(images * c.To * c.To * 4));
  for (const Spot& spot : c.Spots) {
    EXPECT_EQ(At(scaled, images * c.To, spot.X, spot.Y), spot.Expected)
        << "at " << spot.X << "," << spot.Y;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ImageStripScaling, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ScaleCase>& testCase) {
                           return std::string(testCase.param.Name);
                         });

TEST(ImageStripScalingErrors, RefusesPartImagesAndEmptySizes) {
  const std::vector<std::uint8_t> twoImages = Bytes(kTwoImages);
  const std::vector<std::uint8_t> partImage(twoImages.begin(), twoImages.end() - 4);
  EXPECT_THROW(ScaleImageStrip(partImage, {2, 2}, {4, 4}), std::invalid_argument);
  EXPECT_THROW(ScaleImageStrip(twoImages, {2, 2}, {0, 4}), std::invalid_argument);
  EXPECT_THROW(ScaleImageStrip(twoImages, {0, 2}, {4, 4}), std::invalid_argument);
  EXPECT_TRUE(ScaleImageStrip({}, {2, 2}, {4, 4}).empty());
}

}  // namespace
