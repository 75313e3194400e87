#include "SystemLibrary.h"

#include <stdexcept>
#include <utility>

TSystemLibrary::~TSystemLibrary() {
  if (module_) FreeLibrary(module_);
}

TSystemLibrary::TSystemLibrary(TSystemLibrary&& other) noexcept
    : name_(std::move(other.name_)), module_(std::exchange(other.module_, nullptr)) {}

TSystemLibrary& TSystemLibrary::operator=(TSystemLibrary&& other) noexcept {
  if (this != &other) {
    if (module_) FreeLibrary(module_);
    name_ = std::move(other.name_);
    module_ = std::exchange(other.module_, nullptr);
  }
  return *this;
}

FARPROC TSystemLibrary::Address(const char* name) {
  if (!module_) {
    module_ = LoadLibraryExA(name_.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module_) throw std::runtime_error("Cannot load the system library " + name_);
  }
  FARPROC address = GetProcAddress(module_, name);
  if (!address) throw std::runtime_error(std::string("The system library ") + name_ +
                                         " has no function " + name);
  return address;
}

void RestrictLibrarySearchToSystemFolder() {
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
