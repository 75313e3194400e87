#pragma once

#include <vector>

#include "TrayTypes.h"

// One thing a tray callback makes the component do, in the order it must happen.
enum class TTrayAction : std::uint8_t {
  MouseEnter,
  MouseMove,
  RestartDoubleClickTimer,  // interval := the system's double-click time, then enable
  MouseDown,
  MouseUp,
  Click,
  DblClick,
  DefaultMenuItem,  // click the popup menu's default item, if it has one
  ShowTrayMenu,
  LeftPopupMenu,  // ShowTrayMenu when LeftPopup is set (read after OnMouseDown)
  // The state a callback changes after an event: a handler that lets messages run sees
  // the component as it stood before. The caller hands these back through Apply.
  CursorInside,    // CursorOutside := false
  StoreCursorPos,  // LastCursorPos := Pos
  LeftDownSeen,    // LeftDownSeen := true
  BalloonShow,
  BalloonHide,
  BalloonTimeout,
  BalloonClick,
};

struct TTrayStep {
  TTrayAction Action;
  TMouseButton Button = mbLeft;  // MouseDown, MouseUp
  TShiftState Shift = 0;         // MouseDown, MouseUp, MouseMove
  TScreenPoint Pos;              // MouseDown, MouseUp, MouseMove

  friend bool operator==(const TTrayStep&, const TTrayStep&) = default;
};

// What the component knows when a callback arrives. Keys and Cursor are read once, when
// the callback is handled (the physical state, not the one the shell saw).
struct TTrayCallbackInput {
  bool Enabled = true;
  TTrayNotifyMode NotifyMode = nmClassic;
  bool DblClickAssigned = false;
  bool DoubleClickTimerEnabled = false;
  bool WantEnterExitEvents = false;
  TShiftState Keys = 0;
  TScreenPoint Cursor;
};

// The pointer state of one tray icon: turns the shell's callbacks into an ordered list of
// steps, holds back a single click while a double click may still come, and tells when
// the cursor has entered or left the icon. Conditions are evaluated when the callback
// arrives; the caller carries the steps out in order, handing the state steps back to
// Apply.
class TTrayPointerLogic {
 public:
  std::vector<TTrayStep> Decode(unsigned notification, const TTrayCallbackInput& input);
  // Carries out a state step (CursorInside, StoreCursorPos, LeftDownSeen); others are
  // ignored.
  void Apply(const TTrayStep& step);

  // The double-click timer fired (the caller has disabled it). True when the held-back
  // single click is to be reported now; the caller reports it, then calls
  // DoubleClickTickDone, which forgets the double click seen since the last tick.
  bool DoubleClickTick();
  void DoubleClickTickDone();

  // The 20 ms hover poll with the current cursor. True when the cursor has left the icon
  // (any movement the shell did not report counts as leaving).
  bool HoverPoll(TScreenPoint cursor);

  bool LeftDownSeen() const { return LeftDownSeen_; }
  bool ClickDue() const { return ClickDue_; }
  bool DoubleClickSeen() const { return DoubleClickSeen_; }
  bool CursorOutside() const { return CursorOutside_; }
  TScreenPoint LastCursorPos() const { return LastCursorPos_; }

 private:
  using THandler = void (TTrayPointerLogic::*)(const TTrayCallbackInput&, std::vector<TTrayStep>&);
  struct TDecodeEntry {
    unsigned Notification;
    bool NeedsEnabled;
    bool (*Applies)(TTrayNotifyMode);
    THandler Handler;
  };
  static const TDecodeEntry DecodeTable[];

  void MouseMove(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void LeftDown(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void LeftUp(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void LeftDoubleClick(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void RightDown(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void RightUp(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void MiddleDown(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void MiddleUp(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void BalloonShow(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void BalloonHide(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void BalloonTimeout(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);
  void BalloonClick(const TTrayCallbackInput& in, std::vector<TTrayStep>& out);

  bool LeftDownSeen_ = false;
  bool ClickDue_ = false;
  bool DoubleClickSeen_ = false;
  bool CursorOutside_ = true;
  TScreenPoint LastCursorPos_;
};
