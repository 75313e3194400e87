#pragma once

#include <windows.h>

#include <functional>

#include "Window.h"

// A hidden top-level window that only receives messages: WS_EX_TOOLWINDOW, WS_POPUP,
// empty caption, size 0, never shown. Every message goes to the handler given at
// construction, from the moment the constructor has returned (the creation messages get
// the default handling); DefaultHandling gives the system's default for messages the
// handler leaves.
// Not copyable and not movable (the window refers to the object): hold it by
// std::unique_ptr where it must change hands.
class TUtilityWindow : public TWindow {
 public:
  using THandler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

  explicit TUtilityWindow(THandler handler);
  ~TUtilityWindow() override;

  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandler(message, wParam, lParam);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  THandler handler_;
  bool created_ = false;
};
