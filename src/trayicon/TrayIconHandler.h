#pragma once

#include <windows.h>

#include <memory>

#include "ForwardingWindow.h"
#include "LiveObjectTable.h"
#include "SharedHandlerSlot.h"

class TTrayIcon;

// The hidden window to which the shell sends the callbacks of every tray icon of the
// process, with the table of live icons that turns a callback's identifier (the shell's
// uID, 32 bits also on x64) back into its component. It also holds the taskbar-restart
// message, registered when the first icon is made.
class TTrayIconHandler {
 public:
  TTrayIconHandler();
  ~TTrayIconHandler();
  TTrayIconHandler(const TTrayIconHandler&) = delete;
  TTrayIconHandler& operator=(const TTrayIconHandler&) = delete;

  unsigned UserCount() const { return UserCount_; }
  HWND Window() const;
  bool Dispatching() const { return Icons_.Dispatching(); }
  // "TaskbarCreated", or 0 when the common controls are older than 4.71.
  UINT TaskbarRestartMessage() const { return TaskbarRestartMessage_; }

  UINT Register(TTrayIcon& icon);
  void Unregister(UINT shellId);

 private:
  friend class TSharedHandlerSlot<TTrayIconHandler>;
  friend class TForwardingWindow<TTrayIconHandler>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  unsigned UserCount_ = 0;
  std::unique_ptr<TForwardingWindow<TTrayIconHandler>> Window_;
  TLiveObjectTable<UINT, TTrayIcon> Icons_;
  UINT TaskbarRestartMessage_ = 0;
};

// The one tray window of the process, alive while any TTrayIcon lives.
extern TSharedHandlerSlot<TTrayIconHandler> SharedTrayHandler;

// The taskbar-restart message while any tray icon lives, else 0.
UINT TaskbarRestartMessage();
