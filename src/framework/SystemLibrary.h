#pragma once

#include <windows.h>

#include <string>

// A library of the system folder, loaded when one of its functions is first asked for
// and freed with this object; move-only. Only the system folder is searched, never the
// program's folder, so a planted file of the same name is not loaded.
class TSystemLibrary {
 public:
  explicit TSystemLibrary(std::string name) : name_(std::move(name)) {}
  ~TSystemLibrary();
  TSystemLibrary(TSystemLibrary&& other) noexcept;
  TSystemLibrary& operator=(TSystemLibrary&& other) noexcept;
  TSystemLibrary(const TSystemLibrary&) = delete;
  TSystemLibrary& operator=(const TSystemLibrary&) = delete;

  // The function `name`, loading the library first if need be. Throws std::runtime_error
  // when the library or the function is missing.
  template <typename TFunction>
  TFunction Function(const char* name) {
    return reinterpret_cast<TFunction>(reinterpret_cast<void*>(Address(name)));
  }

  bool Loaded() const { return module_ != nullptr; }

 private:
  FARPROC Address(const char* name);

  std::string name_;
  HMODULE module_ = nullptr;
};

// From here on, every library this process loads by name, ours and those the system's own
// libraries load, comes from the system folder, never from the program's folder (which
// the user may write to). Called first thing by each of our programs.
void RestrictLibrarySearchToSystemFolder();
