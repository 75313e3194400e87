#pragma once

#include <windows.h>

#include <shellapi.h>

#include <utility>
#include <vector>

#include "ShellNotify.h"

// Puts itself between the tray icons and the shell while it lives and keeps a copy of
// every record handed over. Without `forward` it answers TRUE in the shell's place.
class TShellRecorder {
 public:
  struct TCall {
    DWORD Message;
    NOTIFYICONDATAA Record;
  };

  explicit TShellRecorder(bool forward = false) : saved_(std::move(ShellNotifyIcon)) {
    ShellNotifyIcon = [this, forward](DWORD message, NOTIFYICONDATAA* data) {
      Calls.push_back({message, *data});
      return forward ? Shell_NotifyIconA(message, data) : TRUE;
    };
  }
  ~TShellRecorder() { ShellNotifyIcon = std::move(saved_); }
  TShellRecorder(const TShellRecorder&) = delete;
  TShellRecorder& operator=(const TShellRecorder&) = delete;

  // The messages handed over for one icon, in order.
  std::vector<DWORD> MessagesFor(UINT shellId) const {
    std::vector<DWORD> messages;
    for (const TCall& call : Calls)
      if (call.Record.uID == shellId) messages.push_back(call.Message);
    return messages;
  }

  std::vector<TCall> Calls;

 private:
  TShellNotifyFunction saved_;
};
