#include "ImageList.h"

#include <stdexcept>

#include "Icon.h"

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

int TImageList::AddIconResource(HINSTANCE instance, const char* name) {
  IconHandle icon(
      static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, width_, height_, LR_DEFAULTCOLOR)));
  if (!icon) throw std::runtime_error("Cannot load the icon resource for the image list");
  return AddIcon(icon.Get());
}

int TImageList::AddBitmap(HBITMAP image, HBITMAP mask) {
  return Checked(ImageList_Add(handle_.Get(), image, mask));
}

void TImageList::Clear() {
  ImageList_Remove(handle_.Get(), -1);
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
