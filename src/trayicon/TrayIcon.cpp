#include "TrayIcon.h"

#include <algorithm>
#include <cstring>

#include "Application.h"
#include "ShellNotify.h"
#include "TrayArithmetic.h"
#include "TrayIconHandler.h"
#include "WinControl.h"

static_assert(TrayNotification::MouseMove == WM_MOUSEMOVE &&
              TrayNotification::LeftDoubleClick == WM_LBUTTONDBLCLK &&
              TrayNotification::MiddleUp == WM_MBUTTONUP &&
              TrayNotification::ContextMenu == WM_CONTEXTMENU &&
              TrayNotification::Select == NIN_SELECT &&
              TrayNotification::KeySelect == NIN_KEYSELECT &&
              TrayNotification::BalloonShow == NIN_BALLOONSHOW &&
              TrayNotification::BalloonUserClick == NIN_BALLOONUSERCLICK);

namespace {

constexpr UINT TrayRecordFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// The physical state of Shift, Ctrl and Alt now (not when the shell saw the mouse).
TShiftState CurrentKeyShift() {
  TShiftState shift = 0;
  if (GetAsyncKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetAsyncKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetAsyncKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

// Calls an assigned event through a copy: a handler that destroys the component destroys
// the event too, and its closure must outlive the call.
template <typename TEvent, typename... TArgs>
void Raise(const TEvent& event, TArgs... args) {
  if (!event) return;
  const TEvent handler = event;
  handler(args...);
}

}  // namespace

TTrayIcon::TTrayIcon(TComponent* Owner) : TComponent(Owner) {
  TTrayIconHandler& handler = SharedTrayHandler.Attach();
  ShellId_ = handler.Register(*this);

  Icon_ = std::make_unique<TIcon>();
  Icon_->OnChange = [this](TObject*) { UpdateTray(); };

  NotifyRecord_ = {};
  NotifyRecord_.cbSize = NotifyRecordSize;
  NotifyRecord_.hWnd = handler.Window();
  NotifyRecord_.uID = ShellId_;
  NotifyRecord_.uFlags = TrayRecordFlags;
  NotifyRecord_.uCallbackMessage = WM_TRAYICONCALLBACK;

  AnimationTimer_ =
      std::make_unique<TSimpleTimer>(1000, [this](TObject* sender) { AnimationStep(sender); });
  DoubleClickTimer_ =
      std::make_unique<TSimpleTimer>(1000, [this](TObject* sender) { DoubleClickTick(sender); });
  HoverPollTimer_ =
      std::make_unique<TSimpleTimer>(20, [this](TObject* sender) { HoverPoll(sender); });

  // The hook first: the owner's window, made on demand here, may already move the
  // application window.
  if (Application) Application->HookMainWindow({this, &TTrayIcon::AppWindowHookCallback});
  try {
    if (OwnerControl()) SubclassOwner();  // may create the owner's window, and fail
  } catch (...) {
    if (Application) Application->UnhookMainWindow({this, &TTrayIcon::AppWindowHookCallback});
    handler.Unregister(ShellId_);
    SharedTrayHandler.Detach();
    throw;
  }
}

TTrayIcon::~TTrayIcon() {
  *Alive_ = false;
  try {
    SetIconVisible(false);
    AnimationTimer_.reset();
    DoubleClickTimer_.reset();
    HoverPollTimer_.reset();
    try {
      Icon_.reset();
    } catch (...) {
      // Destruction completes whatever the icon does.
    }
  } catch (...) {
    // The second stage runs in any case.
  }
  if (Application) Application->UnhookMainWindow({this, &TTrayIcon::AppWindowHookCallback});
  UnsubclassOwner();
  if (TTrayIconHandler* handler = SharedTrayHandler.Get()) handler->Unregister(ShellId_);
  SharedTrayHandler.Detach();
}

TWinControl* TTrayIcon::OwnerControl() const {
  return dynamic_cast<TWinControl*>(Owner());
}

// --- Properties -----------------------------------------------------------------------

void TTrayIcon::SetIconList(TImageList* value) {
  if (IconList_ && IconList_ != value) IconList_->RemoveFreeNotification(this);
  IconList_ = value;
  if (IconList_) IconList_->FreeNotification(this);
  SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool value) {
  CycleIcons_ = value;
  if (value) {
    SetIconIndex(0);
    AnimationTimer_->SetInterval(CycleInterval_);
    AnimationTimer_->SetEnabled(true);
  } else {
    AnimationTimer_->SetEnabled(false);
  }
}

void TTrayIcon::SetCycleInterval(UINT value) {
  CycleInterval_ = value;
  SetCycleIcons(CycleIcons_);
}

void TTrayIcon::SetHint(const std::string& value) {
  Hint_ = value;
  UpdateTray();
}

void TTrayIcon::SetShowHint(bool value) {
  ShowHint_ = value;
  UpdateTray();
}

// One shell update for the new picture, not one for the copy and one more.
void TTrayIcon::SetIcon(const TIcon& value) {
  Icon_->SetNotifyEnabled(false);
  try {
    Icon_->Assign(value);
  } catch (...) {
    Icon_->SetNotifyEnabled(true);
    throw;
  }
  Icon_->SetNotifyEnabled(true);
  UpdateTray();
}

void TTrayIcon::SetIconVisible(bool value) {
  if (value)
    AddToTray();
  else
    RemoveFromTray();
}

void TTrayIcon::SetIconIndex(int value) {
  if (IconList_) {
    IconIndex_ = ClampedIconIndex(value, IconList_->Count());
    IconList_->GetIcon(IconIndex_, *Icon_);
  } else {
    IconIndex_ = 0;
  }
  UpdateTray();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* value) {
  if (PopupMenu_ && PopupMenu_ != value) PopupMenu_->RemoveFreeNotification(this);
  PopupMenu_ = value;
  if (PopupMenu_) PopupMenu_->FreeNotification(this);
}

// Re-arms the poll only when the cursor already counts as over the icon (the detection
// was switched off and on again while it was there).
void TTrayIcon::SetWantEnterExitEvents(bool value) {
  WantEnterExitEvents_ = value;
  HoverPollTimer_->SetEnabled(value && !Pointer_.CursorOutside());
}

void TTrayIcon::SetNotifyMode(TTrayNotifyMode value) {
  NotifyMode_ = value;
  if (value == nmClassic) NotifyRecord_.uVersion = 0;
  if (value == nmShell5) NotifyRecord_.uVersion = NOTIFYICON_VERSION;
  NotifyShell(NIM_SETVERSION);
}

// --- Shell ------------------------------------------------------------------------------

BOOL TTrayIcon::NotifyShell(DWORD message) {
  return ShellNotifyIcon(message, &NotifyRecord_);
}

bool TTrayIcon::FillNotifyRecord() {
  NotifyRecord_.hIcon = Icon_ ? Icon_->Handle() : nullptr;
  const TTrayTip tip = TrayTipText(Hint_, ShowHint_);
  static_assert(sizeof NotifyRecord_.szTip == TrayTipSize);
  std::memcpy(NotifyRecord_.szTip, tip.data(), TrayTipSize);
  return true;
}

bool TTrayIcon::AddToTray() {
  IconVisible_ = true;
  return FillNotifyRecord() && NotifyShell(NIM_ADD);
}

bool TTrayIcon::RemoveFromTray() {
  IconVisible_ = false;
  return FillNotifyRecord() && NotifyShell(NIM_DELETE);
}

// Does not look at IconVisible: for an icon that is not shown the shell refuses.
bool TTrayIcon::UpdateTray() {
  return FillNotifyRecord() && NotifyShell(NIM_MODIFY);
}

// --- Component --------------------------------------------------------------------------

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::Remove) return;
  if (IconList_ && AComponent == IconList_) {
    IconList_ = nullptr;
    SetIconList(nullptr);
  }
  if (PopupMenu_ && AComponent == PopupMenu_) PopupMenu_ = nullptr;
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (OwnerControl()) StartupDecision();
  UpdateTray();
  SetIconVisible(IconVisible_);
  SetCycleIcons(CycleIcons_);
  SetWantEnterExitEvents(WantEnterExitEvents_);
  SetNotifyMode(NotifyMode_);
}

