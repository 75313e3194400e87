#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "Component.h"
#include "Events.h"
#include "Icon.h"
#include "ImageList.h"
#include "Message.h"
#include "PopupMenu.h"
#include "SimpleTimer.h"
#include "TrayPointerLogic.h"
#include "TrayTypes.h"

using TCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;
using TStartupEvent = std::function<void(TObject* Sender, bool& ShowMainForm)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// One icon in the notification area: keeps it up to date with Icon and Hint, turns the
// shell's mouse notifications into events, shows PopupMenu at the cursor, animates the
// icon through IconList, and hides a minimised application in the notification area
// (MinimizeToTray).
//
// Every setter acts at once, also while the owner is being built; Loaded() (called by the
// owning form when building ends) applies the stored settings once more and makes the
// start-up decision (OnStartup). The icon leaves the notification area when the component
// is destroyed.
class TWinControl;

class TTrayIcon : public TComponent {
 public:
  explicit TTrayIcon(TComponent* Owner);
  ~TTrayIcon() override;

  // Source of the animation images; not owned (its destruction clears it).
  TImageList* IconList() const { return IconList_; }
  void SetIconList(TImageList* value);
  bool CycleIcons() const { return CycleIcons_; }
  void SetCycleIcons(bool value);
  // Animation period in ms; 0 never ticks.
  UINT CycleInterval() const { return CycleInterval_; }
  void SetCycleInterval(UINT value);
  // When false, mouse notifications are ignored (balloon ones still arrive).
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool value) { Enabled_ = value; }
  const std::string& Hint() const { return Hint_; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return ShowHint_; }
  void SetShowHint(bool value);
  // The picture shown; any change of it updates the notification area.
  TIcon& Icon() { return *Icon_; }
  const TIcon& Icon() const { return *Icon_; }
  void SetIcon(const TIcon& value);
  // What the component asked for (not what the shell accepted).
  bool IconVisible() const { return IconVisible_; }
  void SetIconVisible(bool value);
  int IconIndex() const { return IconIndex_; }
  void SetIconIndex(int value);
  // Not owned (its destruction clears it).
  TPopupMenu* PopupMenu() const { return PopupMenu_; }
  void SetPopupMenu(TPopupMenu* value);
  bool LeftPopup() const { return LeftPopup_; }
  void SetLeftPopup(bool value) { LeftPopup_ = value; }
  // Enter and exit detection. The hover poll runs only while the cursor counts as over
  // the icon: from the move that raised OnMouseEnter until OnMouseExit.
  bool WantEnterExitEvents() const { return WantEnterExitEvents_; }
  void SetWantEnterExitEvents(bool value);
  bool MinimizeToTray() const { return MinimizeToTray_; }
  void SetMinimizeToTray(bool value) { MinimizeToTray_ = value; }
  TTrayNotifyMode NotifyMode() const { return NotifyMode_; }
  void SetNotifyMode(TTrayNotifyMode value);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TCycleEvent OnCycle;
  TNotifyEvent OnBalloonHintShow;
  TNotifyEvent OnBalloonHintHide;
  TNotifyEvent OnBalloonHintTimeout;
  TNotifyEvent OnBalloonHintClick;
  TNotifyEvent OnMinimizeToTray;
  TStartupEvent OnStartup;

  // The icon's identifier with the shell (uID): unique among live components.
  UINT ShellId() const { return ShellId_; }
  // The record handed to every Shell_NotifyIconA call.
  const NOTIFYICONDATAA& NotifyRecord() const { return NotifyRecord_; }
  const TSimpleTimer& AnimationTimer() const { return *AnimationTimer_; }
  const TSimpleTimer& DoubleClickTimer() const { return *DoubleClickTimer_; }
  const TSimpleTimer& HoverPollTimer() const { return *HoverPollTimer_; }

  // Each returns whether the shell accepted the call.
  virtual bool AddToTray();
  virtual bool RemoveFromTray();
  virtual bool UpdateTray();

  // Shows a balloon by the icon, which must be in the notification area: the title and
  // the text cut to what the shell holds (63 and 255 characters), the picture chosen by
  // `flags`, shown for about `timeoutMs` (the system bounds it). Only this call carries
  // the balloon: later updates of the icon or its hint do not bring it back. Returns
  // whether the shell accepted it; no balloon event is waited for (not every shell sends
  // them).
  bool ShowBalloon(const std::string& title, const std::string& text,
                   TBalloonFlags flags = bfInfo, UINT timeoutMs = 10000);

  // Opens PopupMenu at the cursor (when it is set and AutoPopup); returns when it closed.
  void ShowTrayMenu();
  // The minimise-to-tray action: hides the main form and the taskbar button, shows the icon.
  virtual void SendToTray();
  // Hides the application's main form (whichever form owns this) and the taskbar button.
  void HideMainWindow();
  // Hides the application window, which removes the program's taskbar button.
  void HideAppButton();

  // One shell callback for this icon (the callback message's lParam).
  void HandleCallback(UINT notification);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

  virtual void DoClick();
  virtual void DoDblClick();
  virtual void DoCycle();
  virtual void DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoMouseMove(TShiftState Shift, int X, int Y);
  virtual void DoMouseEnter();
  virtual void DoMouseExit();

  // Minimise to tray through OnMinimizeToTray; true when the message was consumed.
  bool TryMinimizeToTray(TMessage& Message);
  // The application window's messages before the application handles them; never ends
  // that handling.
  bool AppWindowHook(TMessage& Message);
  // The owner window's messages while it is subclassed; true when the message was
  // consumed (its result in Message.Result) and must not reach the owner.
  bool OwnerWindowProc(TMessage& Message);

 private:
  class TOwnerSubclass;
  using TStepHandler = void (TTrayIcon::*)(const TTrayStep&);
  static const TStepHandler StepHandlers[];

  bool FillNotifyRecord();
  BOOL NotifyShell(DWORD message);
  TWinControl* OwnerControl() const;
  void StartupDecision();
  void SubclassOwner();
  void UnsubclassOwner();
  static bool AppWindowHookCallback(void* Object, TMessage& Message);

  void AnimationStep(TObject* Sender);
  void DoubleClickTick(TObject* Sender);
  void HoverPoll(TObject* Sender);
  void ClickDefaultMenuItem();

  void StepMouseEnter(const TTrayStep& step);
  void StepMouseMove(const TTrayStep& step);
  void StepRestartDoubleClickTimer(const TTrayStep& step);
  void StepMouseDown(const TTrayStep& step);
  void StepMouseUp(const TTrayStep& step);
  void StepClick(const TTrayStep& step);
  void StepDblClick(const TTrayStep& step);
  void StepDefaultMenuItem(const TTrayStep& step);
  void StepShowTrayMenu(const TTrayStep& step);
  void StepLeftPopupMenu(const TTrayStep& step);
  void StepCursorInside(const TTrayStep& step);
  void StepPointerState(const TTrayStep& step);
  void StepBalloonShow(const TTrayStep& step);
  void StepBalloonHide(const TTrayStep& step);
  void StepBalloonTimeout(const TTrayStep& step);
  void StepBalloonClick(const TTrayStep& step);

  bool Enabled_ = true;
  std::unique_ptr<TIcon> Icon_;
  UINT ShellId_ = 0;
  bool IconVisible_ = false;
  std::string Hint_;
  bool ShowHint_ = true;
  TPopupMenu* PopupMenu_ = nullptr;
  bool LeftPopup_ = false;
  bool MinimizeToTray_ = false;
  std::unique_ptr<TSimpleTimer> AnimationTimer_;
  std::unique_ptr<TSimpleTimer> DoubleClickTimer_;
  std::unique_ptr<TSimpleTimer> HoverPollTimer_;
  // LeftDownSeen, ClickDue, DoubleClickSeen, CursorOutside and LastCursorPos.
  TTrayPointerLogic Pointer_;
  bool WantEnterExitEvents_ = false;
  TTrayNotifyMode NotifyMode_ = nmClassic;
  int IconIndex_ = 0;
  bool MdiCheckPending_ = true;
  TImageList* IconList_ = nullptr;
  bool CycleIcons_ = false;
  UINT CycleInterval_ = 0;
  HWND OwnerWindow_ = nullptr;           // the owner's window while subclassed
  WNDPROC OwnerPreviousProc_ = nullptr;  // its procedure before any tray icon took it
  NOTIFYICONDATAA NotifyRecord_{};
  // Cleared by the destructor: a handler that destroyed the component stops what the
  // component was doing.
  std::shared_ptr<bool> Alive_ = std::make_shared<bool>(true);
};
