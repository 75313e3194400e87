#pragma once

#include <windows.h>

#include <commctrl.h>

#include "Component.h"
#include "Handle.h"

class TIcon;

// A list of same-sized images (16 x 16 unless told otherwise), 32-bit colour with
// alpha and a mask.
class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner, int width = 16, int height = 16);

  HIMAGELIST Handle() const { return handle_.Get(); }
  int Count() const;
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Each adds one image at the end and returns its index; they throw
  // std::runtime_error when the image cannot be added.
  int AddIcon(HICON icon);  // the list keeps a copy
  int AddIcon(const TIcon& icon);
  // A 32-bit bitmap of Width() x Height() (alpha used when present), and an optional
  // monochrome mask.
  int AddBitmap(HBITMAP image, HBITMAP mask);
  // Images side by side in one row of 32-bit pixels, blue-green-red-alpha with straight
  // (not premultiplied) alpha, top row first: `bytes` must hold a whole number of
  // Width() x Height() images. The mask is made from the alpha (0 is transparent).
  // Returns the index of the first image. One call puts in all of them, which is
  // many times faster than adding icons one by one.
  int AddStrip(const void* pixels, size_t bytes);
  // The same from a raw-data (RT_RCDATA) resource whose images are drawn at
  // `drawnWidth` x `drawnHeight`: resampled to Width() x Height() when those differ
  // (ScaleImageStrip).
  int AddStripResource(HINSTANCE instance, const char* name, int drawnWidth, int drawnHeight);
  void Clear();
  // Empties the list and makes its images `width` x `height` from now on (the screen's
  // scale has changed). Whoever shows the list must be told: the list's handle stays.
  void SetImageSize(int width, int height);

  // Copies image `index` into `icon`; an index with no image gives an empty icon.
  void GetIcon(int index, TIcon& icon) const;

 private:
  int Checked(int index) const;

  int width_;
  int height_;
  ImageListHandle handle_;
};
