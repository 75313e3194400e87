#include "Icon.h"

#include <stdexcept>

void TIcon::SetHandle(HICON icon) {
  handle_.Reset(icon);
  Changed();
}

void TIcon::Assign(const TIcon& source) {
  if (&source == this) return;
  HICON copy = nullptr;
  if (!source.Empty()) {
    copy = CopyIcon(source.Handle());
    if (!copy) throw std::runtime_error("Cannot copy the icon");
  }
  SetHandle(copy);
}

void TIcon::LoadFromResource(HINSTANCE instance, const char* name, int width, int height) {
  HANDLE loaded = LoadImageA(instance, name, IMAGE_ICON, width, height, LR_DEFAULTCOLOR);
  if (!loaded) throw std::runtime_error("Cannot load the icon resource");
  SetHandle(static_cast<HICON>(loaded));
}

void TIcon::Changed() {
  if (notifyEnabled_ && OnChange) OnChange(this);
}
