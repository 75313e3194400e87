#pragma once

#include <windows.h>

#include <functional>

#include "Message.h"

// Saving when Windows ends the session (log-off, shutdown, restart). The program then
// ends without its window closing, so the store is written at the first session-end
// message of a round, whichever window it reaches first: the application window (seen
// through its hook, before the application ends its loop) or the main window (which
// passes its messages to Notice). A round ends when the session end is called off.
//
// The session is never held up: the answer to WM_QUERYENDSESSION stays TRUE, and an
// error while saving is dropped without a word, since nobody could answer a message box
// while the session is ending.
class TSessionEndSaver {
 public:
  explicit TSessionEndSaver(std::function<void()> save);
  ~TSessionEndSaver();
  TSessionEndSaver(const TSessionEndSaver&) = delete;
  TSessionEndSaver& operator=(const TSessionEndSaver&) = delete;

  // One message of a top-level window of the program; does nothing for other messages.
  void Notice(UINT message, WPARAM wParam);

 private:
  static bool AppWindowHook(void* object, TMessage& message);
  void SaveQuietly();

  std::function<void()> save_;
  bool saved_ = false;  // saved in the current round
  bool hooked_ = false;
};
