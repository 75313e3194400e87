// The window-management side of the tray icon: minimise to tray, the start-up decision,
// the MDI check and re-adding the icon when the taskbar is re-created.
#include <algorithm>
#include <memory>
#include <vector>

#include "Application.h"
#include "Form.h"
#include "TrayIcon.h"
#include "TrayIconHandler.h"
#include "WindowProcGuard.h"

// The subclassing of one owner window, shared by the tray icons it owns: the window's
// procedure is replaced once (SetWindowLongPtrA, GWLP_WNDPROC) and the record, kept in a
// window property, lists the icons, the newest first, each of which may consume a
// message before the window's own procedure sees it.
class TTrayIcon::TOwnerSubclass {
 public:
  static void Add(HWND window, TTrayIcon& icon) {
    TOwnerSubclass* record = Of(window);
    if (!record) {
      record = new TOwnerSubclass;
      SetPropA(window, PropertyName, record);
      record->Previous_ = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    }
    icon.OwnerPreviousProc_ = record->Previous_;
    record->Icons_.insert(record->Icons_.begin(), &icon);
  }

  static void Remove(HWND window, TTrayIcon& icon) {
    TOwnerSubclass* record = Of(window);
    if (!record) return;  // the window has gone meanwhile
    std::erase(record->Icons_, &icon);
    if (record->Icons_.empty()) Release(window, record);
  }

 private:
  static constexpr const char* PropertyName = "ArdenixTrayIconOwner";

  static TOwnerSubclass* Of(HWND window) {
    return static_cast<TOwnerSubclass*>(GetPropA(window, PropertyName));
  }

  // Puts the previous procedure back, unless someone subclassed the window after us:
  // then the record stays and passes everything on.
  static void Release(HWND window, TOwnerSubclass* record) {
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    if (current != &Procedure && IsWindow(window)) return;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->Previous_));
    RemovePropA(window, PropertyName);
    delete record;
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardWindowProc([&] { return Route(window, message, wParam, lParam); });
  }

  // An icon's handlers, and the window's own procedure, may destroy icons and with the
  // last one the record: it is looked up again after each of them.
  static LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const TOwnerSubclass* record = Of(window);
    if (!record) return DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC previous = record->Previous_;
    TMessage hooked{message, wParam, lParam, 0};
    const std::vector<TTrayIcon*> icons = record->Icons_;
    for (TTrayIcon* icon : icons) {
      record = Of(window);
      if (!record) break;
      if (std::find(record->Icons_.begin(), record->Icons_.end(), icon) == record->Icons_.end())
        continue;
      if (icon->OwnerWindowProc(hooked)) return hooked.Result;
    }
    const LRESULT result = CallWindowProcA(previous, window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      // The window is gone: its icons find no record when they let go of it.
      if (TOwnerSubclass* left = Of(window)) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(window, PropertyName);
        delete left;
      }
    }
    return result;
  }

  WNDPROC Previous_ = nullptr;
  std::vector<TTrayIcon*> Icons_;
};

void TTrayIcon::SubclassOwner() {
  TWinControl* owner = OwnerControl();
  if (!owner) return;
  OwnerWindow_ = owner->WindowHandle();
  TOwnerSubclass::Add(OwnerWindow_, *this);
}

void TTrayIcon::UnsubclassOwner() {
  if (OwnerWindow_ && OwnerPreviousProc_) TOwnerSubclass::Remove(OwnerWindow_, *this);
  OwnerWindow_ = nullptr;
  OwnerPreviousProc_ = nullptr;
}

bool TTrayIcon::AppWindowHookCallback(void* Object, TMessage& Message) {
  return static_cast<TTrayIcon*>(Object)->AppWindowHook(Message);
}

void TTrayIcon::SendToTray() {
  HideMainWindow();
  SetIconVisible(true);
}

void TTrayIcon::HideMainWindow() {
  if (!OwnerControl() || !Application || !Application->MainForm()) return;
  Application->MainForm()->SetVisible(false);
  HideAppButton();
}

void TTrayIcon::HideAppButton() {
  if (!Application) return;
  if (IsWindowVisible(Application->Handle())) ShowWindow(Application->Handle(), SW_HIDE);
}

// The handler may destroy the component: the message is then consumed all the same.
bool TTrayIcon::TryMinimizeToTray(TMessage& Message) {
  if (!MinimizeToTray_ || !OnMinimizeToTray) return false;
  const std::shared_ptr<bool> alive = Alive_;
  const TNotifyEvent handler = OnMinimizeToTray;
  handler(this);
  if (*alive) SendToTray();
  Message.Result = 1;
  return true;
}

bool TTrayIcon::AppWindowHook(TMessage& Message) {
  if (Message.Msg == WM_SIZE && Message.WParam == SIZE_MINIMIZED && MinimizeToTray_) {
    SendToTray();
  }
  // The check is done before hiding: hiding moves the window again, and that nested
  // WM_WINDOWPOSCHANGED must not ask a second time.
  if (Message.Msg == WM_WINDOWPOSCHANGED && MdiCheckPending_ && Application->MainForm()) {
    MdiCheckPending_ = false;
    if (Application->MainForm()->FormStyle() == TFormStyle::MDIForm) {
      bool showMainForm = true;
      if (OnStartup) OnStartup(this, showMainForm);
      if (!showMainForm) HideAppButton();
    }
  }
  if (Message.Msg == WM_SYSCOMMAND && Message.WParam == SC_RESTORE && Application->MainForm()) {
    Application->MainForm()->SetVisible(true);
  }
  const UINT restart = TaskbarRestartMessage();
  if (restart != 0 && Message.Msg == restart && IconVisible_) AddToTray();
  return false;
}

bool TTrayIcon::OwnerWindowProc(TMessage& Message) {
  if (Message.Msg == WM_SHOWWINDOW && Message.WParam == 1 && Message.LParam == 0) {
    const HWND owner = OwnerWindow_;  // activation handlers may destroy the component
    if (Application) SetForegroundWindow(Application->Handle());
    SetForegroundWindow(owner);
    return false;
  }
  if (Message.Msg == WM_SHOWWINDOW && Message.WParam == 0 && Message.LParam == SW_PARENTCLOSING) {
    return !(Application && Application->Terminated()) && TryMinimizeToTray(Message);
  }
  if (Message.Msg == WM_SYSCOMMAND && Message.WParam == SC_MINIMIZE) {
    return TryMinimizeToTray(Message);
  }
  return false;
}

// Asked once building ends; a false answer starts the application without its main form.
void TTrayIcon::StartupDecision() {
  bool showMainForm = true;
  if (OnStartup) OnStartup(this, showMainForm);
  if (showMainForm) return;
  if (Application) Application->ShowMainForm = false;
  HideMainWindow();
}
