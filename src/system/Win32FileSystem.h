#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "FileSystem.h"
#include "SystemErrorText.h"

// Files through the Win32 API. A file is written as the system's own file streams do:
// opened for reading and writing, not shared, always created anew.
//
// A held file is written so, closed, and opened again for reading only, shared for reading
// only: a writer, a rename or a delete (which needs the file opened for deletion) then
// fails with a sharing violation, while netsh can still open it to read. It is not held
// by the writing handle itself, since a reader that shares only reading could not open a
// file that is open for writing. What happens to the file in the moment between shows
// in the bytes read back.
class TWin32FileSystem : public IFileSystem {
 public:
  // Called with the path between the write and the hold; a test's way into that moment.
  using TBetweenWriteAndHold = std::function<void(const std::string& path)>;

  explicit TWin32FileSystem(TBetweenWriteAndHold betweenWriteAndHold = {})
      : betweenWriteAndHold_(std::move(betweenWriteAndHold)) {}

  void WriteNew(const std::string& path, std::string_view bytes) override;
  std::unique_ptr<IHeldFile> WriteHeld(const std::string& path, std::string_view bytes) override;

 private:
  TBetweenWriteAndHold betweenWriteAndHold_;
};
