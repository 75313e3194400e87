#pragma once

#include <windows.h>

#include <string>

#include "FileSystem.h"
#include "SystemErrorText.h"

// Files through the Win32 API. A file is written as the system's own file streams do:
// opened for reading and writing, not shared, always created anew.
class TWin32FileSystem : public IFileSystem {
 public:
  void WriteNew(const std::string& path, std::string_view bytes) override;
};
