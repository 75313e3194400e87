#include "Icon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "ImageList.h"

namespace {

// A fresh 16 x 16 icon of one colour, owned by the caller.
HICON MakeIcon(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  BitmapHandle colourBits(CreateCompatibleBitmap(screen, 16, 16));
  ReleaseDC(nullptr, screen);
  BitmapHandle mask(CreateBitmap(16, 16, 1, 1, nullptr));
  MemoryDCHandle dc(CreateCompatibleDC(nullptr));
  HGDIOBJ previous = SelectObject(dc.Get(), colourBits.Get());
  BrushHandle brush(CreateSolidBrush(colour));
  RECT all{0, 0, 16, 16};
  FillRect(dc.Get(), &all, brush.Get());
  SelectObject(dc.Get(), mask.Get());
  PatBlt(dc.Get(), 0, 0, 16, 16, BLACKNESS);  // an all-zero mask: every pixel opaque
  SelectObject(dc.Get(), previous);
  ICONINFO info{TRUE, 0, 0, mask.Get(), colourBits.Get()};
  return CreateIconIndirect(&info);
}

TEST(Icon, EveryChangeIsAnnouncedWhileNotificationIsOn) {
  TIcon icon;
  TIcon other;
  other.SetHandle(MakeIcon(RGB(255, 0, 0)));
  int changes = 0;
  TObject* sender = nullptr;
  icon.OnChange = [&](TObject* s) {
    ++changes;
    sender = s;
  };

  icon.SetHandle(MakeIcon(RGB(0, 255, 0)));
  icon.Assign(other);
  icon.Clear();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(sender, &icon);

  icon.SetNotifyEnabled(false);
  icon.Assign(other);
  icon.Clear();
  icon.SetHandle(MakeIcon(RGB(0, 0, 255)));
  EXPECT_EQ(changes, 3);

  icon.SetNotifyEnabled(true);
  icon.Clear();
  EXPECT_EQ(changes, 4);
}

TEST(Icon, AssignCopiesThePicture) {
  TIcon source;
  source.SetHandle(MakeIcon(RGB(255, 0, 0)));
  TIcon copy;
  copy.Assign(source);
  ASSERT_FALSE(copy.Empty());
  EXPECT_NE(copy.Handle(), source.Handle());  // its own picture, destroyed with it
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(copy.Handle(), &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  TIcon empty;
  copy.Assign(empty);
  EXPECT_TRUE(copy.Empty());
  EXPECT_FALSE(source.Empty());
}

struct IndexCase {
  int Index;
  bool HasImage;
};

class ImageListIndex : public testing::TestWithParam<IndexCase> {};

TEST_P(ImageListIndex, AnIndexWithNoImageGivesAnEmptyIcon) {
  TImageList images(nullptr);
  for (COLORREF colour : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}) {
    IconHandle icon(MakeIcon(colour));
    images.AddIcon(icon.Get());
  }
  ASSERT_EQ(images.Count(), 3);
  TIcon icon;
  icon.SetHandle(MakeIcon(RGB(9, 9, 9)));  // a picture that must go when there is none
  images.GetIcon(GetParam().Index, icon);
  EXPECT_EQ(!icon.Empty(), GetParam().HasImage);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImageListIndex,
                         testing::Values(IndexCase{0, true}, IndexCase{2, true},
                                         IndexCase{3, false}, IndexCase{10, false},
                                         IndexCase{-1, false}));

TEST(ImageList, StartsEmptyAtSixteenPixelsAndCountsWhatIsAdded) {
  TImageList images(nullptr);
  EXPECT_EQ(images.Count(), 0);
  int width = 0;
  int height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(images.Handle(), &width, &height));
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
  TIcon icon;
  images.GetIcon(0, icon);
  EXPECT_TRUE(icon.Empty());

  TIcon red;
  red.SetHandle(MakeIcon(RGB(255, 0, 0)));
  EXPECT_EQ(images.AddIcon(red), 0);
  EXPECT_EQ(images.AddIcon(red), 1);
  EXPECT_EQ(images.Count(), 2);
  images.Clear();
  EXPECT_EQ(images.Count(), 0);
}

}  // namespace

namespace {

// One 16 x 16 image in strip layout: every pixel `opaque`, except the top left one,
// which is fully transparent.
std::vector<std::uint8_t> StripImage(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  std::vector<std::uint8_t> pixels;
  for (int i = 0; i < 16 * 16; ++i) {
    const bool transparent = i == 0;
    pixels.insert(pixels.end(), {blue, green, red, static_cast<std::uint8_t>(transparent ? 0 : 255)});
  }
  return pixels;
}

// Two images side by side: row y of the strip is row y of the first, then of the second.
std::vector<std::uint8_t> SideBySide(const std::vector<std::uint8_t>& left,
                                     const std::vector<std::uint8_t>& right) {
  std::vector<std::uint8_t> strip;
  for (size_t row = 0; row < 16; ++row) {
    strip.insert(strip.end(), left.begin() + static_cast<long>(row * 64),
                 left.begin() + static_cast<long>((row + 1) * 64));
    strip.insert(strip.end(), right.begin() + static_cast<long>(row * 64),
                 right.begin() + static_cast<long>((row + 1) * 64));
  }
  return strip;
}

// Draws image `index` on white and reads back the pixel at (x, y).
COLORREF DrawnPixel(const TImageList& images, int index, int x, int y) {
  HDC screen = GetDC(nullptr);
  BitmapHandle canvas(CreateCompatibleBitmap(screen, 16, 16));
  ReleaseDC(nullptr, screen);
  MemoryDCHandle dc(CreateCompatibleDC(nullptr));
  HGDIOBJ previous = SelectObject(dc.Get(), canvas.Get());
  PatBlt(dc.Get(), 0, 0, 16, 16, WHITENESS);
  ImageList_Draw(images.Handle(), index, dc.Get(), 0, 0, ILD_NORMAL);
  const COLORREF pixel = GetPixel(dc.Get(), x, y);
  SelectObject(dc.Get(), previous);
  return pixel;
}

TEST(ImageListStrip, EachImageOfTheRowKeepsItsPixelsAndItsTransparency) {
  TImageList images(nullptr);
  const auto strip = SideBySide(StripImage(0, 0, 255), StripImage(255, 0, 0));
  EXPECT_EQ(images.AddStrip(strip.data(), strip.size()), 0);
  ASSERT_EQ(images.Count(), 2);
  EXPECT_EQ(DrawnPixel(images, 0, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(DrawnPixel(images, 1, 5, 5), RGB(0, 0, 255));
  EXPECT_EQ(DrawnPixel(images, 0, 15, 15), RGB(255, 0, 0));  // the last row and column
  for (int index : {0, 1}) EXPECT_EQ(DrawnPixel(images, index, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(images.AddStrip(strip.data(), strip.size()), 2);  // appended after the others
}

class ImageListStripSize : public testing::TestWithParam<size_t> {};

TEST_P(ImageListStripSize, AStripOfNoWholeImagesIsRefusedAndAddsNothing) {
  TImageList images(nullptr);
  const std::vector<std::uint8_t> pixels(GetParam() + 1, 0xFF);
  EXPECT_THROW(images.AddStrip(pixels.data(), GetParam()), std::runtime_error);
  EXPECT_EQ(images.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ImageListStripSize,
                         testing::Values(size_t{0}, size_t{4}, size_t{16 * 16 * 4 - 4},
                                         size_t{16 * 16 * 4 + 4}, size_t{3 * 16 * 16 * 4 - 1}));

}  // namespace
