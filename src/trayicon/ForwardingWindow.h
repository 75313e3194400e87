#pragma once

#include <windows.h>

#include "UtilityWindow.h"

// The hidden window of a shared helper (the timer handler, the tray handler): once it
// exists, its messages go to the helper's HandleMessage. The messages of its creation and
// of its destruction get the default handling.
// THelper declares this class a friend when its HandleMessage is private.
template <typename THelper>
class TForwardingWindow final : public TUtilityWindow {
 public:
  explicit TForwardingWindow(THelper& helper) : TUtilityWindow(nullptr), Helper_(helper) {}

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    return Helper_.HandleMessage(message, wParam, lParam);
  }

 private:
  THelper& Helper_;
};