// --- Callbacks --------------------------------------------------------------------------

// Indexed by TTrayAction.
const TTrayIcon::TStepHandler TTrayIcon::StepHandlers[] = {
    &TTrayIcon::StepMouseEnter,
    &TTrayIcon::StepMouseMove,
    &TTrayIcon::StepRestartDoubleClickTimer,
    &TTrayIcon::StepMouseDown,
    &TTrayIcon::StepMouseUp,
    &TTrayIcon::StepClick,
    &TTrayIcon::StepDblClick,
    &TTrayIcon::StepDefaultMenuItem,
    &TTrayIcon::StepShowTrayMenu,
    &TTrayIcon::StepLeftPopupMenu,
    &TTrayIcon::StepCursorInside,
    &TTrayIcon::StepPointerState,
    &TTrayIcon::StepPointerState,
    &TTrayIcon::StepBalloonShow,
    &TTrayIcon::StepBalloonHide,
    &TTrayIcon::StepBalloonTimeout,
    &TTrayIcon::StepBalloonClick,
};

void TTrayIcon::HandleCallback(UINT notification) {
  static_assert(std::size(StepHandlers) == static_cast<size_t>(TTrayAction::BalloonClick) + 1);
  TTrayCallbackInput input;
  input.Enabled = Enabled_;
  input.NotifyMode = NotifyMode_;
  input.DblClickAssigned = static_cast<bool>(OnDblClick);
  input.DoubleClickTimerEnabled = DoubleClickTimer_->Enabled();
  input.WantEnterExitEvents = WantEnterExitEvents_;
  input.Keys = CurrentKeyShift();
  POINT cursor{};
  GetCursorPos(&cursor);
  input.Cursor = {cursor.x, cursor.y};

  const std::shared_ptr<bool> alive = Alive_;
  for (const TTrayStep& step : Pointer_.Decode(notification, input)) {
    (this->*StepHandlers[static_cast<size_t>(step.Action)])(step);
    if (!*alive) return;
  }
}

