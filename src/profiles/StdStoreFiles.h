#pragma once

#include "StoreFiles.h"

// Store files through the C++ standard library. Flush empties the stream's buffer into
// the system; the standard library has no way to ask for the disk itself.
class TStdStoreFiles : public IStoreFiles {
 public:
  TFileContent ReadAll(const std::string& path) override;
  std::unique_ptr<IStoreFile> CreateNew(const std::string& path) override;
  bool ReplaceAtomically(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
};
