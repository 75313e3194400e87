#include "MenuBitmap.h"

#include <cstdint>

namespace {

struct TPixels {
  BitmapHandle Bitmap;
  std::uint32_t* Bits = nullptr;
};

TPixels CreateTopDownDib(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TPixels pixels;
  pixels.Bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  pixels.Bits = static_cast<std::uint32_t*>(bits);
  return pixels;
}

bool DrawOnBackground(HIMAGELIST images, int index, const TPixels& target, int count,
                      std::uint32_t background) {
  for (int i = 0; i < count; ++i) target.Bits[i] = background;
  MemoryDCHandle dc(CreateCompatibleDC(nullptr));
  if (!dc) return false;
  HGDIOBJ previous = SelectObject(dc.Get(), target.Bitmap.Get());
  const BOOL drawn = ImageList_Draw(images, index, dc.Get(), 0, 0, ILD_NORMAL);
  SelectObject(dc.Get(), previous);
  GdiFlush();
  return drawn != FALSE;
}

int Channel(std::uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 0xFF);
}

}  // namespace

BitmapHandle MenuBitmapFromImageList(HIMAGELIST images, int index) {
  int width = 0;
  int height = 0;
  if (!images || !ImageList_GetIconSize(images, &width, &height)) return {};
  const int count = width * height;
  TPixels onBlack = CreateTopDownDib(width, height);
  TPixels onWhite = CreateTopDownDib(width, height);
  if (!onBlack.Bits || !onWhite.Bits) return {};
  if (!DrawOnBackground(images, index, onBlack, count, 0x00000000u) ||
      !DrawOnBackground(images, index, onWhite, count, 0x00FFFFFFu)) {
    return {};
  }
  // On black a pixel is colour * alpha; on white it is that plus 255 * (1 - alpha).
  for (int i = 0; i < count; ++i) {
    const std::uint32_t black = onBlack.Bits[i];
    const std::uint32_t white = onWhite.Bits[i];
    int alpha = 255 - (Channel(white, 8) - Channel(black, 8));
    if (alpha < 0) alpha = 0;
    if (alpha > 255) alpha = 255;
    std::uint32_t premultiplied = static_cast<std::uint32_t>(alpha) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
      const int value = Channel(black, shift) < alpha ? Channel(black, shift) : alpha;
      premultiplied |= static_cast<std::uint32_t>(value) << shift;
    }
    onBlack.Bits[i] = premultiplied;
  }
  return std::move(onBlack.Bitmap);
}