void TTrayIcon::StepMouseEnter(const TTrayStep&) {
  DoMouseEnter();
}
void TTrayIcon::StepMouseMove(const TTrayStep& s) {
  DoMouseMove(s.Shift, s.Pos.X, s.Pos.Y);
}
void TTrayIcon::StepRestartDoubleClickTimer(const TTrayStep&) {
  DoubleClickTimer_->SetInterval(GetDoubleClickTime());
  DoubleClickTimer_->SetEnabled(true);
}
void TTrayIcon::StepMouseDown(const TTrayStep& s) {
  DoMouseDown(s.Button, s.Shift, s.Pos.X, s.Pos.Y);
}
void TTrayIcon::StepMouseUp(const TTrayStep& s) {
  DoMouseUp(s.Button, s.Shift, s.Pos.X, s.Pos.Y);
}
void TTrayIcon::StepClick(const TTrayStep&) {
  DoClick();
}
void TTrayIcon::StepDblClick(const TTrayStep&) {
  DoDblClick();
}
void TTrayIcon::StepDefaultMenuItem(const TTrayStep&) {
  ClickDefaultMenuItem();
}
void TTrayIcon::StepShowTrayMenu(const TTrayStep&) {
  ShowTrayMenu();
}
void TTrayIcon::StepLeftPopupMenu(const TTrayStep&) {
  if (LeftPopup_) ShowTrayMenu();
}
// Only the move that raised OnMouseEnter gets here: from now on the poll watches for the
// cursor to leave, and nothing polls while it is away.
void TTrayIcon::StepCursorInside(const TTrayStep& s) {
  Pointer_.Apply(s);
  HoverPollTimer_->SetEnabled(true);
}
void TTrayIcon::StepPointerState(const TTrayStep& s) {
  Pointer_.Apply(s);
}
void TTrayIcon::StepBalloonShow(const TTrayStep&) {
  Raise(OnBalloonHintShow, this);
}
void TTrayIcon::StepBalloonHide(const TTrayStep&) {
  Raise(OnBalloonHintHide, this);
}
void TTrayIcon::StepBalloonTimeout(const TTrayStep&) {
  Raise(OnBalloonHintTimeout, this);
}
void TTrayIcon::StepBalloonClick(const TTrayStep&) {
  Raise(OnBalloonHintClick, this);
}

