#include "SessionEnd.h"

#include <utility>

#include "Application.h"

TSessionEndSaver::TSessionEndSaver(std::function<void()> save) : save_(std::move(save)) {
  if (Application) {
    Application->HookMainWindow({this, &TSessionEndSaver::AppWindowHook});
    hooked_ = true;
  }
}

TSessionEndSaver::~TSessionEndSaver() {
  if (hooked_ && Application)
    Application->UnhookMainWindow({this, &TSessionEndSaver::AppWindowHook});
}

// Leaves the message to the application: it answers the query and ends its loop.
bool TSessionEndSaver::AppWindowHook(void* object, TMessage& message) {
  static_cast<TSessionEndSaver*>(object)->Notice(message.Msg, message.WParam);
  return false;
}

void TSessionEndSaver::Notice(UINT message, WPARAM wParam) {
  if (message == WM_QUERYENDSESSION || (message == WM_ENDSESSION && wParam)) {
    if (!saved_) SaveQuietly();
  } else if (message == WM_ENDSESSION) {
    saved_ = false;  // called off: a later session end saves what is there then
  }
}

void TSessionEndSaver::SaveQuietly() {
  saved_ = true;
  try {
    if (save_) save_();
  } catch (...) {
    // No message box while the session ends; the program ends all the same.
  }
}
