#pragma once

#include "FileSystem.h"

// Files through the C++ standard library; the cause of a failed create is the C
// library's description of errno.
class TStdFileSystem : public IFileSystem {
 public:
  void WriteNew(const std::string& path, std::string_view bytes) override;
};