// --- Dispatchers ------------------------------------------------------------------------

void TTrayIcon::DoClick() {
  Raise(OnClick, this);
}
void TTrayIcon::DoDblClick() {
  Raise(OnDblClick, this);
}
void TTrayIcon::DoCycle() {
  if (!OnCycle) return;
  const int count = IconList_ ? IconList_->Count() : 0;
  Raise(OnCycle, this, NextCycleIndex(IconIndex_, count));
}
void TTrayIcon::DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Raise(OnMouseDown, this, Button, Shift, X, Y);
}
void TTrayIcon::DoMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Raise(OnMouseUp, this, Button, Shift, X, Y);
}
void TTrayIcon::DoMouseMove(TShiftState Shift, int X, int Y) {
  Raise(OnMouseMove, this, Shift, X, Y);
}
void TTrayIcon::DoMouseEnter() {
  Raise(OnMouseEnter, this);
}
void TTrayIcon::DoMouseExit() {
  Raise(OnMouseExit, this);
}

// --- Timers -----------------------------------------------------------------------------

void TTrayIcon::AnimationStep(TObject*) {
  if (!IconList_) return;
  IconList_->GetIcon(IconIndex_, *Icon_);
  const std::shared_ptr<bool> alive = Alive_;
  DoCycle();
  if (!*alive || !IconList_) return;
  SetIconIndex(NextCycleIndex(IconIndex_, IconList_->Count()));
}

void TTrayIcon::DoubleClickTick(TObject*) {
  DoubleClickTimer_->SetEnabled(false);
  if (Pointer_.DoubleClickTick()) {
    const std::shared_ptr<bool> alive = Alive_;
    DoClick();
    if (!*alive) return;
  }
  Pointer_.DoubleClickTickDone();
}

// Armed only while the cursor counts as over the icon; the exit disarms it before
// OnMouseExit runs, so that a tray program left alone wakes up for nothing.
void TTrayIcon::HoverPoll(TObject*) {
  if (Pointer_.CursorOutside()) return;
  POINT cursor{};
  if (!GetCursorPos(&cursor)) return;
  if (!Pointer_.HoverPoll({cursor.x, cursor.y})) return;
  HoverPollTimer_->SetEnabled(false);
  DoMouseExit();
}

// --- Menu -------------------------------------------------------------------------------

void TTrayIcon::ShowTrayMenu() {
  POINT cursor{};
  if (!PopupMenu_ || !PopupMenu_->AutoPopup || !GetCursorPos(&cursor)) return;
  const std::shared_ptr<bool> alive = Alive_;
  if (Application) {
    SetForegroundWindow(Application->Handle());
    Application->ProcessMessages();
    if (!*alive || !PopupMenu_) return;
  }
  PopupMenu_->PopupComponent = this;
  PopupMenu_->Popup(cursor.x, cursor.y);
  if (!*alive) return;
  // Lets the owner's window see a message after the menu, so that the menu closes
  // properly when the user clicks elsewhere next time.
  if (TWinControl* owner = OwnerControl()) PostMessageA(owner->WindowHandle(), WM_NULL, 0, 0);
}

// The default item is the topmost item marked Default.
void TTrayIcon::ClickDefaultMenuItem() {
  if (!PopupMenu_ || !PopupMenu_->AutoPopup || LeftPopup_) return;
  TMenuItem* chosen = nullptr;
  for (int index = PopupMenu_->Count() - 1; index >= 0; --index) {
    if (PopupMenu_->Items(index).Default) chosen = &PopupMenu_->Items(index);
  }
  if (chosen) chosen->Click();
}
