#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// A file opened for writing by IStoreFiles::CreateNew. Closed (without flushing) when
// destroyed if Close was not called.
class IStoreFile {
 public:
  virtual ~IStoreFile() = default;

  // Each returns false when the system refuses the step.
  virtual bool Write(std::string_view bytes) = 0;
  // Sends what was written to the disk itself, not just to the system's cache.
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
};

// A whole file as IStoreFiles::ReadAll gives it.
struct TFileContent {
  std::optional<std::string> Bytes;  // none: there is no such file, or it could not be read
  std::string Problem;  // why it could not be read, in the system's words; empty when it
                        // simply is not there
};

// The file steps the profile store is built from, one call per step, so that the store's
// own logic stays free of any platform and every step can be made to fail in tests
// (Windows: src/system/Win32StoreFiles; elsewhere: TStdStoreFiles).
class IStoreFiles {
 public:
  virtual ~IStoreFiles() = default;

  // The whole content of the file. A file that is not there (nor its folder) gives no
  // bytes and no problem; one that is there but cannot be opened or read (held by another
  // program without sharing, no permission, a folder of that name) gives the reason.
  virtual TFileContent ReadAll(const std::string& path) = 0;

  // Creates the file for writing, emptying it when it exists, with no one else allowed
  // in while it is open. Null when the system refuses.
  virtual std::unique_ptr<IStoreFile> CreateNew(const std::string& path) = 0;

  // Puts the file `from` in the place of `to` in one step: afterwards `to` is either
  // still the old file or wholly the new one, even if the system stops midway.
  virtual bool ReplaceAtomically(const std::string& from, const std::string& to) = 0;

  // Deletes the file; true also when there was none.
  virtual bool Remove(const std::string& path) = 0;
};
