#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A file operation that failed. what() is the text the user is shown as it stands.
class TFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;

  // "Cannot create file "<full path>". <cause>", cause being the system's own words.
  static TFileError CannotCreate(std::string_view fullPath, std::string_view cause);
  // Fewer bytes reached the file than were handed over.
  static TFileError WriteFailed();
};

// The file is kept open by someone who lets no one else write it (a pending apply holds
// its script so): it was left as it was.
class TFileInUse : public TFileError {
 public:
  using TFileError::TFileError;
};

// A file that was written and is kept open so that, while this object lives, no one can
// write, rename or delete it; others may read it. Closed when this object goes.
class IHeldFile {
 public:
  virtual ~IHeldFile() = default;
  // The file's bytes as they are now, read through the hold from its start; none when
  // they cannot be read.
  virtual std::optional<std::string> ReadBack() = 0;
};

// The few file operations the profile logic needs, so that it stays free of any one
// platform's file API (Windows: src/system/Win32FileSystem; elsewhere: TStdFileSystem).
class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // Creates the file, or truncates it when it exists, and writes the bytes as they are
  // in one write. Throws TFileError (CannotCreate or WriteFailed).
  virtual void WriteNew(const std::string& path, std::string_view bytes) = 0;

  // As WriteNew, then holds the file. Whatever the file holds is read back through the
  // hold (ReadBack), never taken on trust: between the write and the hold another
  // program may have had a moment. Throws TFileInUse when another holder keeps the file,
  // TFileError otherwise.
  virtual std::unique_ptr<IHeldFile> WriteHeld(const std::string& path,
                                               std::string_view bytes) = 0;
};
