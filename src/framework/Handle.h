#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

// A move-only owner of one Win32 handle. Traits::Close(handle) releases it; a null
// handle owns nothing.
template <typename T, typename Traits>
class THandle {
 public:
  THandle() = default;
  explicit THandle(T handle) : handle_(handle) {}
  ~THandle() { Reset(); }

  THandle(THandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  THandle& operator=(THandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;

  T Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Gives up ownership without closing.
  T Release() { return std::exchange(handle_, nullptr); }

  void Reset(T handle = nullptr) {
    T old = std::exchange(handle_, handle);
    if (old) Traits::Close(old);
  }

 private:
  T handle_ = nullptr;
};

struct TWindowTraits {
  static void Close(HWND handle) { DestroyWindow(handle); }
};
struct TIconTraits {
  static void Close(HICON handle) { DestroyIcon(handle); }
};
struct TImageListTraits {
  static void Close(HIMAGELIST handle) { ImageList_Destroy(handle); }
};
struct TMenuTraits {
  static void Close(HMENU handle) { DestroyMenu(handle); }
};
struct TGdiObjectTraits {
  static void Close(HGDIOBJ handle) { DeleteObject(handle); }
};
struct TDeviceContextTraits {
  static void Close(HDC handle) { DeleteDC(handle); }
};

struct TRegistryKeyTraits {
  static void Close(HKEY handle) { RegCloseKey(handle); }
};

using HwndHandle = THandle<HWND, TWindowTraits>;
using IconHandle = THandle<HICON, TIconTraits>;
using ImageListHandle = THandle<HIMAGELIST, TImageListTraits>;
using MenuHandle = THandle<HMENU, TMenuTraits>;
using FontHandle = THandle<HFONT, TGdiObjectTraits>;
using BrushHandle = THandle<HBRUSH, TGdiObjectTraits>;
using BitmapHandle = THandle<HBITMAP, TGdiObjectTraits>;
using RegistryKeyHandle = THandle<HKEY, TRegistryKeyTraits>;
// A memory device context made with CreateCompatibleDC.
using MemoryDCHandle = THandle<HDC, TDeviceContextTraits>;
