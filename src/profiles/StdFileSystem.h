#pragma once

#include "FileSystem.h"

// Files through the C++ standard library; the cause of a failed create is the C
// library's description of errno. The standard library cannot keep others out of a file:
// a held file here is only kept open and read back through its own stream.
class TStdFileSystem : public IFileSystem {
 public:
  void WriteNew(const std::string& path, std::string_view bytes) override;
  std::unique_ptr<IHeldFile> WriteHeld(const std::string& path, std::string_view bytes) override;
};
