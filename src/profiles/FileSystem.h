#pragma once

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

// The few file operations the profile logic needs, so that it stays free of any one
// platform's file API (Windows: src/system/Win32FileSystem; elsewhere: TStdFileSystem).
class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // Creates the file, or truncates it when it exists, and writes the bytes as they are
  // in one write. Throws TFileError (CannotCreate or WriteFailed).
  virtual void WriteNew(const std::string& path, std::string_view bytes) = 0;
};
