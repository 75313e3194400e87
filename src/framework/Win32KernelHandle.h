#pragma once

#include <windows.h>

#include <utility>

// A move-only owner of a kernel object handle (file, token), closed with CloseHandle.
// Holds nullptr when empty; INVALID_HANDLE_VALUE from CreateFile is turned into that.
class TKernelHandle {
 public:
  TKernelHandle() = default;
  explicit TKernelHandle(HANDLE handle)
      : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~TKernelHandle() {
    if (handle_) CloseHandle(handle_);
  }

  TKernelHandle(TKernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TKernelHandle& operator=(TKernelHandle&& other) noexcept {
    if (this != &other) {
      if (handle_) CloseHandle(handle_);
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  TKernelHandle(const TKernelHandle&) = delete;
  TKernelHandle& operator=(const TKernelHandle&) = delete;

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};
