#pragma once

#include "StoreFiles.h"

// The profile store's file steps on Windows: ReadAll shares the file with every other
// reader and writer, CreateNew opens exclusively, Flush is FlushFileBuffers and the
// replacement is MoveFileEx with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
class TWin32StoreFiles : public IStoreFiles {
 public:
  TFileContent ReadAll(const std::string& path) override;
  std::unique_ptr<IStoreFile> CreateNew(const std::string& path) override;
  bool ReplaceAtomically(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
};
