#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "SaveNameAsker.h"
#include "SystemLibrary.h"

// The system's save dialog, modal to the owner window: Explorer style, resizable, no
// read-only box, default title and folder, no check that folder or file exist, a
// 260-character name buffer; the overwrite question and the default extension as the
// request says. The dialog's library (and the printing libraries it brings along) is
// loaded when the dialog is first asked for: loaded with the program, it cost every
// start-up a few dozen milliseconds under Wine.
class TWin32SaveNameAsker : public ISaveNameAsker {
 public:
  using TOwnerSource = std::function<HWND()>;

  explicit TWin32SaveNameAsker(TOwnerSource owner);

  std::optional<std::string> AskSaveName(const TSaveNameRequest& request) override;

 private:
  TOwnerSource owner_;
  TSystemLibrary dialogs_{"comdlg32.dll"};
};

// The dialog's filter list for one entry: description and pattern, each ended by a NUL,
// and a further NUL ending the list. An empty pattern stays empty.
std::string SaveDialogFilter(const std::string& description, const std::string& pattern);
