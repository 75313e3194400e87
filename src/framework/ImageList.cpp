#include "ImageList.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "Icon.h"
#include "ImageScaling.h"

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner),
      width_(width),
      height_(height),
      handle_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8)) {
  if (!handle_) throw std::runtime_error("Cannot create an image list");
}

int TImageList::Count() const {
  return ImageList_GetImageCount(handle_.Get());
}

int TImageList::AddIcon(HICON icon) {
  return Checked(ImageList_AddIcon(handle_.Get(), icon));
}

int TImageList::AddIcon(const TIcon& icon) {
  return AddIcon(icon.Handle());
}

int TImageList::AddBitmap(HBITMAP image, HBITMAP mask) {
  return Checked(ImageList_Add(handle_.Get(), image, mask));
}

int TImageList::AddStrip(const void* pixels, size_t bytes) {
  const size_t imageBytes = static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4;
  if (!pixels || bytes == 0 || bytes % imageBytes != 0) {
    throw std::runtime_error("The image strip does not hold whole images");
  }
  const int stripWidth = static_cast<int>(bytes / imageBytes) * width_;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = stripWidth;
  info.bmiHeader.biHeight = -height_;  // top row first, as the strip is laid out
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  BitmapHandle image(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!image || !bits) throw std::runtime_error("Cannot create the image strip");
  std::memcpy(bits, pixels, bytes);

  // A monochrome bitmap's rows are padded to 16 bits; a set bit is transparent.
  const int maskStride = ((stripWidth + 15) / 16) * 2;
  std::vector<std::uint8_t> maskBits(static_cast<size_t>(maskStride) * static_cast<size_t>(height_));
  const auto* pixel = static_cast<const std::uint8_t*>(pixels);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < stripWidth; ++x, pixel += 4) {
      if (pixel[3] == 0) {
        maskBits[static_cast<size_t>(y * maskStride + x / 8)] |=
            static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  BitmapHandle mask(CreateBitmap(stripWidth, height_, 1, 1, maskBits.data()));
  if (!mask) throw std::runtime_error("Cannot create the image strip's mask");
  return AddBitmap(image.Get(), mask.Get());
}

int TImageList::AddStripResource(HINSTANCE instance, const char* name, int drawnWidth,
                                 int drawnHeight) {
  HRSRC found = FindResourceA(instance, name, RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const void* pixels = loaded ? LockResource(loaded) : nullptr;
  if (!pixels) throw std::runtime_error("Cannot load the image strip resource");
  const size_t bytes = SizeofResource(instance, found);
  if (drawnWidth == width_ && drawnHeight == height_) return AddStrip(pixels, bytes);
  try {
    const std::vector<std::uint8_t> scaled =
        ScaleImageStrip({static_cast<const std::uint8_t*>(pixels), bytes},
                        {drawnWidth, drawnHeight}, {width_, height_});
    return AddStrip(scaled.data(), scaled.size());
  } catch (const std::invalid_argument&) {
    throw std::runtime_error("The image strip does not hold whole images");
  }
}

void TImageList::Clear() {
  ImageList_Remove(handle_.Get(), -1);
}

void TImageList::SetImageSize(int width, int height) {
  if (!ImageList_SetIconSize(handle_.Get(), width, height)) {
    throw std::runtime_error("Cannot change the image list's image size");
  }
  width_ = width;
  height_ = height;
}

void TImageList::GetIcon(int index, TIcon& icon) const {
  if (index < 0 || index >= Count()) {
    icon.Clear();
    return;
  }
  icon.SetHandle(ImageList_GetIcon(handle_.Get(), index, ILD_NORMAL));
}

int TImageList::Checked(int index) const {
  if (index < 0) throw std::runtime_error("Cannot add the image to the image list");
  return index;
}
