#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "SaveNameAsker.h"

// The system's save dialog, modal to the owner window: Explorer style, resizable, no
// read-only box, default title and folder, no overwrite question, no check that folder
// or file exist, no default extension, a 260-character name buffer.
class TWin32SaveNameAsker : public ISaveNameAsker {
 public:
  using TOwnerSource = std::function<HWND()>;

  explicit TWin32SaveNameAsker(TOwnerSource owner);

  std::optional<std::string> AskSaveName(const TSaveNameRequest& request) override;

 private:
  TOwnerSource owner_;
};

// The dialog's filter list for one entry: description and pattern, each ended by a NUL,
// and a further NUL ending the list. An empty pattern stays empty.
std::string SaveDialogFilter(const std::string& description, const std::string& pattern);
